#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "runtime/dispatch/property_kind.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/window_object.h"

namespace veltrano::test {

// A plain top-level window standing in for a loaded window: its object
// hands control notifications on to the component objects, and every event
// the components fire is recorded instead of being dispatched.
class ComponentFixture : public ::testing::Test {
protected:
    static constexpr std::uint32_t kWindowId = 0x52010001;
    static constexpr std::uint32_t kComponentId = 0x06010002;
    static constexpr std::uint32_t kControlId = 1001;

    void SetUp() override;
    void TearDown() override;

    HWND parent() const noexcept { return parent_; }

    // Creates a component of the class from a class data block.
    WindowObject* create(const ClassDescriptor& descriptor, const std::vector<std::uint8_t>& classData, int width,
                         int height, std::uint32_t style = WS_VISIBLE);
    // The same, standing in a designer.
    WindowObject* createForDesign(const ClassDescriptor& descriptor, const std::vector<std::uint8_t>& classData,
                                  int width, int height);
    int write(const ClassDescriptor& descriptor, WindowObject* object, int index, RawValue value);
    int writeText(const ClassDescriptor& descriptor, WindowObject* object, int index, const std::string& text);
    RawValue read(const ClassDescriptor& descriptor, WindowObject* object, int index);
    std::string readText(const ClassDescriptor& descriptor, WindowObject* object, int index);
    std::int32_t readInt(const ClassDescriptor& descriptor, WindowObject* object, int index);
    std::vector<std::uint8_t> save(const ClassDescriptor& descriptor, WindowObject* object);

    // A notification as the control would send it to its parent.
    void notifyParent(HWND control, int code);
    void pumpMessages();

    // Event numbers fired since the last clear, in order.
    static std::vector<std::int32_t>& events();
    static std::vector<std::vector<EventWord>>& eventArguments();
    // What a handler of the event answers, from the event's first argument;
    // no answer is a handler that returns nothing.
    static std::map<std::int32_t, std::function<std::optional<std::uint32_t>(EventWord)>>& answers();

private:
    static bool observe(SimpleEventRecord* simple, TypedEventRecord* typed);

    HWND parent_ = nullptr;
};

}  // namespace veltrano::test
