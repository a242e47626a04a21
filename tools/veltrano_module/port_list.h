#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltrano::module {

// What the system knows of one serial port; empty texts and no ids when it
// does not say.
struct PortInfo {
    std::string name;
    std::string description;
    std::optional<int> usbVendor;
    std::optional<int> usbProduct;
    std::string serialNumber;
};

class PortLister {
public:
    virtual ~PortLister() = default;
    // Nothing, with `reason` set, when the system cannot list its ports.
    virtual std::optional<std::vector<PortInfo>> list(std::string& reason) = 0;
};

}  // namespace veltrano::module
