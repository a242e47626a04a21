#include <gtest/gtest.h>

#include "runtime/kernel/property_access.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/window_loader.h"
#include "runtime/kernel/window_object.h"
#include "tests/kernel_loading/loading_fixture.h"

namespace veltrano::test {
namespace {

using WindowLoadingTest = LoadingTest;

TEST_F(WindowLoadingTest, CreatesTheWindowFirstThenTheTableFromItsEnd) {
    runtime_.loadWindow(kWindowId);
    const auto& creations = classLog().creations;
    ASSERT_EQ(creations.size(), 4u);
    EXPECT_EQ(creations[0].componentId, kWindowEntry);
    EXPECT_EQ(creations[0].controlId, 0u);
    EXPECT_EQ(creations[1].componentId, kOuterText);
    EXPECT_EQ(creations[1].controlId, 100u);
    EXPECT_EQ(creations[2].componentId, kInnerText);
    EXPECT_EQ(creations[2].controlId, 110u);
    EXPECT_EQ(creations[3].componentId, kBox);
    EXPECT_EQ(creations[3].controlId, 120u);
    EXPECT_EQ(GetDlgCtrlID(handleOf(kOuterText)), 100);
}

TEST_F(WindowLoadingTest, ComponentsInsideAContainerBecomeChildWindowsOfIt) {
    runtime_.loadWindow(kWindowId);
    EXPECT_EQ(GetParent(handleOf(kInnerText)), handleOf(kBox));
    EXPECT_EQ(GetParent(handleOf(kOuterText)), handleOf(0));
    EXPECT_EQ(GetParent(handleOf(kBox)), handleOf(0));
}

TEST_F(WindowLoadingTest, OpeningEventsFollowTheFinishingMessages) {
    runtime_.loadWindow(kWindowId);
    EXPECT_EQ(handlerLog().calls, (std::vector<std::string>{"created", "moved", "resized"}));
    const auto& messages = classLog().privateMessages;
    // 0x806F to the box and the window (the window last), 0x8004 to the
    // window, then 0x8076 the same way.
    EXPECT_EQ(messages, (std::vector<UINT>{0x806F, 0x806F, 0x8004, 0x8076, 0x8076}));
    EXPECT_TRUE(IsWindowVisible(handleOf(0)));
    EXPECT_TRUE(IsWindowVisible(handleOf(kOuterText)));
}

TEST_F(WindowLoadingTest, LoadingALoadedWindowCreatesNothingNew) {
    runtime_.loadWindow(kWindowId);
    HWND first = handleOf(0);
    runtime_.loadWindow(kWindowId);
    EXPECT_EQ(classLog().creations.size(), 4u);
    EXPECT_EQ(handleOf(0), first);
}

TEST_F(WindowLoadingTest, ClosingRestoresThePristineTableForTheNextLoad) {
    runtime_.loadWindow(kWindowId);
    services::componentObject(kWindowId, kOuterText);
    RuntimeApplication::serviceEntry(2009, 0, 0);  // writes below must not fire events
    RuntimeApplication::serviceEntry(2010, 0, 0);
    const WindowTemplate* window = runtime_.windowRegistry().find(kWindowId);
    const std::vector<std::uint8_t> pristine(window->backup.image().begin(), window->backup.image().end());
    closeWindow();
    EXPECT_TRUE(window->backup.empty());
    EXPECT_EQ(std::vector<std::uint8_t>(window->table.image().begin(), window->table.image().end()), pristine);
    EXPECT_EQ(objectOf(kOuterText), nullptr);

    runtime_.loadWindow(kWindowId);
    EXPECT_EQ(classLog().creations.size(), 8u);
    EXPECT_NE(handleOf(kOuterText), nullptr);
}

TEST_F(WindowLoadingTest, LoadingAWindowThatIsClosingMakesItAnew) {
    runtime_.loadWindow(kWindowId);
    HWND first = handleOf(0);
    HWND firstText = handleOf(kOuterText);
    bool reloaded = false;
    classLog().onFrameDestroying = [this, &reloaded] {
        LoadRequest request;
        request.windowId = kWindowId;
        reloaded = loadRegisteredWindow(runtime_, request);
    };
    DestroyWindow(first);
    EXPECT_TRUE(reloaded);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(IsWindow(firstText));
    EXPECT_EQ(classLog().creations.size(), 8u);
    // The old window's and components' ends came after the new load and
    // left the new objects in their slots.
    ASSERT_NE(handleOf(0), nullptr);
    EXPECT_NE(handleOf(0), first);
    EXPECT_TRUE(IsWindowVisible(handleOf(0)));
    for (std::uint32_t component : {kBox, kInnerText, kOuterText}) {
        ASSERT_NE(objectOf(component), nullptr) << std::hex << component;
        EXPECT_EQ(GetAncestor(handleOf(component), GA_ROOT), handleOf(0)) << std::hex << component;
    }
    EXPECT_FALSE(runtime_.windowRegistry().find(kWindowId)->backup.empty());
    EXPECT_EQ(classLog().destroyed, 2) << "the old texts' objects went with their windows";

    closeWindow();
    EXPECT_TRUE(runtime_.windowRegistry().find(kWindowId)->backup.empty());
    EXPECT_EQ(objectOf(kOuterText), nullptr);
}

TEST_F(WindowLoadingTest, DestroyingAComponentClearsItsSlotOnly) {
    runtime_.loadWindow(kWindowId);
    DestroyWindow(handleOf(kOuterText));
    EXPECT_EQ(objectOf(kOuterText), nullptr);
    EXPECT_NE(objectOf(kInnerText), nullptr);
    EXPECT_FALSE(runtime_.windowRegistry().find(kWindowId)->backup.empty());
}

TEST_F(WindowLoadingTest, EventsReachTheBoundHandlerWithArgumentsAndResult) {
    runtime_.loadWindow(kWindowId);
    SimpleEventRecord record;
    record.windowId = kWindowId;
    record.componentId = kInnerText;
    record.eventNumber = 0;
    record.argumentCount = 2;
    record.arguments[0] = 5;
    record.arguments[1] = 9;
    EXPECT_TRUE(services::fireEvent(record));
    EXPECT_EQ(handlerLog().calls.back(), "inner");
    EXPECT_EQ(handlerLog().lastArguments, (std::vector<std::uint32_t>{5, 9}));
    EXPECT_EQ(record.resultPresent, 1u);
    EXPECT_EQ(record.result, 77u);

    // Bound to "no handler", and not bound at all.
    record.eventNumber = 1;
    EXPECT_FALSE(services::fireEvent(record));
    record.eventNumber = -2;
    EXPECT_FALSE(services::fireEvent(record));
}

TEST_F(WindowLoadingTest, EventsAreDroppedWhileSuppressed) {
    runtime_.loadWindow(kWindowId);
    handlerLog().calls.clear();
    services::suppressEvents();
    SimpleEventRecord record;
    record.windowId = kWindowId;
    record.componentId = kInnerText;
    EXPECT_FALSE(services::fireEvent(record));
    services::allowEvents();
    services::allowEvents();  // once more than suppressed: stays at 0
    EXPECT_EQ(runtime_.errorDepth(), 0);
    EXPECT_TRUE(services::fireEvent(record));
    EXPECT_EQ(handlerLog().calls, std::vector<std::string>{"inner"});
}

TEST_F(WindowLoadingTest, ObjectServicesAnswerOnlyForLiveComponents) {
    EXPECT_EQ(services::componentObject(kWindowId, kOuterText), nullptr);
    EXPECT_EQ(services::classOfComponent(kWindowId, kOuterText), kTextClass);
    EXPECT_EQ(services::classOfComponent(kWindowId, 0), kFrameClass);
    runtime_.loadWindow(kWindowId);
    EXPECT_NE(services::componentObject(kWindowId, kOuterText), nullptr);
    EXPECT_EQ(componentIndexOfHandle(runtime_, kWindowId, handleOf(kOuterText), false), 3);
    EXPECT_EQ(componentIndexOfHandle(runtime_, kWindowId, handleOf(0), false), -1);
    EXPECT_EQ(RuntimeApplication::serviceEntry(1014, addressWord(handleOf(kBox)), 0), 1);
    EXPECT_EQ(RuntimeApplication::serviceEntry(1014, addressWord(handleOf(0)), 0), 0);
}

int stackingPosition(HWND window) {
    int position = 0;
    for (HWND sibling = GetWindow(window, GW_HWNDFIRST); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == window) return position;
        ++position;
    }
    return -1;
}

TEST_F(WindowLoadingTest, SiblingsStackInTableOrder) {
    runtime_.loadWindow(kWindowId);
    // The box comes before the outer text in the table, so it lies above it.
    EXPECT_LT(stackingPosition(handleOf(kBox)), stackingPosition(handleOf(kOuterText)));
}

TEST_F(WindowLoadingTest, AnEventLinkLendsAnotherComponentsBindings) {
    runtime_.loadWindow(kWindowId);
    SimpleEventRecord record;
    record.windowId = kWindowId;
    record.componentId = kOuterText;
    EXPECT_TRUE(services::fireEvent(record));
    EXPECT_EQ(handlerLog().calls.back(), "inner");
}

TEST_F(WindowLoadingTest, EventSourceIsKnownOnlyWhileAHandlerRuns) {
    std::uint32_t words[2] = {0xAAAA, 0xBBBB};
    EXPECT_EQ(RuntimeApplication::serviceEntry(2017, addressWord(words), 0), 0);
    EXPECT_EQ(words[0], 0xAAAAu);
    EXPECT_EQ(words[1], 0xBBBBu);
}

// What a timer saw from inside a modal window's nested loop, and closed it.
struct ModalVisit {
    HWND mainWindow = nullptr;
    bool dialogAlive = false;
    bool dialogVisible = false;
    bool mainEnabled = true;
    HWND dialogOwner = nullptr;
};
ModalVisit& modalVisit() {
    static ModalVisit visit;
    return visit;
}

template <std::uint32_t DialogId>
void CALLBACK closeDialogFromItsLoop(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    WindowObject* dialog = services::componentObject(DialogId, 0);
    ModalVisit& visit = modalVisit();
    visit.dialogAlive = dialog != nullptr && dialog->alive();
    visit.mainEnabled = IsWindowEnabled(visit.mainWindow) != FALSE;
    if (visit.dialogAlive) {
        visit.dialogVisible = IsWindowVisible(dialog->handle()) != FALSE;
        visit.dialogOwner = GetWindow(dialog->handle(), GW_OWNER);
        DestroyWindow(dialog->handle());
    }
}

TEST_F(WindowLoadingTest, AModalWindowHoldsTheLoadServiceUntilItIsGone) {
    runtime_.loadWindow(kWindowId);
    modalVisit() = ModalVisit{handleOf(0)};
    ASSERT_NE(SetTimer(nullptr, 0, 50, &closeDialogFromItsLoop<kDialogId>), 0u);

    EXPECT_EQ(services::loadWindow(kDialogId, nullptr, true), 0);

    const ModalVisit& visit = modalVisit();
    EXPECT_TRUE(visit.dialogAlive) << "the service returned before the modal window closed";
    EXPECT_FALSE(visit.mainEnabled) << "the other window stayed enabled under the modal one";
    EXPECT_EQ(visit.dialogOwner, nullptr);
    EXPECT_EQ(services::componentObject(kDialogId, 0), nullptr);
    EXPECT_TRUE(classLog().markedModal);
    EXPECT_EQ(classLog().disabledForModal, (std::vector<std::pair<HWND, bool>>{{visit.mainWindow, true}}));
    ASSERT_EQ(classLog().creations.size(), 5u);
    EXPECT_TRUE(classLog().creations.back().whileCreatingModalWindow);
    EXPECT_FALSE(classLog().creations.front().whileCreatingModalWindow);
    EXPECT_FALSE(creatingModalWindow());
}

TEST_F(WindowLoadingTest, WritingTheWindowVisibleTakesItsStartStateOnTheFirstShowOnly) {
    ASSERT_EQ(services::loadWindow(kHiddenDialogId, nullptr, false), 0);
    WindowObject* dialog = services::componentObject(kHiddenDialogId, 0);
    ASSERT_NE(dialog, nullptr);
    const HWND handle = dialog->handle();
    EXPECT_FALSE(IsWindowVisible(handle));

    classLog().startShowCommand = SW_SHOWMAXIMIZED;
    writeProperty(kHiddenDialogId, 0, 5, -1, 1, 0);
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_TRUE(IsZoomed(handle)) << "the first show did not take the start state";

    writeProperty(kHiddenDialogId, 0, 5, -1, 0, 0);
    EXPECT_FALSE(IsWindowVisible(handle));
    classLog().startShowCommand = SW_SHOWMINIMIZED;
    writeProperty(kHiddenDialogId, 0, 5, -1, 1, 0);
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_FALSE(IsIconic(handle)) << "a later show took the start state again";
    DestroyWindow(handle);
}

TEST_F(WindowLoadingTest, WritingAHiddenModalWindowVisibleHoldsTheWriteUntilItIsGone) {
    runtime_.loadWindow(kWindowId);
    // A modal window that starts hidden is loaded without its loop.
    ASSERT_EQ(services::loadWindow(kHiddenDialogId, nullptr, true), 0);
    WindowObject* dialog = services::componentObject(kHiddenDialogId, 0);
    ASSERT_NE(dialog, nullptr);
    const HWND handle = dialog->handle();
    EXPECT_FALSE(IsWindowVisible(handle));
    modalVisit() = ModalVisit{handleOf(0)};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &closeDialogFromItsLoop<kHiddenDialogId>);
    ASSERT_NE(timer, 0u);

