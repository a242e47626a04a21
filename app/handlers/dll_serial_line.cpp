#include "app/handlers/dll_serial_line.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "app/handlers/dll_commands.h"
#include "runtime/kernel/runtime_application.h"

namespace veltrano::app {
namespace {

template <typename Value>
std::uintptr_t word(Value value) {
    if constexpr (std::is_pointer_v<Value>) {
        return reinterpret_cast<std::uintptr_t>(value);
    } else {
        // Signed values are passed as their 32-bit pattern, as the callee reads them.
        return static_cast<std::uintptr_t>(static_cast<std::uint32_t>(value));
    }
}

// Every command is a standard-call function taking machine words; the
// runtime checks the stack across each call.
template <typename... Arguments>
std::uintptr_t call(DllCommand command, Arguments... arguments) {
    const std::uintptr_t words[] = {word(arguments)...};
    return RuntimeApplication::current().callDllCommand(static_cast<std::size_t>(command), words);
}

// What a 32-bit result leaves in the accumulator's low half.
int result(std::uintptr_t value) {
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

constexpr char kSerialPortKey[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr DWORD kRegistryBufferSize = 512;

int bufferLength(std::size_t size) {
    return static_cast<int>(std::min<std::size_t>(size, static_cast<std::size_t>(INT_MAX)));
}

}  // namespace

int DllSerialLine::open(int port) {
    return result(call(DllCommand::SioOpen, port));
}

int DllSerialLine::setLine(int port, int baudCode, int mode) {
    return result(call(DllCommand::SioIoctl, port, baudCode, mode));
}

int DllSerialLine::setReadTimeouts(int port, std::uint32_t totalMs, std::uint32_t intervalMs) {
    return result(call(DllCommand::SioSetReadTimeouts, port, totalMs, intervalMs));
}

int DllSerialLine::waitingBytes(int port) {
    return result(call(DllCommand::SioIqueue, port));
}

int DllSerialLine::read(int port, std::span<std::uint8_t> buffer) {
    return result(call(DllCommand::SioRead, port, buffer.data(), bufferLength(buffer.size())));
}

int DllSerialLine::write(int port, std::span<const std::uint8_t> bytes) {
    return result(call(DllCommand::SioWrite, port, bytes.data(), bufferLength(bytes.size())));
}

int DllSerialLine::close(int port) {
    return result(call(DllCommand::SioClose, port));
}

std::optional<std::vector<std::string>> DllPortRegistry::serialPortNames() {
    HKEY key = nullptr;
    if (result(call(DllCommand::RegOpenKeyA, HKEY_LOCAL_MACHINE, kSerialPortKey, &key)) != 0) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        // Fresh buffers for every value: a shorter value must not show the
        // tail of a longer one.
        std::array<char, kRegistryBufferSize> name{};
        std::array<BYTE, kRegistryBufferSize> data{};
        DWORD nameLength = kRegistryBufferSize;
        DWORD dataLength = kRegistryBufferSize;
        DWORD type = 0;
        const std::uintptr_t answer = call(DllCommand::RegEnumValueA, key, index, name.data(), &nameLength,
                                           static_cast<LPDWORD>(nullptr), &type, data.data(), &dataLength);
        if (result(answer) != 0) {
            break;
        }
        const auto end = std::find(data.begin(), data.end(), BYTE{0});
        names.emplace_back(data.begin(), end);
    }
    call(DllCommand::RegCloseKey, key);
    return names;
}

}  // namespace veltrano::app
