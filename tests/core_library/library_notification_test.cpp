#include "runtime/core_library/library_notification.h"

#include <gtest/gtest.h>

#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/window_object.h"
#include "tests/core_library/command_fixture.h"

namespace veltrano {
namespace {

// Consumes key-down messages of one key and counts every offer.
class KeyEatingObject final : public WindowObject {
public:
    bool preTranslateMessage(MSG& message) override {
        ++offers;
        return message.message == WM_KEYDOWN && message.wParam == VK_F2;
    }
    int offers = 0;
};

AddressWord entryWord() {
    const RuntimeServiceEntry entry = &RuntimeApplication::serviceEntry;
    return reinterpret_cast<AddressWord>(entry);
}

class LibraryNotificationTest : public test::CommandTest {
protected:
    ~LibraryNotificationTest() override { core_library::notify(library_notification::kShutdown, 0, 0); }
};

TEST_F(LibraryNotificationTest, TheEntryHandedOverAtStartUpIsKeptUntilShutdown) {
    core_library::notify(library_notification::kShutdown, 0, 0);
    EXPECT_EQ(core_library::callService(1005), 0) << "a library without an entry answers 0";
    EXPECT_EQ(core_library::notify(library_notification::kStartup, entryWord(), 0), 0);
    EXPECT_EQ(core_library::callService(1004), 1);
    EXPECT_EQ(core_library::callService(1005), 0x70005);
    EXPECT_EQ(core_library::notify(library_notification::kShutdown, 0, 0), 0);
    EXPECT_EQ(core_library::callService(1004), 0);
}

TEST_F(LibraryNotificationTest, PreTranslationOffersTheMessageToTheGivenObject) {
    KeyEatingObject object;
    MSG eaten{nullptr, WM_KEYDOWN, VK_F2, 0, 0, {0, 0}};
    MSG passed{nullptr, WM_KEYDOWN, VK_F3, 0, 0, {0, 0}};

    core_library::notify(library_notification::kShutdown, 0, 0);
    EXPECT_EQ(core_library::notify(library_notification::kPreTranslate, addressWord(&object), addressWord(&eaten)), 0);
    EXPECT_EQ(object.offers, 0) << "offered before the library had its entry";

    core_library::notify(library_notification::kStartup, entryWord(), 0);
    EXPECT_EQ(core_library::notify(library_notification::kPreTranslate, addressWord(&object), addressWord(&eaten)), 1);
    EXPECT_EQ(core_library::notify(library_notification::kPreTranslate, addressWord(&object), addressWord(&passed)), 0);
    EXPECT_EQ(object.offers, 2);
    EXPECT_EQ(core_library::notify(library_notification::kPreTranslate, 0, addressWord(&eaten)), 0);
}

TEST_F(LibraryNotificationTest, UnknownCodesAnswerMinusOne) {
    core_library::notify(library_notification::kStartup, entryWord(), 0);
    EXPECT_EQ(core_library::notify(3, 0, 0), -1);
    EXPECT_EQ(core_library::notify(7, 0, 0), -1);
}

}  // namespace
}  // namespace veltrano
