#include "components/classdata/window_data.h"

namespace veltrano::classdata {

template <>
std::optional<WindowData> decode<WindowData>(std::span<const std::uint8_t> bytes) {
    WindowData d;
    if (bytes.empty()) return d;
    Reader r(bytes);
    std::uint32_t version = 0;
    r.version(WindowData::kNewestVersion, version);
    r.i32(d.BorderStyle).i32(d.BackPictureMode).u32(d.BackColor);
    r.flag(d.MaxButton).flag(d.MinButton).flag(d.ControlBox).i32(d.StartPosition).flag(d.Movable);
    r.i32(d.SoundPlayMode).flag(d.EnterMovesFocus).flag(d.EscCloses).flag(d.F1OpensHelp).i32(d.HelpContext);
    if (version >= 2) r.flag(d.ShowInTaskbar);
    if (version >= 3) r.flag(d.DragAnywhere).i32(d.Shape);
    if (version >= 4) r.flag(d.AlwaysOnTop);
    if (version >= 5) r.flag(d.KeepTitleActive);
    if (version >= 6) r.text(d.WindowClassName);
    r.bytes(d.BackPicture).bytes(d.Icon).bytes(d.BackSound).text(d.Caption).text(d.HelpFile);
    if (!r.ok()) return std::nullopt;
    return d;
}

std::vector<std::uint8_t> encode(const WindowData& d) {
    Writer w;
    w.u32(WindowData::kNewestVersion);
    w.i32(d.BorderStyle).i32(d.BackPictureMode).u32(d.BackColor);
    w.flag(d.MaxButton).flag(d.MinButton).flag(d.ControlBox).i32(d.StartPosition).flag(d.Movable);
    w.i32(d.SoundPlayMode).flag(d.EnterMovesFocus).flag(d.EscCloses).flag(d.F1OpensHelp).i32(d.HelpContext);
    w.flag(d.ShowInTaskbar);
    w.flag(d.DragAnywhere).i32(d.Shape);
    w.flag(d.AlwaysOnTop);
    w.flag(d.KeepTitleActive);
    w.text(d.WindowClassName);
    w.bytes(d.BackPicture).bytes(d.Icon).bytes(d.BackSound).text(d.Caption).text(d.HelpFile);
    return w.take();
}

}  // namespace veltrano::classdata
