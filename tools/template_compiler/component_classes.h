#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/template_compiler/definition.h"

namespace veltrano::tc {

// Collects one component's property assignments and encodes its class data.
class PropertyBuilder {
public:
    virtual ~PropertyBuilder() = default;
    // An error message, or nothing when the property was set.
    virtual std::optional<std::string> assign(std::string_view property, const std::vector<Token>& value) = 0;
    virtual std::vector<std::uint8_t> encode() const = 0;
};

using PropertyLines = std::vector<std::pair<std::string, std::string>>;

// A component class the compiler knows: its definition name, class id, and
// its class data codec.
class ComponentClass {
public:
    virtual ~ComponentClass() = default;
    virtual std::string_view name() const = 0;
    virtual std::uint32_t classId() const = 0;
    virtual std::unique_ptr<PropertyBuilder> newBuilder() const = 0;
    // Every property of decoded class data; nothing when it does not decode.
    virtual std::optional<PropertyLines> describe(std::span<const std::uint8_t> classData) const = 0;
};

const ComponentClass* findClassByName(std::string_view name);
const ComponentClass* findClassById(std::uint32_t classId);

}  // namespace veltrano::tc
