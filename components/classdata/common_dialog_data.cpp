#include "components/classdata/common_dialog_data.h"

namespace veltrano::classdata {

template <>
std::optional<CommonDialogData> decode<CommonDialogData>(std::span<const std::uint8_t> bytes) {
    CommonDialogData d;
    if (bytes.empty()) return d;
    Reader r(bytes);
    std::uint32_t version = 0;
    r.version(CommonDialogData::kNewestVersion, version);
    r.i32(d.DialogType).i32(d.FilterIndex).flag(d.CreatePrompt).flag(d.FileMustExist).flag(d.OverwritePrompt);
    r.flag(d.PathMustExist).flag(d.NoChangeDir).u32(d.Color).flag(d.Bold).flag(d.Italic).flag(d.StrikeOut);
    r.flag(d.Underline).i32(d.FontSize).i32(d.HelpCommand).i32(d.HelpContext);
    r.text(d.Title).text(d.FileName).text(d.Filter).text(d.InitialDir).text(d.DefaultExt).text(d.FontName);
    r.text(d.HelpFile);
    if (!r.ok()) return std::nullopt;
    return d;
}

std::vector<std::uint8_t> encode(const CommonDialogData& d) {
    Writer w;
    w.u32(CommonDialogData::kNewestVersion);
    w.i32(d.DialogType).i32(d.FilterIndex).flag(d.CreatePrompt).flag(d.FileMustExist).flag(d.OverwritePrompt);
    w.flag(d.PathMustExist).flag(d.NoChangeDir).u32(d.Color).flag(d.Bold).flag(d.Italic).flag(d.StrikeOut);
    w.flag(d.Underline).i32(d.FontSize).i32(d.HelpCommand).i32(d.HelpContext);
    w.text(d.Title).text(d.FileName).text(d.Filter).text(d.InitialDir).text(d.DefaultExt).text(d.FontName);
    w.text(d.HelpFile);
    return w.take();
}

}  // namespace veltrano::classdata
