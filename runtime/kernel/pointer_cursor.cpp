#include "runtime/kernel/pointer_cursor.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <vector>

#include "runtime/dispatch/pointer_codes.h"
#include "runtime/template/little_endian.h"

namespace veltrano {
namespace {

constexpr std::size_t kCodeSize = 4;
constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint16_t kIconFile = 1;
constexpr std::uint16_t kCursorFile = 2;
// The version of the icon resource format CreateIconFromResourceEx reads.
constexpr DWORD kIconFormatVersion = 0x00030000;

struct FileImage {
    int width = 0;
    int height = 0;
    std::uint16_t hotSpotX = 0;
    std::uint16_t hotSpotY = 0;
    std::span<const std::uint8_t> bytes;
};

std::optional<FileImage> entryAt(std::span<const std::uint8_t> file, std::size_t index, std::uint16_t type) {
    const std::uint8_t* entry = file.data() + kDirectorySize + index * kEntrySize;
    FileImage image;
    image.width = entry[0] == 0 ? 256 : entry[0];
    image.height = entry[1] == 0 ? 256 : entry[1];
    const std::uint32_t size = le::loadU32(entry + 8);
    const std::uint32_t offset = le::loadU32(entry + 12);
    if (offset > file.size() || size > file.size() - offset || size == 0) return std::nullopt;
    image.bytes = file.subspan(offset, size);
    if (type == kCursorFile) {
        image.hotSpotX = le::loadU16(entry + 4);
        image.hotSpotY = le::loadU16(entry + 6);
    } else {
        image.hotSpotX = static_cast<std::uint16_t>(image.width / 2);
        image.hotSpotY = static_cast<std::uint16_t>(image.height / 2);
    }
    return image;
}

}  // namespace

HCURSOR cursorFromFileImage(std::span<const std::uint8_t> file) {
    if (file.size() < kDirectorySize || le::loadU16(file.data()) != 0) return nullptr;
    const std::uint16_t type = le::loadU16(file.data() + 2);
    const std::size_t count = le::loadU16(file.data() + 4);
    if ((type != kIconFile && type != kCursorFile) || count == 0 ||
        count > (file.size() - kDirectorySize) / kEntrySize) {
        return nullptr;
    }
    const int wanted = GetSystemMetrics(SM_CXCURSOR);
    std::optional<FileImage> best;
    for (std::size_t index = 0; index < count; ++index) {
        const std::optional<FileImage> image = entryAt(file, index, type);
        if (image && (!best || std::abs(image->width - wanted) < std::abs(best->width - wanted))) best = image;
    }
    if (!best) return nullptr;
    // A cursor resource is the image with its hot spot in front.
    std::vector<std::uint8_t> resource(4 + best->bytes.size());
    resource[0] = static_cast<std::uint8_t>(best->hotSpotX & 0xFF);
    resource[1] = static_cast<std::uint8_t>(best->hotSpotX >> 8);
    resource[2] = static_cast<std::uint8_t>(best->hotSpotY & 0xFF);
    resource[3] = static_cast<std::uint8_t>(best->hotSpotY >> 8);
    std::copy(best->bytes.begin(), best->bytes.end(), resource.begin() + 4);
    return CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), FALSE, kIconFormatVersion,
                                    best->width, best->height, LR_DEFAULTCOLOR);
}

HCURSOR makePointerCursor(std::span<const std::uint8_t> block) {
    if (block.size() < kCodeSize) return nullptr;
    if (block.size() > kCodeSize) return cursorFromFileImage(block.subspan(kCodeSize));
    const std::uint32_t code = le::loadU32(block.data());
    const std::uint32_t systemId = classPointerCode(code);
    if (code == 0 || systemId == code) return nullptr;
    // A copy, so that every cursor in a table is the table's own to destroy.
    return CopyCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(systemId)));
}

}  // namespace veltrano
