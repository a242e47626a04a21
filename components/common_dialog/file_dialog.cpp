#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "components/common_dialog/common_dialog_object.h"
#include "components/common_dialog/dialog_filter.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano {
namespace {

// Room for the longest path the system's wide functions take.
constexpr std::size_t kFileNameCapacity = 32768;

// The dialogs take the filter's parts separated by zero characters. The
// split is made on the wide text: a "|" byte can be the second byte of a
// double-byte character in code page 936.
std::wstring systemFilter(std::string_view terminated) {
    std::wstring filter = wideFromCodePage936(terminated);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    return filter;
}

}  // namespace

int CommonDialogObject::showFileDialog(bool save) {
    const std::string terminated = common_dialog::terminatedFilter(data_.Filter);
    const std::wstring filter = systemFilter(terminated);
    const std::wstring title = wideFromCodePage936(data_.Title);
    const std::wstring initialDir = wideFromCodePage936(data_.InitialDir);
    const std::wstring defaultExt = wideFromCodePage936(common_dialog::bareExtension(data_.DefaultExt));

    std::vector<wchar_t> fileName(kFileNameCapacity, L'\0');
    const std::wstring initialName = wideFromCodePage936(data_.FileName);
    std::copy_n(initialName.begin(), std::min(initialName.size(), kFileNameCapacity - 1), fileName.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ownerWindow();
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = common_dialog::initialFilterNumber(terminated, data_.FilterIndex);
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = static_cast<DWORD>(fileName.size());
    dialog.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    if (data_.CreatePrompt) dialog.Flags |= OFN_CREATEPROMPT;
    if (data_.FileMustExist) dialog.Flags |= OFN_FILEMUSTEXIST;
    if (data_.OverwritePrompt) dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (data_.PathMustExist) dialog.Flags |= OFN_PATHMUSTEXIST;
    if (data_.NoChangeDir) dialog.Flags |= OFN_NOCHANGEDIR;

    const BOOL confirmed = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!confirmed) return 0;
    data_.FileName = codePage936FromWide(fileName.data());
    return 1;
}

}  // namespace veltrano
