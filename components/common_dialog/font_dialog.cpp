#include <windows.h>
#include <commdlg.h>

#include <cstdlib>
#include <cstring>

#include "components/common_dialog/common_dialog_object.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano {
namespace {

constexpr LONG kBoldWeight = 700;
constexpr int kPointsPerInch = 72;

int screenDotsPerInch() noexcept {
    HDC screen = GetDC(nullptr);
    const int dots = screen == nullptr ? 96 : GetDeviceCaps(screen, LOGPIXELSY);
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dots > 0 ? dots : 96;
}

}  // namespace

int CommonDialogObject::showFontDialog() {
    const int dotsPerInch = screenDotsPerInch();
    LOGFONTW font{};
    if (data_.Bold) font.lfWeight = kBoldWeight;
    font.lfItalic = data_.Italic ? 1 : 0;
    font.lfStrikeOut = data_.StrikeOut ? 1 : 0;
    font.lfUnderline = data_.Underline ? 1 : 0;
    // A name longer than the face name field is cut to fit it.
    const std::wstring faceName = wideFromCodePage936(data_.FontName);
    wcsncpy(font.lfFaceName, faceName.c_str(), LF_FACESIZE - 1);
    if (data_.FontSize != 0) font.lfHeight = -MulDiv(data_.FontSize, dotsPerInch, kPointsPerInch);

    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ownerWindow();
    dialog.lpLogFont = &font;
    dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    dialog.rgbColors = data_.Color;
    if (!ChooseFontW(&dialog)) return 0;

    data_.Color = dialog.rgbColors;
    data_.Bold = font.lfWeight >= kBoldWeight;
    data_.Italic = font.lfItalic != 0;
    data_.StrikeOut = font.lfStrikeOut != 0;
    data_.Underline = font.lfUnderline != 0;
    data_.FontName = codePage936FromWide(font.lfFaceName);
    data_.FontSize = std::abs(font.lfHeight) * kPointsPerInch / dotsPerInch;
    return 1;
}

}  // namespace veltrano
