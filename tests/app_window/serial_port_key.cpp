#include "tests/app_window/serial_port_key.h"

#include <array>

namespace veltrano::appwin {
namespace {

constexpr wchar_t kKeyPath[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

std::vector<std::pair<std::wstring, std::wstring>> readValues(HKEY key) {
    std::vector<std::pair<std::wstring, std::wstring>> values;
    for (DWORD index = 0;; ++index) {
        std::array<wchar_t, 512> name{};
        std::array<wchar_t, 512> data{};
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataBytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        DWORD type = 0;
        if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &dataBytes) != ERROR_SUCCESS) {
            break;
        }
        if (type == REG_SZ) values.emplace_back(std::wstring(name.data(), nameLength), std::wstring(data.data()));
    }
    return values;
}

}  // namespace

SerialPortKey::SerialPortKey() {
    // The system keeps this key only while it runs; it may not exist yet.
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr) != ERROR_SUCCESS) {
        key_ = nullptr;
        return;
    }
    original_ = readValues(key_);
}

SerialPortKey::~SerialPortKey() {
    if (key_ == nullptr) return;
    replace(original_);
    RegCloseKey(key_);
}

bool SerialPortKey::list(const std::vector<std::wstring>& portNames) {
    std::vector<std::pair<std::wstring, std::wstring>> values;
    for (std::size_t index = 0; index < portNames.size(); ++index) {
        values.emplace_back(L"\\Device\\Serial" + std::to_wstring(index), portNames[index]);
    }
    return replace(values);
}

bool SerialPortKey::replace(const std::vector<std::pair<std::wstring, std::wstring>>& values) {
    if (key_ == nullptr) return false;
    for (const auto& [name, data] : readValues(key_)) RegDeleteValueW(key_, name.c_str());
    for (const auto& [name, data] : values) {
        const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        if (RegSetValueExW(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes) !=
            ERROR_SUCCESS) {
            return false;
        }
    }
    return readValues(key_).size() == values.size();
}

}  // namespace veltrano::appwin
