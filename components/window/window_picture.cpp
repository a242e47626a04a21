#include "components/window/window_picture.h"

#include <algorithm>

#include "components/window/image_layout.h"
#include "runtime/kernel/picture_decoder.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano {

win::UniqueBitmap decodePicture(std::span<const std::uint8_t> bytes, SIZE& size) {
    size = SIZE{};
    const auto layout = checkBitmapFile(bytes);
    if (!layout) {
        // PNG, JPEG, GIF and the rest, over the window's default face.
        auto decoded = decodePictureBytes(bytes, GetSysColor(COLOR_BTNFACE));
        if (!decoded) return {};
        size = decoded->size;
        return std::move(decoded->bitmap);
    }
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + layout->infoOffset);
    win::WindowDc screen(nullptr);
    win::UniqueBitmap bitmap(CreateDIBitmap(screen.get(), &info->bmiHeader, CBM_INIT, bytes.data() + layout->bitsOffset,
                                            info, DIB_RGB_COLORS));
    if (bitmap) size = SIZE{layout->width, layout->height};
    return bitmap;
}

RECT drawPicture(HDC dc, HBITMAP picture, SIZE size, int mode, const RECT& client, const RECT& clip) {
    RECT covered{};
    if (picture == nullptr || size.cx <= 0 || size.cy <= 0) return covered;
    const win::MemoryDc memory(dc);
    if (!memory) return covered;
    HDC source = memory.get();
    {
        win::SelectObjectGuard selected(source, picture);
        const int clientWidth = client.right - client.left;
        const int clientHeight = client.bottom - client.top;
        switch (mode) {
            case 0:
                BitBlt(dc, client.left, client.top, size.cx, size.cy, source, 0, 0, SRCCOPY);
                covered = RECT{client.left, client.top, client.left + size.cx, client.top + size.cy};
                break;
            case 1:
                for (int y = client.top; y < client.bottom; y += size.cy) {
                    if (y + size.cy <= clip.top || y >= clip.bottom) continue;
                    for (int x = client.left; x < client.right; x += size.cx) {
                        if (x + size.cx <= clip.left || x >= clip.right) continue;
                        BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
                    }
                }
                covered = client;
                break;
            case 2: {
                int width = size.cx;
                int height = size.cy;
                if (width > clientWidth || height > clientHeight) {
                    const double scale = std::min(static_cast<double>(clientWidth) / size.cx,
                                                  static_cast<double>(clientHeight) / size.cy);
                    width = static_cast<int>(size.cx * scale);
                    height = static_cast<int>(size.cy * scale);
                }
                const int left = client.left + (clientWidth - width) / 2;
                const int top = client.top + (clientHeight - height) / 2;
                SetStretchBltMode(dc, HALFTONE);
                StretchBlt(dc, left, top, width, height, source, 0, 0, size.cx, size.cy, SRCCOPY);
                covered = RECT{left, top, left + width, top + height};
                break;
            }
            default:
                SetStretchBltMode(dc, HALFTONE);
                StretchBlt(dc, client.left, client.top, clientWidth, clientHeight, source, 0, 0, size.cx, size.cy,
                           SRCCOPY);
                covered = client;
                break;
        }
    }
    return covered;
}

}  // namespace veltrano
