#include "tests/app_window/app_window_fixture.h"

#include <commctrl.h>

#include <algorithm>

#include "app/main/main_routine.h"
#include "app/main/veltrano_application.h"
#include "grid/control/grid_ctrl.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/kernel/window_object.h"
#include "tests/driver/program_driver.h"
#include "tests/support/program_folder.h"

namespace veltrano::appwin {
namespace {

constexpr UINT_PTR kProgressSubclass = 0x5650;

int hexDigit(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    return -1;
}

}  // namespace

Bytes hexBytes(std::string_view text) {
    Bytes bytes;
    int high = -1;
    for (char digit : text) {
        const int value = hexDigit(digit);
        if (value < 0) continue;
        if (high < 0) {
            high = value;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + value));
            high = -1;
        }
    }
    return bytes;
}

ProgressRecorder::ProgressRecorder(HWND progressBar) : window_(progressBar) {
    SetWindowSubclass(window_, &ProgressRecorder::procedure, kProgressSubclass, reinterpret_cast<DWORD_PTR>(this));
}

ProgressRecorder::~ProgressRecorder() {
    RemoveWindowSubclass(window_, &ProgressRecorder::procedure, kProgressSubclass);
}

LRESULT CALLBACK ProgressRecorder::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self) {
    if (message == PBM_SETPOS) {
        reinterpret_cast<ProgressRecorder*>(self)->positions_.push_back(static_cast<int>(wParam));
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void AppWindowTest::SetUp() {
    ASSERT_TRUE(library_.loaded()) << "the scripted serial library is not beside the test program";
    ASSERT_TRUE(ports_.usable()) << "the serial port list cannot be written";
    DeleteFileW(dataFile().c_str());
}

void AppWindowTest::TearDown() {
    if (!runtime_) return;
    if (HWND main = window()) DestroyWindow(main);
    runtime_->shutdown(0);
    runtime_.reset();
}

void AppWindowTest::start(const std::vector<std::wstring>& ports) {
    ASSERT_TRUE(ports_.list(ports));
    runtime_ = std::make_unique<RuntimeApplication>(app::kVeltranoApplication, &app::applicationMain);
    runtime_->initialiseRuntime();
    runtime_->registerExitHook(&app::onApplicationExit);
    runtime_->loadWindow(main_window::kWindowId);
    ASSERT_NE(window(), nullptr) << "the main window did not load";
    pumpUntil([] { return false; }, 0ms);
}

std::wstring AppWindowTest::folder() {
    return test::folderOfThisProgram();
}

std::wstring AppWindowTest::dataFile() {
    return folder() + L"data.dat";
}

std::string AppWindowTest::dataFile936() {
    return codePage936FromWide(dataFile());
}

HWND AppWindowTest::control(std::uint32_t componentId) const {
    WindowObject* object = services::componentObject(main_window::kWindowId, componentId);
    return object != nullptr ? object->handle() : nullptr;
}

std::wstring AppWindowTest::textOf(std::uint32_t componentId) const {
    return driver::windowText(control(componentId));
}

std::vector<bool> AppWindowTest::moduleButtonStates() const {
    std::vector<bool> states;
    for (std::uint32_t button : kModuleButtons) states.push_back(enabled(button));
    return states;
}

int AppWindowTest::progress() const {
    return static_cast<int>(SendMessageW(control(component::进度条1), PBM_GETPOS, 0, 0));
}

void AppWindowTest::click(std::uint32_t componentId) {
    SendMessageW(control(componentId), BM_CLICK, 0, 0);
}

void AppWindowTest::select(std::uint32_t comboId, int index) {
    HWND combo = control(comboId);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void AppWindowTest::dropDown(std::uint32_t comboId) {
    HWND combo = control(comboId);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

void AppWindowTest::type(std::uint32_t editId, const std::wstring& text) {
    SendMessageW(control(editId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::wstring> AppWindowTest::items(std::uint32_t comboId) const {
    HWND combo = control(comboId);
    std::vector<std::wstring> texts;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
        texts.push_back(text);
    }
    return texts;
}

int AppWindowTest::selectedIndex(std::uint32_t comboId) const {
    return static_cast<int>(SendMessageW(control(comboId), CB_GETCURSEL, 0, 0));
}

bool AppWindowTest::pumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        runtime_->processPendingMessages();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool AppWindowTest::pumpPolls(int count) {
    const std::size_t target = countCalls(kScriptedIqueue) + static_cast<std::size_t>(count);
    return pumpUntil([&] { return countCalls(kScriptedIqueue) >= target; });
}

void AppWindowTest::openPort() {
    select(component::组合框_串口, 0);
    click(component::按钮_开关端口);
    ASSERT_EQ(textOf(component::按钮_开关端口), L"关闭");
}

void AppWindowTest::receive(const Bytes& bytes) {
    const std::size_t reads = countCalls(kScriptedRead);
    library_.queue(bytes);
    ASSERT_TRUE(pumpUntil([&] { return countCalls(kScriptedRead) > reads && library_.unreadCount() == 0; }))
        << "the program did not read what the line received";
}

grid::GridModel& AppWindowTest::table() const {
    grid::CGridCtrl* grid =
        grid::gridFromObject(services::componentObject(main_window::kWindowId, component::高级表格1));
    if (grid == nullptr) throw std::runtime_error("the table grid is not loaded");
    return grid->model();
}

std::string AppWindowTest::cellText(int row, int column) const {
    const grid::Cell* cell = table().cell(row, column);
    return cell != nullptr ? cell->text : std::string("<no cell>");
}

std::size_t AppWindowTest::countCalls(int function) const {
    const auto calls = library_.calls();
    return static_cast<std::size_t>(
        std::count_if(calls.begin(), calls.end(), [&](const ScriptedCall& call) { return call.function == function; }));
}

}  // namespace veltrano::appwin
