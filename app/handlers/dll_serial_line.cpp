#include "app/handlers/dll_serial_line.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

#include "runtime/kernel/runtime_application.h"

namespace veltrano::app {
namespace {

// Indices of the application's DLL command table.
enum class DllCommand : std::size_t {
    SioWrite = 0,
    RegOpenKeyA = 1,
    RegEnumValueA = 2,
    RegCloseKey = 3,
    SioOpen = 4,
    SioIoctl = 5,
    SioSetReadTimeouts = 6,
    SioClose = 7,
    SioIqueue = 8,
    SioRead = 9,
};

using SioPortFunction = int(WINAPI*)(int);
using SioIoctlFunction = int(WINAPI*)(int, int, int);
using SioTimeoutsFunction = int(WINAPI*)(int, DWORD, DWORD);
using SioBufferFunction = int(WINAPI*)(int, char*, int);
using RegOpenKeyFunction = LONG(WINAPI*)(HKEY, LPCSTR, PHKEY);
using RegEnumValueFunction = LONG(WINAPI*)(HKEY, DWORD, LPSTR, LPDWORD, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
using RegCloseKeyFunction = LONG(WINAPI*)(HKEY);

// A command that cannot be bound ends the program inside the runtime, so
// the address is never null here.
template <typename Function>
Function bound(DllCommand command) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(
        RuntimeApplication::current().resolveDllCommand(static_cast<std::size_t>(command))));
}

constexpr char kSerialPortKey[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr DWORD kRegistryBufferSize = 512;

int bufferLength(std::size_t size) {
    return static_cast<int>(std::min<std::size_t>(size, static_cast<std::size_t>(INT_MAX)));
}

}  // namespace

int DllSerialLine::open(int port) {
    return bound<SioPortFunction>(DllCommand::SioOpen)(port);
}

int DllSerialLine::setLine(int port, int baudCode, int mode) {
    return bound<SioIoctlFunction>(DllCommand::SioIoctl)(port, baudCode, mode);
}

int DllSerialLine::setReadTimeouts(int port, std::uint32_t totalMs, std::uint32_t intervalMs) {
    return bound<SioTimeoutsFunction>(DllCommand::SioSetReadTimeouts)(port, totalMs, intervalMs);
}

int DllSerialLine::waitingBytes(int port) {
    return bound<SioPortFunction>(DllCommand::SioIqueue)(port);
}

int DllSerialLine::read(int port, std::span<std::uint8_t> buffer) {
    return bound<SioBufferFunction>(DllCommand::SioRead)(port, reinterpret_cast<char*>(buffer.data()),
                                                         bufferLength(buffer.size()));
}

int DllSerialLine::write(int port, std::span<const std::uint8_t> bytes) {
    // The library's signature takes a mutable buffer it only reads.
    std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
    return bound<SioBufferFunction>(DllCommand::SioWrite)(port, reinterpret_cast<char*>(copy.data()),
                                                          bufferLength(copy.size()));
}

int DllSerialLine::close(int port) {
    return bound<SioPortFunction>(DllCommand::SioClose)(port);
}

std::optional<std::vector<std::string>> DllPortRegistry::serialPortNames() {
    HKEY key = nullptr;
    if (bound<RegOpenKeyFunction>(DllCommand::RegOpenKeyA)(HKEY_LOCAL_MACHINE, kSerialPortKey, &key) != 0) {
        return std::nullopt;
    }
    const auto enumerate = bound<RegEnumValueFunction>(DllCommand::RegEnumValueA);
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        // Fresh buffers for every value: a shorter value must not show the
        // tail of a longer one.
        std::array<char, kRegistryBufferSize> name{};
        std::array<BYTE, kRegistryBufferSize> data{};
        DWORD nameLength = kRegistryBufferSize;
        DWORD dataLength = kRegistryBufferSize;
        DWORD type = 0;
        if (enumerate(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength) != 0) {
            break;
        }
        const auto end = std::find(data.begin(), data.end(), BYTE{0});
        names.emplace_back(data.begin(), end);
    }
    bound<RegCloseKeyFunction>(DllCommand::RegCloseKey)(key);
    return names;
}

}  // namespace veltrano::app
