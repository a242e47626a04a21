#include <gtest/gtest.h>
#include <windows.h>

#include "runtime/kernel/window_object.h"

namespace veltrano {
namespace {

// An object that tells when it is gone.
class TracedObject final : public WindowObject {
public:
    explicit TracedObject(bool& gone) : gone_(gone) {}
    ~TracedObject() override { gone_ = true; }

private:
    bool& gone_;
};

HWND plainWindow() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

TEST(WindowObjectLookup, AnObjectIsFoundByItsHandleUntilItLetsGoOrItsWindowGoes) {
    HWND window = plainWindow();
    ASSERT_NE(window, nullptr);
    bool firstGone = false;
    auto* first = new TracedObject(firstGone);
    ASSERT_TRUE(first->attach(window));
    EXPECT_EQ(WindowObject::fromHandle(window), first);

    bool secondGone = false;
    TracedObject second(secondGone);
    EXPECT_FALSE(second.attach(window)) << "a window carries one object";
    EXPECT_EQ(WindowObject::fromHandle(window), first);

    EXPECT_EQ(first->detach(), window);
    EXPECT_EQ(WindowObject::fromHandle(window), nullptr);
    EXPECT_TRUE(IsWindow(window)) << "the window lives on";
    ASSERT_TRUE(second.attach(window));
    EXPECT_EQ(WindowObject::fromHandle(window), &second);
    delete first;
    EXPECT_TRUE(firstGone);
    EXPECT_TRUE(IsWindow(window)) << "a detached object leaves the window alone";

    // Destroying the window lets go of the object; a new window that
    // happens to get the same handle finds nothing.
    EXPECT_TRUE(second.detach() == window);
    bool thirdGone = false;
    auto* third = new TracedObject(thirdGone);
    ASSERT_TRUE(third->attach(window));
    DestroyWindow(window);
    EXPECT_TRUE(thirdGone) << "the object goes with its window";
    EXPECT_EQ(WindowObject::fromHandle(window), nullptr);
    EXPECT_EQ(WindowObject::fromHandle(nullptr), nullptr);
}

}  // namespace
}  // namespace veltrano
