#include <windows.h>
#include <gtest/gtest.h>

#include "components/button/button_class.h"
#include "components/classdata/button_data.h"
#include "components/classdata/edit_box_data.h"
#include "components/edit_box/edit_box_class.h"
#include "tests/components_window/form_fixture.h"

namespace veltrano::test {
namespace {

using classdata::WindowData;

// The window's Enter rules with the edit box and button classes the program
// uses, not stand-ins.
class EnterWithRealComponents : public FormTest {
protected:
    CWinFormUnit* form = nullptr;

    void SetUp() override {
        form = createForm(WindowData{});
        ASSERT_NE(form, nullptr);
        ShowWindow(form->handle(), SW_SHOWNORMAL);
    }

    WindowObject* create(const ClassDescriptor& descriptor, const std::vector<std::uint8_t>& classData,
                         std::uint32_t controlId, std::uint32_t componentId) {
        const auto routine = classRoutine<CreateRoutine>(descriptor, class_interface::kCreate);
        if (routine == nullptr) return nullptr;
        return routine(classData.data(), static_cast<std::uint32_t>(classData.size()), WS_VISIBLE | WS_TABSTOP,
                       form->handle(), controlId, nullptr, 0, 0, 120, 60, kWindowId, componentId, 0, 0);
    }
    WindowObject* editBox(bool multiLine, std::uint32_t controlId, std::uint32_t componentId) {
        classdata::EditBoxData data;
        data.MultiLine = multiLine;
        return create(kEditBoxClass, classdata::encode(data), controlId, componentId);
    }
    WindowObject* defaultButton(std::uint32_t controlId, std::uint32_t componentId) {
        classdata::ButtonData data;
        data.ButtonType = 1;
        return create(kButtonClass, classdata::encode(data), controlId, componentId);
    }
    std::size_t clicks() const {
        std::size_t count = 0;
        for (const auto& e : log.events) count += e.number == 0 ? 1 : 0;
        return count;
    }
};

TEST_F(EnterWithRealComponents, EnterInAMultiLineEditBoxIsLeftToItEvenWithADefaultButton) {
    WindowObject* box = editBox(true, 110, 0x06010001);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(defaultButton(100, 0x06010002), nullptr);
    SetFocus(box->handle());
    log.events.clear();
    EXPECT_FALSE(pressKey(*form, box->handle(), VK_RETURN));
    EXPECT_EQ(clicks(), 0u);
}

TEST_F(EnterWithRealComponents, EnterInASingleLineEditBoxPressesTheDefaultButton) {
    WindowObject* box = editBox(false, 110, 0x06010001);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(defaultButton(100, 0x06010002), nullptr);
    SetFocus(box->handle());
    log.events.clear();
    EXPECT_TRUE(pressKey(*form, box->handle(), VK_RETURN));
    ASSERT_EQ(clicks(), 1u);
    EXPECT_EQ(log.last(0)->componentId, 0x06010002u);
}

TEST_F(EnterWithRealComponents, WithoutADefaultButtonEnterInASingleLineEditBoxDoesNothingAtWindowLevel) {
    WindowObject* box = editBox(false, 110, 0x06010001);
    ASSERT_NE(box, nullptr);
    WindowObject* other = editBox(false, 100, 0x06010002);
    ASSERT_NE(other, nullptr);
    SetFocus(box->handle());
    log.events.clear();
    EXPECT_FALSE(pressKey(*form, box->handle(), VK_RETURN));
    EXPECT_EQ(GetFocus(), box->handle());
    EXPECT_EQ(clicks(), 0u);
}

}  // namespace
}  // namespace veltrano::test
