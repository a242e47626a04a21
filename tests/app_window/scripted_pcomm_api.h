#pragma once

// The scripting side of the test's serial library: what the test program
// finds with GetProcAddress in the same module the application writes to.

extern "C" {

// Numbers of the serial functions in the call journal.
enum ScriptedFunction {
    kScriptedOpen = 0,
    kScriptedIoctl = 1,
    kScriptedSetReadTimeouts = 2,
    kScriptedIqueue = 3,
    kScriptedRead = 4,
    kScriptedWrite = 5,
    kScriptedClose = 6,
};

// One serial call as the application made it: up to three integer
// arguments after the port and the result it got.
struct ScriptedCall {
    int function;
    int port;
    int arguments[3];
    int result;
};

// Called inside each write, after the frame is recorded: lets the test look
// at the window at the moment a frame goes out.
typedef void (*ScriptedWriteObserver)(void* context, int frameIndex);

typedef void (*ScriptedResetFn)();
// 0 lets the next opens succeed; any other value is what they return.
typedef void (*ScriptedRefuseOpenFn)(int code);
// Appends bytes to what the line has received and not yet handed out.
typedef void (*ScriptedQueueFn)(const unsigned char* bytes, int length);
// Whenever exactly this frame is written, the reply is queued.
typedef void (*ScriptedReplyToFn)(const unsigned char* frame, int frameLength, const unsigned char* reply,
                                  int replyLength);
typedef int (*ScriptedCountFn)();
// Copies frame number index; answers its length, -1 when there is none.
typedef int (*ScriptedFrameFn)(int index, unsigned char* buffer, int capacity);
// Copies journal entry number index; answers 0 when there is none.
typedef int (*ScriptedCallFn)(int index, ScriptedCall* call);
typedef void (*ScriptedObserveWritesFn)(ScriptedWriteObserver observer, void* context);
}
