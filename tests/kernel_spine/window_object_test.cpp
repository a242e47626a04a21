#include "runtime/kernel/window_object.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <future>
#include <string>
#include <thread>

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

// An object that counts the texts its window is given.
class TextCounter final : public WindowObject {
public:
    int texts = 0;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETTEXT) ++texts;
        return WindowObject::handleMessage(message, wParam, lParam);
    }
};

// A procedure placed over the window after the object's, as other code may.
struct OuterProcedure {
    static inline WNDPROC below = nullptr;
    static inline int texts = 0;
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETTEXT) ++texts;
        return CallWindowProcW(below, window, message, wParam, lParam);
    }
};

std::wstring textOf(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

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

TEST(WindowObjectMessages, MessagesPassThroughTheObjectToTheWindowsOwnProcedure) {
    HWND window = plainWindow();
    ASSERT_NE(window, nullptr);
    const LONG_PTR ownProcedure = GetWindowLongPtrW(window, GWLP_WNDPROC);
    TextCounter counter;
    ASSERT_TRUE(counter.attach(window));
    SetWindowTextW(window, L"one");
    EXPECT_EQ(counter.texts, 1);
    EXPECT_EQ(textOf(window), L"one") << "the control's own procedure still sets its text";

    counter.detach();
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), ownProcedure) << "letting go restores the procedure";
    SetWindowTextW(window, L"two");
    EXPECT_EQ(counter.texts, 1);
    EXPECT_EQ(textOf(window), L"two");
    DestroyWindow(window);
}

TEST(WindowObjectMessages, AProcedurePlacedOverTheObjectKeepsWorkingAfterTheObjectLetsGo) {
    HWND window = plainWindow();
    ASSERT_NE(window, nullptr);
    TextCounter first;
    ASSERT_TRUE(first.attach(window));
    OuterProcedure::texts = 0;
    OuterProcedure::below = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProcedure::procedure)));
    ASSERT_NE(OuterProcedure::below, nullptr);

    // The object's procedure cannot leave the middle of the chain: it stays
    // and passes messages on to the control.
    first.detach();
    EXPECT_EQ(WindowObject::fromHandle(window), nullptr);
    SetWindowTextW(window, L"passed on");
    EXPECT_EQ(OuterProcedure::texts, 1);
    EXPECT_EQ(first.texts, 0);
    EXPECT_EQ(textOf(window), L"passed on");

    // A later object takes that place in the chain again, as often as
    // objects come and go.
    TextCounter later;
    ASSERT_TRUE(later.attach(window));
    EXPECT_EQ(WindowObject::fromHandle(window), &later);
    SetWindowTextW(window, L"seen");
    EXPECT_EQ(later.texts, 1);
    EXPECT_EQ(textOf(window), L"seen");
    later.detach();
    bool lastGone = false;
    auto* last = new TracedObject(lastGone);
    ASSERT_TRUE(last->attach(window));
    DestroyWindow(window);
    EXPECT_TRUE(lastGone) << "the object goes with its window";
}

TEST(WindowObjectMessages, AnotherThreadsWindowTakesNoObject) {
    std::promise<HWND> created;
    std::promise<void> done;
    std::thread owner([&created, finished = done.get_future()] {
        HWND window = plainWindow();
        created.set_value(window);
        finished.wait();
        DestroyWindow(window);
    });
    HWND window = created.get_future().get();
    EXPECT_NE(window, nullptr);
    TextCounter counter;
    EXPECT_FALSE(counter.attach(window)) << "its messages arrive on the other thread";
    EXPECT_EQ(WindowObject::fromHandle(window), nullptr);
    done.set_value();
    owner.join();
}

}  // namespace
}  // namespace veltrano
