#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/kernel/runtime_application.h"
#include "runtime/template/record_writer.h"
#include "runtime/template/segment_writer.h"
#include "tests/kernel_loading/test_classes.h"

namespace veltrano::test {

inline constexpr std::uint32_t kWindowId = 0x52010001;
inline constexpr std::uint32_t kWindowEntry = 0x06010000;
inline constexpr std::uint32_t kBox = 0x16000002;
inline constexpr std::uint32_t kInnerText = 0x16000003;
inline constexpr std::uint32_t kOuterText = 0x16000004;
// A second window, a bare frame, for loading beside the first.
inline constexpr std::uint32_t kDialogId = 0x52010002;
inline constexpr std::uint32_t kDialogEntry = 0x06010005;
// A third window, a frame with menu items: "打开\tCtrl+O" (event bound),
// "-", "保存" disabled and "隐藏" hidden, at table indexes 1 to 4.
inline constexpr std::uint32_t kMenuWindowId = 0x52010003;
inline constexpr std::uint32_t kMenuWindowEntry = 0x06010006;
inline constexpr std::uint32_t kOpenItem = 0x26000011;
inline constexpr std::uint32_t kSeparatorItem = 0x26000012;
inline constexpr std::uint32_t kSaveItem = 0x26000013;
inline constexpr std::uint32_t kHiddenItem = 0x26000014;

// A fourth window holding a tab control with one text on each of its two
// pages.
inline constexpr std::uint32_t kPagedWindowId = 0x52010004;
inline constexpr std::uint32_t kPagedWindowEntry = 0x06010007;
inline constexpr std::uint32_t kTab = 0x16000021;
inline constexpr std::uint32_t kFirstPageText = 0x16000022;
inline constexpr std::uint32_t kSecondPageText = 0x16000023;
// A fifth, a bare frame that starts hidden.
inline constexpr std::uint32_t kHiddenDialogId = 0x52010005;
inline constexpr std::uint32_t kHiddenDialogEntry = 0x06010008;

// Which handlers ran, in order, with what the runtime said the source was.
struct HandlerLog {
    std::vector<std::string> calls;
    std::vector<std::uint32_t> lastArguments;
};
HandlerLog& handlerLog();

// A window with a box holding one text, and a second text on the window
// with the text-beam pointer.
// The window binds events 0, 3 and 4; the inner text binds event 0 and
// event 1 to "no handler".
std::vector<std::uint8_t> sampleSegment();

class LoadingTest : public ::testing::Test {
protected:
    LoadingTest();
    ~LoadingTest() override;

    WindowObject* objectOf(std::uint32_t componentId);
    HWND handleOf(std::uint32_t componentId);
    void closeWindow();

    std::vector<std::uint8_t> segment_;
    ApplicationDescriptor descriptor_;
    RuntimeApplication runtime_;
};

}  // namespace veltrano::test
