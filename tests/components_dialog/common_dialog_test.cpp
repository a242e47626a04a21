#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "components/classdata/common_dialog_data.h"
#include "components/common_dialog/common_dialog_class.h"
#include "components/common_dialog/common_dialog_object.h"
#include "components/window/form_object.h"
#include "components/window/window_class.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/kernel/unique_handle.h"
#include "runtime/kernel/wide_text.h"
#include "tests/core_library/dialog_answerer.h"

namespace veltrano::test {
namespace {

constexpr int kDialogType = 0;
constexpr int kFileName = 2;
constexpr int kInitialDir = 5;
constexpr int kDefaultExt = 6;
constexpr int kOverwritePrompt = 9;
constexpr int kColor = 12;
constexpr int kBold = 13;
constexpr int kItalic = 14;
constexpr int kStrikeOut = 15;
constexpr int kUnderline = 16;
constexpr int kFontName = 17;
constexpr int kFontSize = 18;
constexpr int kHelpFile = 19;
constexpr int kHelpCommand = 20;
constexpr int kHelpContext = 21;

class CommonDialogFixture : public ::testing::Test {
protected:
    CommonDialogFixture()
        : parent_(CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~CommonDialogFixture() override { delete dialog_; }

    CommonDialogObject* create(const classdata::CommonDialogData& data = {}, bool designMode = false) {
        const std::vector<std::uint8_t> bytes = classdata::encode(data);
        auto createRoutine = classRoutine<CreateRoutine>(kCommonDialogClass, class_interface::kCreate);
        dialog_ = static_cast<CommonDialogObject*>(createRoutine(bytes.data(), static_cast<std::uint32_t>(bytes.size()),
                                                                 0, parent_.get(), 9, nullptr, 0, 0, 32, 32, 0x52010001,
                                                                 0x1601001F, 0, designMode ? 1 : 0));
        return dialog_;
    }
    void write(int index, AddressWord word) {
        const RawValue value{word, 0};
        classRoutine<WritePropertyRoutine>(kCommonDialogClass, class_interface::kWriteProperty)(dialog_, index, &value,
                                                                                                0);
    }
    void writeText(int index, const std::string& text) { write(index, addressWord(text.c_str())); }
    AddressWord read(int index) {
        RawValue value{0xDEAD, 0xBEEF};
        classRoutine<ReadPropertyRoutine>(kCommonDialogClass, class_interface::kReadProperty)(dialog_, index, &value);
        return value.word1;
    }
    std::string readText(int index) { return std::string(textView(addressFromWord<const char>(read(index)))); }

    static std::string missingHelpFile() {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        const std::wstring path = std::wstring(folder) + L"veltrano-no-such-help.hlp";
        DeleteFileW(path.c_str());
        return std::string(path.begin(), path.end());
    }

    win::UniqueWindow parent_;
    CommonDialogObject* dialog_ = nullptr;
};

int CALLBACK rememberFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM target) {
    auto* face = reinterpret_cast<std::wstring*>(target);
    if ((type & TRUETYPE_FONTTYPE) == 0 || font->lfFaceName[0] == L'@') return 1;
    *face = font->lfFaceName;
    return 0;
}

// A scalable face the machine has, so the dialog can start from it: the
// dialog falls back to its first face for one it does not list.
std::string installedFace() {
    std::wstring face;
    HDC screen = GetDC(nullptr);
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen, &wanted, &rememberFace, reinterpret_cast<LPARAM>(&face), 0);
    ReleaseDC(nullptr, screen);
    return codePage936FromWide(face);
}

class FontDialogTest : public CommonDialogFixture {
protected:
    void SetUp() override {
        face_ = installedFace();
        if (face_.empty()) GTEST_SKIP() << "no scalable font installed";
        ASSERT_NE(create(), nullptr);
        write(kDialogType, 2);
        writeText(kFontName, face_);
    }
    std::string face_;
};

TEST_F(FontDialogTest, ConfirmedDialogGivesBackTheFontItStartedFrom) {
    write(kFontSize, 12);
    write(kBold, 1);
    write(kItalic, 1);
    write(kUnderline, 1);
    write(kColor, 0x000000FF);
    BoxAnswerer answerer(IDOK);
    EXPECT_EQ(dialog_->show(), 1);
    EXPECT_TRUE(answerer.seen().found);
    EXPECT_EQ(readText(kFontName), face_);
    EXPECT_EQ(read(kFontSize), 12u);
    EXPECT_EQ(read(kBold), 1u);
    EXPECT_EQ(read(kItalic), 1u);
    EXPECT_EQ(read(kUnderline), 1u);
    EXPECT_EQ(read(kStrikeOut), 0u);
    EXPECT_EQ(read(kColor), 0x000000FFu);
}

TEST_F(FontDialogTest, ConfirmedDialogTakesTheSizePickedInIt) {
    write(kFontSize, 9);
    // Picks 18 in the size list of the system's font dialog as a user would.
    BoxAnswerer answerer(IDOK, [](HWND box) {
        HWND sizes = GetDlgItem(box, 0x472);
        SendMessageW(sizes, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"18"));
        SendMessageW(box, WM_COMMAND, MAKEWPARAM(0x472, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
    });
    EXPECT_EQ(dialog_->show(), 1);
    EXPECT_TRUE(answerer.seen().found);
    EXPECT_EQ(read(kFontSize), 18u);
    EXPECT_EQ(read(kBold), 0u);
}

TEST_F(FontDialogTest, CancelledDialogChangesNothing) {
    write(kFontSize, 11);
    write(kColor, 0x00008000);
    BoxAnswerer answerer(IDCANCEL);
    EXPECT_EQ(dialog_->show(), 0);
    EXPECT_TRUE(answerer.seen().found);
    EXPECT_EQ(readText(kFontName), face_);
    EXPECT_EQ(read(kFontSize), 11u);
    EXPECT_EQ(read(kColor), 0x00008000u);
    EXPECT_EQ(read(kBold), 0u);
}

// Answers the box the save dialog asks with before it replaces a file.
class ReplacePromptAnswerer {
public:
    ReplacePromptAnswerer() : thread_([this] { watch(); }) {}
    ~ReplacePromptAnswerer() { stop(); }
    void dialogIs(HWND dialog) noexcept { dialog_ = dialog; }
    bool prompted() {
        stop();
        return prompted_;
    }

private:
    struct Search {
        HWND owner;
        HWND found;
    };
    static BOOL CALLBACK findOwned(HWND window, LPARAM target) {
        auto* search = reinterpret_cast<Search*>(target);
        wchar_t className[32] = {};
        GetClassNameW(window, className, 32);
        if (GetWindow(window, GW_OWNER) == search->owner && lstrcmpW(className, L"#32770") == 0 &&
            IsWindowVisible(window)) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }
    void watch() {
        const ULONGLONG deadline = GetTickCount64() + 20000;
        while (!done_ && GetTickCount64() < deadline) {
            Search search{dialog_, nullptr};
            if (search.owner != nullptr)
                EnumThreadWindows(GetWindowThreadProcessId(search.owner, nullptr), &findOwned,
                                  reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                prompted_ = true;
                PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(search.found, IDYES)));
                return;
            }
            Sleep(20);
        }
    }
    void stop() {
        done_ = true;
        if (thread_.joinable()) thread_.join();
    }

