#include <windows.h>

#include <string>
#include <utility>

#include "tools/veltrano_module/system_services.h"

namespace veltrano::module {
namespace {

// Owns an open registry key and closes it.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY* receive() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The system's serial ports are the values of this key: the driver's device
// name and the port's name. The registry knows nothing of USB identities.
class RegistryPortLister final : public PortLister {
public:
    std::optional<std::vector<PortInfo>> list(std::string& reason) override {
        RegistryKey key;
        const LONG opened =
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, key.receive());
        if (opened == ERROR_FILE_NOT_FOUND) return std::vector<PortInfo>{};
        if (opened != ERROR_SUCCESS) {
            reason = "the serial port list cannot be read (error " + std::to_string(opened) + ")";
            return std::nullopt;
        }
        std::vector<PortInfo> ports;
        for (DWORD index = 0;; ++index) {
            char name[256];
            BYTE data[256];
            DWORD nameLength = sizeof name;
            DWORD dataLength = sizeof data - 1;
            DWORD type = 0;
            const LONG read = RegEnumValueA(key.get(), index, name, &nameLength, nullptr, &type, data, &dataLength);
            if (read == ERROR_NO_MORE_ITEMS) break;
            if (read != ERROR_SUCCESS || type != REG_SZ) continue;
            data[dataLength] = 0;
            PortInfo port;
            port.name = reinterpret_cast<const char*>(data);
            port.description = std::string(name, nameLength);
            ports.push_back(std::move(port));
        }
        return ports;
    }
};

}  // namespace

std::unique_ptr<PortLister> makeSystemPortLister() {
    return std::make_unique<RegistryPortLister>();
}

}  // namespace veltrano::module
