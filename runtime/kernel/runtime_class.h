#pragma once

#include <memory>
#include <string_view>

namespace veltrano {

class WindowObject;

// A framework class the runtime can make from its name alone. Each one is
// a constant of its own unit that links itself into the runtime's list when
// the program starts, so a class is known wherever its unit is linked in.
class RuntimeClass {
public:
    using Factory = std::unique_ptr<WindowObject> (*)();

    RuntimeClass(const char* name, Factory factory) noexcept;
    RuntimeClass(const RuntimeClass&) = delete;
    RuntimeClass& operator=(const RuntimeClass&) = delete;

    const char* name() const noexcept { return name_; }
    std::unique_ptr<WindowObject> create() const { return factory_(); }

    // The class of that name (compared exactly), or null.
    static const RuntimeClass* find(std::string_view name) noexcept;

private:
    const char* name_;
    Factory factory_;
    const RuntimeClass* next_;
};

// A fresh, unattached object of the named class, or null when no class has
// the name.
std::unique_ptr<WindowObject> createObjectByName(std::string_view name);

}  // namespace veltrano