    std::atomic<HWND> dialog_{nullptr};
    std::atomic<bool> done_{false};
    bool prompted_ = false;
    std::thread thread_;
};

class SaveDialogTest : public CommonDialogFixture {
protected:
    void SetUp() override {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        folder_ = folder;
        if (!folder_.empty() && folder_.back() == L'\\') folder_.pop_back();
        // Each case runs in its own process, perhaps beside the other.
        const std::string testName = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        name_ = L"veltrano-" + std::wstring(testName.begin(), testName.end());
        path_ = folder_ + L"\\" + name_ + L".dat";
        win::UniqueFile file(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        ASSERT_NE(create(), nullptr);
        write(kDialogType, 1);
        writeText(kDefaultExt, ".dat");
        writeText(kInitialDir, codePage936FromWide(folder_));
    }
    void TearDown() override { DeleteFileW(path_.c_str()); }

    // Shows the dialog, types the existing file's name and confirms.
    int saveOverTheFile(ReplacePromptAnswerer& prompt) {
        BoxAnswerer answerer(IDOK, [this, &prompt](HWND box) {
            SetDlgItemTextW(box, 0x47C, name_.c_str());
            SetDlgItemTextW(box, 0x480, name_.c_str());
            prompt.dialogIs(box);
        });
        const int result = dialog_->show();
        EXPECT_TRUE(answerer.seen().found);
        return result;
    }

    std::wstring folder_;
    std::wstring name_;
    std::wstring path_;
};

TEST_F(SaveDialogTest, ReplacingAnExistingFileAsksFirstByDefault) {
    ReplacePromptAnswerer prompt;
    EXPECT_EQ(saveOverTheFile(prompt), 1);
    EXPECT_TRUE(prompt.prompted());
    EXPECT_EQ(readText(kFileName), codePage936FromWide(path_));
}

TEST_F(SaveDialogTest, WithoutOverwritePromptTheFileIsTakenAtOnce) {
    write(kOverwritePrompt, 0);
    ReplacePromptAnswerer prompt;
    EXPECT_EQ(saveOverTheFile(prompt), 1);
    EXPECT_FALSE(prompt.prompted());
    EXPECT_EQ(readText(kFileName), codePage936FromWide(path_));
}

using HelpCommandTest = CommonDialogFixture;

TEST_F(HelpCommandTest, MissingHelpFileShowsNothingForTheFileCommands) {
    ASSERT_NE(create(), nullptr);
    write(kDialogType, 3);
    writeText(kHelpFile, missingHelpFile());
    write(kHelpContext, 42);
    for (std::uint32_t command = 0; command <= 3; ++command) {
        write(kHelpCommand, command);
        EXPECT_EQ(dialog_->show(), 0) << "help command " << command;
        EXPECT_FALSE(dialog_->helpViewerOpen());
    }
}

TEST_F(HelpCommandTest, QuitAnswersOneAndLeavesTheViewerClosed) {
    ASSERT_NE(create(), nullptr);
    write(kDialogType, 3);
    write(kHelpCommand, 5);
    EXPECT_EQ(dialog_->show(), 1);
    EXPECT_FALSE(dialog_->helpViewerOpen());
    write(kHelpCommand, 9);
    EXPECT_EQ(read(kHelpCommand), 5u);
}

// A help viewer of the test's own: the system hands help commands to the
// window of this class, so no viewer program starts. It answers 0, as a
// viewer does that could not show the file.
class StandInHelpViewer {
public:
    StandInHelpViewer() {
        commands().clear();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"MS_WINHELP";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"MS_WINHELP", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~StandInHelpViewer() {
        DestroyWindow(window_);
        UnregisterClassW(L"MS_WINHELP", GetModuleHandleW(nullptr));
    }
    bool ready() const { return window_ != nullptr; }
    static std::vector<WORD>& commands() {
        static std::vector<WORD> received;
        return received;
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COPYDATA) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            // The request starts with its size and then its command, two
            // 16-bit words.
            if (data != nullptr && data->cbData >= 4) {
                WORD command = 0;
                std::memcpy(&command, static_cast<const BYTE*>(data->lpData) + 2, sizeof command);
                commands().push_back(command);
            }
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    HWND window_ = nullptr;
};

class HelpOnTheOwningWindowTest : public CommonDialogFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(viewer_.ready());
        const auto createForm = classRoutine<CreateRoutine>(kWindowClass, class_interface::kCreate);
        const std::vector<std::uint8_t> bytes = classdata::encode(classdata::WindowData{});
        form_ =
            dynamic_cast<CWinFormUnit*>(createForm(bytes.data(), static_cast<std::uint32_t>(bytes.size()), 0, nullptr,
                                                   0, nullptr, 10, 20, 300, 200, 0x52010001, 0x06010000, 0, 0));
        ASSERT_NE(form_, nullptr);
        formWindow_ = form_->handle();
        const std::vector<std::uint8_t> dialogBytes = classdata::encode(classdata::CommonDialogData{});
        auto createDialog = classRoutine<CreateRoutine>(kCommonDialogClass, class_interface::kCreate);
        dialog_ = static_cast<CommonDialogObject*>(
            createDialog(dialogBytes.data(), static_cast<std::uint32_t>(dialogBytes.size()), 0, formWindow_, 9, nullptr,
                         0, 0, 32, 32, 0x52010001, 0x1601001F, 0, 0));
        ASSERT_NE(dialog_, nullptr);
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        helpFile_ = std::wstring(folder) + L"veltrano-help-" + std::to_wstring(GetCurrentProcessId()) + L".hlp";
        HANDLE file = CreateFileW(helpFile_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
        write(kDialogType, 3);
        writeText(kHelpFile, codePage936FromWide(helpFile_));
    }
    void TearDown() override {
        delete dialog_;
        dialog_ = nullptr;
        if (IsWindow(formWindow_)) DestroyWindow(formWindow_);
        DeleteFileW(helpFile_.c_str());
    }
    std::size_t quits() const {
        const std::vector<WORD>& seen = StandInHelpViewer::commands();
        return static_cast<std::size_t>(std::count(seen.begin(), seen.end(), static_cast<WORD>(HELP_QUIT)));
    }

