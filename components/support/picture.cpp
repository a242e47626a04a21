#include "components/support/picture.h"

#include <cstring>
#include <vector>

#include "components/support/picture_layout.h"
#include "runtime/kernel/picture_decoder.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano::drawing {
namespace {

std::optional<Picture> noPicture() {
    return std::nullopt;
}

}  // namespace

std::optional<Picture> Picture::decode(std::span<const std::uint8_t> bytes) {
    return decode(bytes, GetSysColor(COLOR_BTNFACE));
}

std::optional<Picture> Picture::decode(std::span<const std::uint8_t> bytes, COLORREF background) {
    Picture picture;
    if (const auto layout = bitmapLayout(bytes)) {
        // The header inside the byte set need not be aligned for the window
        // system; a copy is.
        std::vector<std::uint32_t> info((layout->infoLength + 3) / 4 + 1, 0);
        std::memcpy(info.data(), bytes.data() + layout->infoOffset, layout->infoLength);
        void* bits = nullptr;
        picture.bitmap_.reset(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()),
                                               DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!picture.bitmap_ || bits == nullptr) return noPicture();
        std::memcpy(bits, bytes.data() + layout->bitsOffset, layout->bitsLength);
        GdiFlush();
        picture.size_ = {layout->width, layout->height < 0 ? -layout->height : layout->height};
        return picture;
    }
    if (const auto layout = iconLayout(bytes)) {
        // The button shows cursors as icons too, so both become icons.
        picture.icon_.reset(CreateIconFromResourceEx(const_cast<PBYTE>(bytes.data() + layout->imageOffset),
                                                     static_cast<DWORD>(layout->imageLength), TRUE, 0x00030000,
                                                     layout->width, layout->height, LR_DEFAULTCOLOR));
        if (!picture.icon_) return noPicture();
        picture.size_ = {layout->width, layout->height};
        return picture;
    }
    // PNG, JPEG, GIF and the rest are composed over the colour they are
    // drawn on, so their transparent parts look like the component's face.
    auto decoded = decodePictureBytes(bytes, background);
    if (!decoded) return noPicture();
    picture.bitmap_ = std::move(decoded->bitmap);
    picture.size_ = decoded->size;
    return picture;
}

void Picture::draw(HDC dc, const RECT& target) const {
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width <= 0 || height <= 0) return;
    if (icon_) {
        DrawIconEx(dc, target.left, target.top, icon_.get(), width, height, 0, nullptr, DI_NORMAL);
        return;
    }
    const win::MemoryDc source(dc);
    if (!source) return;
    win::SelectObjectGuard select(source.get(), bitmap_.get());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, target.left, target.top, width, height, source.get(), 0, 0, size_.cx, size_.cy, SRCCOPY);
}

}  // namespace veltrano::drawing
