#include "components/common_dialog/common_dialog_object.h"

#include <algorithm>
#include <string>

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

enum PropertyIndex : int {
    kDialogType,
    kTitle,
    kFileName,
    kFilter,
    kFilterIndex,
    kInitialDir,
    kDefaultExt,
    kCreatePrompt,
    kFileMustExist,
    kOverwritePrompt,
    kPathMustExist,
    kNoChangeDir,
    kColor,
    kBold,
    kItalic,
    kStrikeOut,
    kUnderline,
    kFontName,
    kFontSize,
    kHelpFile,
    kHelpCommand,
    kHelpContext,
};

constexpr std::int32_t kLastDialogType = 3;
constexpr std::int32_t kLastHelpCommand = 5;

// Works on the record and on a const record alike.
template <typename Data>
auto textField(Data& data, int index) noexcept -> decltype(&data.Title) {
    switch (index) {
        case kTitle: return &data.Title;
        case kFileName: return &data.FileName;
        case kFilter: return &data.Filter;
        case kInitialDir: return &data.InitialDir;
        case kDefaultExt: return &data.DefaultExt;
        case kFontName: return &data.FontName;
        case kHelpFile: return &data.HelpFile;
        default: return {};
    }
}

template <typename Data>
auto flagField(Data& data, int index) noexcept -> decltype(&data.Bold) {
    switch (index) {
        case kCreatePrompt: return &data.CreatePrompt;
        case kFileMustExist: return &data.FileMustExist;
        case kOverwritePrompt: return &data.OverwritePrompt;
        case kPathMustExist: return &data.PathMustExist;
        case kNoChangeDir: return &data.NoChangeDir;
        case kBold: return &data.Bold;
        case kItalic: return &data.Italic;
        case kStrikeOut: return &data.StrikeOut;
        case kUnderline: return &data.Underline;
        default: return {};
    }
}

template <typename Data>
auto numberField(Data& data, int index) noexcept -> decltype(&data.DialogType) {
    switch (index) {
        case kDialogType: return &data.DialogType;
        case kFilterIndex: return &data.FilterIndex;
        case kFontSize: return &data.FontSize;
        case kHelpCommand: return &data.HelpCommand;
        case kHelpContext: return &data.HelpContext;
        default: return {};
    }
}

}  // namespace

CommonDialogObject::CommonDialogObject(const classdata::CommonDialogData& data)
    : ComponentObject(class_id::kCommonDialog), data_(data) {
    normalise(data_);
}

void CommonDialogObject::normalise(classdata::CommonDialogData& data) noexcept {
    data.DialogType = std::clamp(data.DialogType, 0, kLastDialogType);
    data.HelpCommand = std::clamp(data.HelpCommand, 0, kLastHelpCommand);
    data.FilterIndex = std::max(data.FilterIndex, 0);
    data.FontSize = std::max(data.FontSize, 0);
}

void CommonDialogObject::writeProperty(int index, const RawValue& value) {
    if (std::string* text = textField(data_, index)) {
        *text = std::string(textView(addressFromWord<const char>(value.word1)));
    } else if (bool* flag = flagField(data_, index)) {
        *flag = value.word1 != 0;
    } else if (std::int32_t* number = numberField(data_, index)) {
        *number = static_cast<std::int32_t>(value.word1);
        normalise(data_);
    } else if (index == kColor) {
        data_.Color = value.number();
    }
}

bool CommonDialogObject::readProperty(int index, RawValue& value) const {
    value = {};
    if (const std::string* text = textField(data_, index)) {
        value.word1 = text->empty() ? 0 : addressWord(text->c_str());
    } else if (const bool* flag = flagField(data_, index)) {
        value.word1 = *flag ? 1 : 0;
    } else if (const std::int32_t* number = numberField(data_, index)) {
        value.word1 = static_cast<std::uint32_t>(*number);
    } else if (index == kColor) {
        value.word1 = data_.Color;
    } else {
        return false;
    }
    return true;
}

HWND CommonDialogObject::ownerWindow() const noexcept {
    HWND root = handle() == nullptr ? nullptr : GetAncestor(handle(), GA_ROOT);
    return root == handle() ? nullptr : root;
}

int CommonDialogObject::show() {
    switch (data_.DialogType) {
        case kOpenFile: return showFileDialog(false);
        case kSaveFile: return showFileDialog(true);
        case kFont: return showFontDialog();
        case kHelp: return showHelp();
        default: return 0;
    }
}

}  // namespace veltrano
