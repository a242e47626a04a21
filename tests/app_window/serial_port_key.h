#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace veltrano::appwin {

// The system's list of serial ports as the test wants it to be; what was
// there before comes back when the guard goes.
class SerialPortKey {
public:
    SerialPortKey();
    ~SerialPortKey();
    SerialPortKey(const SerialPortKey&) = delete;
    SerialPortKey& operator=(const SerialPortKey&) = delete;

    bool usable() const noexcept { return key_ != nullptr; }
    // Replaces every value with one per port name, in this order.
    bool list(const std::vector<std::wstring>& portNames);

private:
    bool replace(const std::vector<std::pair<std::wstring, std::wstring>>& values);

    HKEY key_ = nullptr;
    std::vector<std::pair<std::wstring, std::wstring>> original_;
};

}  // namespace veltrano::appwin
