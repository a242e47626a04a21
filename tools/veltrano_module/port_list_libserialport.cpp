#include <libserialport.h>

#include "tools/veltrano_module/system_services.h"

namespace veltrano::module {
namespace {

std::string textOf(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

// Frees the library's port list however the listing ends.
struct PortArray {
    sp_port** ports = nullptr;
    ~PortArray() {
        if (ports != nullptr) sp_free_port_list(ports);
    }
};

class SerialPortLister final : public PortLister {
public:
    std::optional<std::vector<PortInfo>> list(std::string& reason) override {
        PortArray listed;
        if (sp_list_ports(&listed.ports) != SP_OK) {
            char* message = sp_last_error_message();
            reason = textOf(message);
            sp_free_error_message(message);
            return std::nullopt;
        }
        std::vector<PortInfo> ports;
        for (sp_port** port = listed.ports; *port != nullptr; ++port) {
            PortInfo info;
            info.name = textOf(sp_get_port_name(*port));
            info.description = textOf(sp_get_port_description(*port));
            int vendor = 0;
            int product = 0;
            if (sp_get_port_transport(*port) == SP_TRANSPORT_USB &&
                sp_get_port_usb_vid_pid(*port, &vendor, &product) == SP_OK) {
                info.usbVendor = vendor;
                info.usbProduct = product;
                info.serialNumber = textOf(sp_get_port_usb_serial(*port));
            }
            ports.push_back(std::move(info));
        }
        return ports;
    }
};

}  // namespace

std::unique_ptr<PortLister> makeSystemPortLister() {
    return std::make_unique<SerialPortLister>();
}

}  // namespace veltrano::module
