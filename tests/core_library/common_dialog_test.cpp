#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/classdata/common_dialog_data.h"
#include "components/common_dialog/common_dialog_class.h"
#include "components/common_dialog/common_dialog_object.h"
#include "components/common_dialog/dialog_filter.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/kernel/unique_handle.h"
#include "runtime/kernel/wide_text.h"
#include "tests/core_library/command_fixture.h"
#include "tests/core_library/dialog_answerer.h"

namespace veltrano::test {
namespace {

using common_dialog::bareExtension;
using common_dialog::initialFilterNumber;
using common_dialog::terminatedFilter;

TEST(DialogFilter, OnePairGetsTheListEnd) {
    EXPECT_EQ(terminatedFilter("Data|*.dat"), "Data|*.dat||");
    EXPECT_EQ(terminatedFilter("Data|*.dat||"), "Data|*.dat||");
    EXPECT_EQ(terminatedFilter("Data|*.dat|  \t"), "Data|*.dat|||");
    EXPECT_EQ(terminatedFilter("   "), "");
}

TEST(DialogFilter, InitialFilterNeedsAFilter) {
    EXPECT_EQ(initialFilterNumber("Data|*.dat||", 0), 1u);
    EXPECT_EQ(initialFilterNumber("Data|*.dat||All|*.*||", 1), 2u);
    EXPECT_EQ(initialFilterNumber("Data|*.dat||", -3), 1u);
    EXPECT_EQ(initialFilterNumber("", 0), 0u);
}

TEST(DialogFilter, DefaultExtensionLosesLeadingDots) {
    EXPECT_EQ(bareExtension(".dat"), "dat");
    EXPECT_EQ(bareExtension("dat"), "dat");
    EXPECT_EQ(bareExtension(".."), "");
}

class CommonDialogTest : public CommandTest {
protected:
    CommonDialogTest()
        : parent_(CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~CommonDialogTest() override { delete dialog_; }

    CommonDialogObject* create(const classdata::CommonDialogData& data = {}) {
        const std::vector<std::uint8_t> bytes = classdata::encode(data);
        return createFrom(bytes);
    }
    CommonDialogObject* createFrom(const std::vector<std::uint8_t>& bytes) {
        auto createRoutine = classRoutine<CreateRoutine>(kCommonDialogClass, class_interface::kCreate);
        dialog_ = static_cast<CommonDialogObject*>(createRoutine(bytes.data(), static_cast<std::uint32_t>(bytes.size()),
                                                                 0, parent_.get(), 9, nullptr, 0, 0, 32, 32, 0x52010001,
                                                                 0x1601001F, 0, 0));
        return dialog_;
    }
    void write(int index, AddressWord word) {
        const RawValue value{word, 0};
        classRoutine<WritePropertyRoutine>(kCommonDialogClass, class_interface::kWriteProperty)(dialog_, index, &value,
                                                                                                0);
    }
    void writeText(int index, const std::string& text) { write(index, addressWord(text.c_str())); }
    RawValue read(int index) {
        RawValue value{0xDEAD, 0xBEEF};
        classRoutine<ReadPropertyRoutine>(kCommonDialogClass, class_interface::kReadProperty)(dialog_, index, &value);
        return value;
    }
    std::string readText(int index) { return std::string(textView(addressFromWord<const char>(read(index).word1))); }

    static std::string temporaryFolder() {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        std::wstring path(folder);
        if (!path.empty() && path.back() == L'\\') path.pop_back();
        return codePage936FromWide(path);
    }

    win::UniqueWindow parent_;
    CommonDialogObject* dialog_ = nullptr;
};

constexpr int kDialogType = 0;
constexpr int kFileName = 2;
constexpr int kFilter = 3;
constexpr int kFilterIndex = 4;
constexpr int kInitialDir = 5;
constexpr int kDefaultExt = 6;
constexpr int kFileMustExist = 8;
constexpr int kColor = 12;
constexpr int kFontSize = 18;
constexpr int kHelpCommand = 20;

TEST_F(CommonDialogTest, IsAHiddenChildOfItsOwnClass) {
    ASSERT_NE(create(), nullptr);
    wchar_t className[32] = {};
    GetClassNameW(dialog_->handle(), className, 32);
    EXPECT_STREQ(className, L"_QL_CommonDlg");
    EXPECT_FALSE(IsWindowVisible(dialog_->handle()));
    EXPECT_EQ(kCommonDialogClass.flags, 0x80008040u);
    EXPECT_EQ(kCommonDialogClass.propertyCount, 30u);
}

TEST_F(CommonDialogTest, WritesClampEnumerationsAndCounts) {
    ASSERT_NE(create(), nullptr);
    write(kDialogType, 9);
    EXPECT_EQ(read(kDialogType).word1, 3u);
    write(kHelpCommand, static_cast<std::uint32_t>(-1));
    EXPECT_EQ(read(kHelpCommand).word1, 0u);
    write(kFilterIndex, static_cast<std::uint32_t>(-2));
    EXPECT_EQ(read(kFilterIndex).word1, 0u);
    write(kFontSize, static_cast<std::uint32_t>(-12));
    EXPECT_EQ(read(kFontSize).word1, 0u);
    write(kColor, 0x00FF8040);
    EXPECT_EQ(read(kColor).word1, 0x00FF8040u);
}

TEST_F(CommonDialogTest, TextsAreCopiedInAndAnsweredAsOwnedAddresses) {
    ASSERT_NE(create(), nullptr);
    std::string extension = ".dat";
    writeText(kDefaultExt, extension);
    extension = "xxxx";
    EXPECT_EQ(readText(kDefaultExt), ".dat");
    EXPECT_EQ(read(kFilter).word1, 0u) << "an empty text reads as null";
    EXPECT_EQ(read(kFileMustExist).word1, 1u);
}

TEST_F(CommonDialogTest, SavedStateCreatesTheSameDialog) {
    classdata::CommonDialogData data;
    data.DialogType = 1;
    data.Filter = "Data|*.dat";
    data.FontName = "Tahoma";
    ASSERT_NE(create(data), nullptr);
    writeText(kFileName, "C:\\a.dat");
    const auto saved = classRoutine<SaveStateRoutine>(kCommonDialogClass, class_interface::kSaveState)(dialog_);
    const auto decoded = classdata::decode<classdata::CommonDialogData>(saved);
    ASSERT_TRUE(decoded);
    data.FileName = "C:\\a.dat";
    EXPECT_EQ(*decoded, data);
}

TEST_F(CommonDialogTest, NewerClassDataCreatesNothing) {
    std::vector<std::uint8_t> bytes = classdata::encode(classdata::CommonDialogData{});
    bytes[0] = 2;
    EXPECT_EQ(createFrom(bytes), nullptr);
}

TEST_F(CommonDialogTest, CancelledOpenDialogKeepsTheFileName) {
    ASSERT_NE(create(), nullptr);
    writeText(kFileName, "previous.dat");
    BoxAnswerer answerer(IDCANCEL);
    EXPECT_EQ(dialog_->show(), 0);
    EXPECT_TRUE(answerer.seen().found);
    EXPECT_EQ(readText(kFileName), "previous.dat");
}

TEST_F(CommonDialogTest, ConfirmedSaveDialogGivesTheFullPathWithTheDefaultExtension) {
    ASSERT_NE(create(), nullptr);
    const std::string folder = temporaryFolder();
    write(kDialogType, 1);
    writeText(kDefaultExt, ".dat");
    writeText(kFilter, "Data|*.dat");
    writeText(kInitialDir, folder);
    const std::wstring typed = L"veltrano-dialog-test";
    DeleteFileW((wideFromCodePage936(folder) + L"\\" + typed + L".dat").c_str());
    BoxAnswerer answerer(IDOK, [typed](HWND box) {
        SetDlgItemTextW(box, 0x47C, typed.c_str());
        SetDlgItemTextW(box, 0x480, typed.c_str());
    });
    EXPECT_EQ(dialog_->show(), 1);
    EXPECT_TRUE(answerer.seen().found);
    EXPECT_EQ(readText(kFileName), folder + "\\veltrano-dialog-test.dat");
}

}  // namespace
}  // namespace veltrano::test
