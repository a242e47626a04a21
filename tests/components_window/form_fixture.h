#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "components/classdata/window_data.h"
#include "components/support/component_object.h"
#include "components/window/form_object.h"
#include "components/window/window_class.h"
#include "tests/components_window/event_log.h"

namespace veltrano::test {

inline constexpr std::uint32_t kWindowId = 0x52010001;
inline constexpr std::uint32_t kFormComponentId = 0x06010000;

// A component over a system control, as other component classes make them;
// `defaultButton` marks it the one Enter presses.
class TestControl final : public ComponentObject {
public:
    TestControl(std::uint32_t classId, bool defaultButton = false, bool wantsEnter = false)
        : ComponentObject(classId), defaultButton_(defaultButton), wantsEnter_(wantsEnter) {}
    bool isDefaultButton() const override { return defaultButton_; }
    bool wantsKey(std::uint32_t key) const override { return wantsEnter_ && key == VK_RETURN; }

private:
    bool defaultButton_;
    bool wantsEnter_;
};

// Creates windows through the class's own create routine, as the loader
// does, and watches their events.
class FormTest : public ::testing::Test {
protected:
    EventLog log;

    void TearDown() override;

    // The window made from class data; the test fails when none is made.
    CWinFormUnit* createForm(const classdata::WindowData& data, int width = 400, int height = 300);
    WindowObject* createFromBytes(const std::vector<std::uint8_t>& bytes, int width = 400, int height = 300);
    // A child control of `form` made a component with a control id.
    TestControl* addControl(CWinFormUnit& form, const wchar_t* systemClass, std::uint32_t controlId,
                            std::uint32_t componentId, DWORD style = WS_TABSTOP | WS_VISIBLE,
                            bool defaultButton = false, bool wantsEnter = false);

    RawValue read(WindowObject* form, int index);
    void write(WindowObject* form, int index, RawValue value);
    std::string readText(WindowObject* form, int index);
    // Offers a key press to the window's pre-translation, as the message
    // loop does: true when the window consumed it.
    bool pressKey(CWinFormUnit& form, HWND target, WPARAM key);

    HWND formHandle = nullptr;
};

// A shown window with two edit boxes numbered as the loader numbers them
// (the first table entry gets the higher control id), the first focused.
class TwoEditsForm : public FormTest {
protected:
    CWinFormUnit* form = nullptr;
    TestControl* first = nullptr;
    TestControl* second = nullptr;

    void makeForm(const classdata::WindowData& data = classdata::WindowData{});
};

// Appends `size` bytes of a value, least significant first.
void putLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size);

// Sets or releases a key in the thread's key state, where the modifier bits
// of the common events come from.
void setKeyDown(BYTE key, bool down);

}  // namespace veltrano::test
