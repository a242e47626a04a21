#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/window/main_window_template.h"
#include "grid/model/grid_model.h"
#include "runtime/kernel/runtime_application.h"
#include "tests/app_window/dialog_answerer.h"
#include "tests/app_window/scripted_library.h"
#include "tests/app_window/serial_port_key.h"

namespace veltrano::appwin {

namespace component = main_window::component;
using namespace std::chrono_literals;

// The module buttons, in the order the application switches them.
inline constexpr std::uint32_t kModuleButtons[] = {component::按钮_设置波特率, component::按钮_测试,
                                                   component::按钮_学习,       component::清空模块,
                                                   component::读取模块,        component::写入模块};

// The bytes the module answers with, and the fixed frames the program sends.
Bytes hexBytes(std::string_view text);

// Every position the progress bar was given, as the control got it.
class ProgressRecorder {
public:
    explicit ProgressRecorder(HWND progressBar);
    ~ProgressRecorder();
    ProgressRecorder(const ProgressRecorder&) = delete;
    ProgressRecorder& operator=(const ProgressRecorder&) = delete;

    const std::vector<int>& positions() const noexcept { return positions_; }
    void clear() { positions_.clear(); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    HWND window_;
    std::vector<int> positions_;
};

// The real application, in this process: its descriptor, libraries, handler
// table and window template, started as the program starts it, with the
// scripted serial library under it and a user in front of its dialogs.
class AppWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Lists the ports, starts the runtime and loads the main window (its
    // start-up runs in the window's created event).
    void start(const std::vector<std::wstring>& ports = {L"COM3"});
    bool started() const noexcept { return runtime_ != nullptr; }

    // Program folder with a trailing backslash, and the data file in it.
    static std::wstring folder();
    static std::wstring dataFile();
    static std::string dataFile936();

    HWND control(std::uint32_t componentId) const;
    HWND window() const { return control(0); }
    std::wstring textOf(std::uint32_t componentId) const;
    std::wstring logText() const { return textOf(component::编辑框_显示); }
    bool enabled(std::uint32_t componentId) const { return IsWindowEnabled(control(componentId)) != FALSE; }
    std::vector<bool> moduleButtonStates() const;
    int progress() const;

    // What a user does.
    void click(std::uint32_t componentId);
    void select(std::uint32_t comboId, int index);
    void dropDown(std::uint32_t comboId);
    void type(std::uint32_t editId, const std::wstring& text);
    std::vector<std::wstring> items(std::uint32_t comboId) const;
    int selectedIndex(std::uint32_t comboId) const;

    // Pumps the window's messages until the condition holds or the deadline
    // passes; answers the condition.
    bool pumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 10s);
    // Lets the receive timer run until the line has been polled this many
    // more times.
    bool pumpPolls(int count);

    // Opens the port on list item 0 at the preselected rate.
    void openPort();
    // Hands the bytes to the line and waits until the program has read them.
    void receive(const Bytes& bytes);

    grid::GridModel& table() const;
    std::string cellText(int row, int column) const;

    // Frames the program has written since the last reset of the library.
    std::vector<Bytes> frames() const { return library_.frames(); }
    std::size_t countCalls(int function) const;

    ScriptedLibrary library_;
    SerialPortKey ports_;
    DialogAnswerer dialogs_;
    std::unique_ptr<RuntimeApplication> runtime_;
};

}  // namespace veltrano::appwin