    StandInHelpViewer viewer_;
    CWinFormUnit* form_ = nullptr;
    HWND formWindow_ = nullptr;
    std::wstring helpFile_;
};

TEST_F(HelpOnTheOwningWindowTest, AnExistingHelpFileAnswersOneAndMarksTheWindowWhateverTheViewerSays) {
    write(kHelpCommand, 0);
    EXPECT_EQ(dialog_->show(), 1);
    ASSERT_EQ(StandInHelpViewer::commands(), std::vector<WORD>{HELP_FINDER});
    EXPECT_TRUE(form_->helpOpen());
    EXPECT_TRUE(dialog_->helpViewerOpen());

    // The window quits the viewer when it goes, once, though the dialog
    // that opened it went first.
    delete dialog_;
    dialog_ = nullptr;
    DestroyWindow(formWindow_);
    EXPECT_EQ(quits(), 1u);
}

TEST_F(HelpOnTheOwningWindowTest, QuitThroughTheDialogClearsTheWindowsMarkWhoeverOpenedTheViewer) {
    // As F1 leaves it.
    form_->setHelpOpen(true);
    write(kHelpCommand, 5);
    EXPECT_EQ(dialog_->show(), 1);
    EXPECT_EQ(quits(), 1u);
    EXPECT_FALSE(form_->helpOpen());
    EXPECT_FALSE(dialog_->helpViewerOpen());

    write(kHelpCommand, 1);
    write(kHelpContext, 42);
    EXPECT_EQ(dialog_->show(), 1);
    write(kHelpCommand, 5);
    EXPECT_EQ(dialog_->show(), 1);
    EXPECT_EQ(quits(), 2u);
    // Nothing is left open, so the window's end sends no further quit.
    delete dialog_;
    dialog_ = nullptr;
    DestroyWindow(formWindow_);
    EXPECT_EQ(quits(), 2u);
}

using CommonDialogWindowTest = CommonDialogFixture;

TEST_F(CommonDialogWindowTest, OnlyADesignerShowsItsFrame) {
    ASSERT_NE(create(), nullptr);
    EXPECT_FALSE(GetWindowLongPtrW(dialog_->handle(), GWL_STYLE) & WS_BORDER);
    delete dialog_;
    dialog_ = nullptr;
    ASSERT_NE(create({}, true), nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(dialog_->handle(), GWL_STYLE) & WS_BORDER);
}

std::string shouted(std::string_view text, void* context) {
    ++*static_cast<int*>(context);
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result + "!";
}

TEST(CommonDialogTextConversion, RewritesEveryTextAndKeepsTheNumbers) {
    classdata::CommonDialogData data;
    data.DialogType = 1;
    data.FilterIndex = 2;
    data.HelpContext = 77;
    data.Title = "save";
    data.FileName = "data.dat";
    data.Filter = "data|*.dat";
    data.InitialDir = "c:\\t";
    data.DefaultExt = ".dat";
    data.FontName = "tahoma";
    data.HelpFile = "x.hlp";
    const std::vector<std::uint8_t> bytes = classdata::encode(data);
    const auto convert = classRoutine<TextConversionRoutine>(kCommonDialogClass, class_interface::kTextConversion);
    ASSERT_NE(convert, nullptr);
    int calls = 0;
    const auto converted = convert(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &shouted, &calls);
    ASSERT_TRUE(converted);
    EXPECT_EQ(calls, 7);
    const auto decoded = classdata::decode<classdata::CommonDialogData>(*converted);
    ASSERT_TRUE(decoded);
    classdata::CommonDialogData expected = data;
    expected.Title = "SAVE!";
    expected.FileName = "DATA.DAT!";
    expected.Filter = "DATA|*.DAT!";
    expected.InitialDir = "C:\\T!";
    expected.DefaultExt = ".DAT!";
    expected.FontName = "TAHOMA!";
    expected.HelpFile = "X.HLP!";
    EXPECT_EQ(*decoded, expected);

    const std::vector<std::uint8_t> newer{2, 0, 0, 0};
    EXPECT_FALSE(convert(newer.data(), static_cast<std::uint32_t>(newer.size()), &shouted, &calls));
}

}  // namespace
}  // namespace veltrano::test
