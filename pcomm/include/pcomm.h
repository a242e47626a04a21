#pragma once

// Serial port library PCOMM.DLL. Every function uses the standard calling
// convention and is exported under its plain name. Port n is the system's
// \\.\COMn, n from 1 to PCOMM_MAX_PORT.
//
// Results: 0 or a byte count on success, one of the negative codes below on
// failure.
//
// Line mode word of sio_ioctl:
//   bits 0-1  data bits: 0 = 5, 1 = 6, 2 = 7, 3 = 8
//   bit  2    stop bits: 0 = 1, 1 = 2 (1.5 with 5 data bits)
//   bits 3-5  parity: 0 = none, 1 = odd, 2 = even, 3 = mark, 4 = space
//   any other bit set, or parity above 4, is PCOMM_BAD_ARGUMENT.
// So 3 is 8 data bits, 1 stop bit, no parity. No flow control is used.
//
// Baud codes of sio_ioctl: 0..19 for 50, 75, 110, 134, 150, 300, 600, 1200,
// 1800, 2400, 4800, 7200, 9600, 19200, 38400, 57600, 115200, 230400, 460800,
// 921600 baud.

#include <windows.h>

#define PCOMM_MAX_PORT 256

#define PCOMM_OK 0
#define PCOMM_BAD_PORT (-1)       /* port number outside 1..PCOMM_MAX_PORT */
#define PCOMM_NOT_OPEN (-2)       /* the port was not opened through this library */
#define PCOMM_ALREADY_OPEN (-3)   /* sio_open on a port that is open */
#define PCOMM_OPEN_FAILED (-4)    /* the system refused to open the port, or its device has gone */
#define PCOMM_BAD_ARGUMENT (-5)   /* unknown baud code or mode, null buffer, negative length */
#define PCOMM_SETTING_FAILED (-6) /* the system refused the line settings or timeouts */
#define PCOMM_QUEUE_FAILED (-7)   /* the input queue could not be read */
#define PCOMM_READ_FAILED (-8)
#define PCOMM_WRITE_FAILED (-9)
#define PCOMM_INTERNAL_ERROR (-10)

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the port and puts the line into raw 8 data bits, 1 stop bit, no
   parity at its current rate; reads return at once with what is waiting. */
int WINAPI sio_open(int port);

/* Sets rate and line mode. */
int WINAPI sio_ioctl(int port, int baud, int mode);

/* A read waits at most totalTimeouts ms in all and intervalTimeout ms between
   two bytes (0: no limit between bytes). */
int WINAPI sio_SetReadTimeouts(int port, DWORD totalTimeouts, DWORD intervalTimeout);

/* Number of received bytes waiting to be read. */
int WINAPI sio_iqueue(int port);

/* Reads up to len bytes into buf; returns the number read. */
int WINAPI sio_read(int port, char* buf, int len);

/* Writes len bytes from buf; returns the number written, which is short only
   when the line did not take the bytes in time. */
int WINAPI sio_write(int port, char* buf, int len);

int WINAPI sio_close(int port);

typedef int(WINAPI* PcommOpenFn)(int);
typedef int(WINAPI* PcommIoctlFn)(int, int, int);
typedef int(WINAPI* PcommSetReadTimeoutsFn)(int, DWORD, DWORD);
typedef int(WINAPI* PcommIqueueFn)(int);
typedef int(WINAPI* PcommReadFn)(int, char*, int);
typedef int(WINAPI* PcommWriteFn)(int, char*, int);
typedef int(WINAPI* PcommCloseFn)(int);

#ifdef __cplusplus
}
#endif