    writeProperty(kHiddenDialogId, 0, 5, -1, 1, 0);

    EXPECT_TRUE(modalVisit().dialogAlive) << "the write returned before the modal window closed";
    EXPECT_TRUE(modalVisit().dialogVisible);
    EXPECT_FALSE(modalVisit().mainEnabled) << "the other window stayed enabled under the modal one";
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(runtime_.currentModalWindow().windowId, 0u);
    KillTimer(nullptr, timer);
    if (IsWindow(handle)) DestroyWindow(handle);
}

TEST_F(WindowLoadingTest, AModelessWindowLoadedByTheServiceReturnsAtOnce) {
    runtime_.loadWindow(kWindowId);
    EXPECT_EQ(services::loadWindow(kDialogId, services::componentObject(kWindowId, 0), false), 0);
    WindowObject* dialog = services::componentObject(kDialogId, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog->handle()));
    EXPECT_TRUE(IsWindowEnabled(handleOf(0)));
    EXPECT_FALSE(classLog().markedModal);
    DestroyWindow(dialog->handle());
}

TEST_F(WindowLoadingTest, AWindowThatIsNotRegisteredDoesNotLoad) {
    LoadRequest request;
    request.windowId = 0x52010099;
    EXPECT_FALSE(loadRegisteredWindow(runtime_, request));
}

}  // namespace
}  // namespace veltrano::test
