#include <gtest/gtest.h>

#include <vector>

#include "components/classdata/timer_data.h"
#include "components/timer/timer_class.h"
#include "components/timer/timer_object.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano {
namespace {

constexpr std::uint32_t kWindowId = 0x52010001;
constexpr std::uint32_t kComponentId = 0x16010020;

struct FiredEvent {
    std::uint32_t windowId;
    std::uint32_t componentId;
    std::int32_t number;
};
std::vector<FiredEvent>* firedEvents = nullptr;

bool recordEvent(SimpleEventRecord* simple, TypedEventRecord*) {
    if (simple != nullptr && firedEvents != nullptr) {
        firedEvents->push_back({simple->windowId, simple->componentId, simple->eventNumber});
    }
    return true;
}

class TimerTest : public ::testing::Test {
protected:
    TimerTest()
        : parent_(CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {
        firedEvents = &events_;
        services::setEventObserver(&recordEvent);
    }
    ~TimerTest() override {
        delete timer_;
        services::setEventObserver(nullptr);
        firedEvents = nullptr;
    }

    TimerObject* create(std::int32_t interval) {
        const std::vector<std::uint8_t> data = classdata::encode(classdata::TimerData{interval});
        return createFrom(data);
    }
    TimerObject* createFrom(const std::vector<std::uint8_t>& data, bool designMode = false) {
        auto createRoutine = classRoutine<CreateRoutine>(kTimerClass, class_interface::kCreate);
        WindowObject* object = createRoutine(data.data(), static_cast<std::uint32_t>(data.size()), 0, parent_.get(), 5,
                                             nullptr, 0, 0, 32, 32, kWindowId, kComponentId, 0, designMode ? 1 : 0);
        timer_ = static_cast<TimerObject*>(object);
        return timer_;
    }

    void writeInterval(std::int32_t interval) {
        const RawValue value{static_cast<std::uint32_t>(interval), 0};
        EXPECT_EQ(
            classRoutine<WritePropertyRoutine>(kTimerClass, class_interface::kWriteProperty)(timer_, 0, &value, 0), 0);
    }
    std::int32_t readInterval() {
        RawValue value{0xDEAD, 0};
        classRoutine<ReadPropertyRoutine>(kTimerClass, class_interface::kReadProperty)(timer_, 0, &value);
        return static_cast<std::int32_t>(value.word1);
    }

    // Dispatches this thread's messages until `count` events were fired or
    // the deadline passes.
    void pumpUntil(std::size_t count, DWORD deadlineMilliseconds) {
        const ULONGLONG deadline = GetTickCount64() + deadlineMilliseconds;
        while (events_.size() < count && GetTickCount64() < deadline) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
    }

    win::UniqueWindow parent_;
    TimerObject* timer_ = nullptr;
    std::vector<FiredEvent> events_;
};

TEST_F(TimerTest, IsAHiddenChildOfItsOwnClass) {
    TimerObject* timer = create(0);
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(GetWindowLongPtrW(timer->handle(), GWL_STYLE) & WS_BORDER);
    wchar_t className[32] = {};
    GetClassNameW(timer->handle(), className, 32);
    EXPECT_STREQ(className, L"_QL_Timer");
    EXPECT_EQ(GetParent(timer->handle()), parent_.get());
    EXPECT_FALSE(IsWindowVisible(timer->handle()));
    EXPECT_EQ(kTimerClass.flags, 0x80008040u);
    EXPECT_EQ(kTimerClass.propertyCount, 9u);
}

TEST_F(TimerTest, FiresTickRepeatedlyWhileRunning) {
    ASSERT_NE(create(10), nullptr);
    EXPECT_TRUE(timer_->running());
    pumpUntil(3, 5000);
    ASSERT_GE(events_.size(), 3u);
    for (const FiredEvent& event : events_) {
        EXPECT_EQ(event.windowId, kWindowId);
        EXPECT_EQ(event.componentId, kComponentId);
        EXPECT_EQ(event.number, 0);
    }
}

TEST_F(TimerTest, ZeroIntervalFiresNothingUntilAPositiveOneIsWritten) {
    ASSERT_NE(create(0), nullptr);
    EXPECT_FALSE(timer_->running());
    pumpUntil(1, 150);
    EXPECT_TRUE(events_.empty());
    writeInterval(10);
    pumpUntil(2, 5000);
    EXPECT_GE(events_.size(), 2u);
}

TEST_F(TimerTest, WritingZeroStopsTheTicks) {
    ASSERT_NE(create(10), nullptr);
    pumpUntil(1, 5000);
    ASSERT_FALSE(events_.empty());
    writeInterval(0);
    EXPECT_FALSE(timer_->running());
    // Ticks already queued are gone with the system timer.
    const std::size_t before = events_.size();
    pumpUntil(before + 1, 150);
    EXPECT_EQ(events_.size(), before);
}

TEST_F(TimerTest, NegativeIntervalStopsAndReadsBackZero) {
    ASSERT_NE(create(10), nullptr);
    writeInterval(-5);
    EXPECT_EQ(readInterval(), 0);
    EXPECT_FALSE(timer_->running());
}

// Whether the system timer is set is read by killing it: KillTimer answers
// whether there was one to kill.
TEST_F(TimerTest, WritingTheSameIntervalAgainDoesNotRestartThePeriod) {
    ASSERT_NE(create(0), nullptr);
    writeInterval(10000);
    EXPECT_TRUE(KillTimer(timer_->handle(), 1000));
    writeInterval(10000);
    EXPECT_FALSE(KillTimer(timer_->handle(), 1000)) << "an unchanged interval must leave the timer alone";
    EXPECT_TRUE(timer_->running());
    writeInterval(20000);
    EXPECT_TRUE(KillTimer(timer_->handle(), 1000)) << "a new interval sets the timer again";
    writeInterval(0);
    EXPECT_FALSE(KillTimer(timer_->handle(), 1000));
    EXPECT_EQ(readInterval(), 0);
}

TEST_F(TimerTest, InADesignerTheIntervalIsKeptButNothingTicks) {
    ASSERT_NE(createFrom(classdata::encode(classdata::TimerData{10}), true), nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(timer_->handle(), GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(timer_->running());
    EXPECT_FALSE(KillTimer(timer_->handle(), 1000));
    writeInterval(20);
    EXPECT_EQ(readInterval(), 20);
    EXPECT_FALSE(KillTimer(timer_->handle(), 1000));
    pumpUntil(1, 100);
    EXPECT_TRUE(events_.empty());
}

TEST_F(TimerTest, SaveStateWritesTheNewestVersionWithTheInterval) {
    ASSERT_NE(create(25), nullptr);
    writeInterval(40);
    const std::vector<std::uint8_t> saved =
        classRoutine<SaveStateRoutine>(kTimerClass, class_interface::kSaveState)(timer_);
    EXPECT_EQ(saved, (std::vector<std::uint8_t>{1, 0, 0, 0, 40, 0, 0, 0}));
    EXPECT_EQ(readInterval(), 40);
}

TEST_F(TimerTest, NewerClassDataCreatesNothing) {
    EXPECT_EQ(createFrom({2, 0, 0, 0, 10, 0, 0, 0}), nullptr);
    EXPECT_EQ(createFrom({1, 0, 0, 0, 10, 0}), nullptr);
}

TEST_F(TimerTest, DestroyingTheWindowKillsTheSystemTimer) {
    ASSERT_NE(create(10), nullptr);
    HWND window = timer_->handle();
    delete timer_;
    timer_ = nullptr;
    EXPECT_FALSE(IsWindow(window));
    pumpUntil(1, 100);
    EXPECT_TRUE(events_.empty());
}

}  // namespace
}  // namespace veltrano
