#include "grid/control/win_picture.h"

#include <cstring>
#include <optional>

#include "runtime/kernel/wide_text.h"

namespace veltrano::grid {
namespace {

constexpr std::uint16_t kBitmapFileMagic = 0x4D42;  // "BM"
constexpr std::size_t kFileHeaderSize = 14;
// Pictures larger than this are not decoded; a table never needs them.
constexpr std::size_t kMaxPictureBytes = std::size_t{64} << 20;

std::uint32_t readWord32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

// The bitmap file's header and pixels, checked against the bytes present.
win::UniqueBitmap decodeBitmapFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFileHeaderSize + sizeof(BITMAPINFOHEADER) || bytes.size() > kMaxPictureBytes) return {};
    if ((bytes[0] | (bytes[1] << 8)) != kBitmapFileMagic) return {};
    const std::uint32_t pixelOffset = readWord32(bytes, 10);
    const std::uint32_t infoSize = readWord32(bytes, kFileHeaderSize);
    if (infoSize < sizeof(BITMAPINFOHEADER) || infoSize > bytes.size() - kFileHeaderSize ||
        pixelOffset >= bytes.size() || pixelOffset < kFileHeaderSize + infoSize) {
        return {};
    }
    BITMAPINFOHEADER header{};
    std::memcpy(&header, bytes.data() + kFileHeaderSize, sizeof header);
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biPlanes != 1 || header.biWidth > 0x8000 ||
        header.biHeight > 0x8000 || header.biHeight < -0x8000) {
        return {};
    }
    if (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS) return {};
    const std::uint64_t stride = ((static_cast<std::uint64_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    const std::uint64_t rows = static_cast<std::uint64_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    if (header.biBitCount == 0 || stride * rows > bytes.size() - pixelOffset) return {};
    // The colour table lies between the header and the pixels.
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + kFileHeaderSize);
    win::WindowDc screen(nullptr);
    return win::UniqueBitmap(
        CreateDIBitmap(screen.get(), &header, CBM_INIT, bytes.data() + pixelOffset, info, DIB_RGB_COLORS));
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path) {
    const std::wstring wide = wideFromCodePage936(path);
    win::UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > kMaxPictureBytes) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

WinPicture::WinPicture(win::UniqueBitmap bitmap, std::vector<std::uint8_t> bytes)
    : bitmap_(std::move(bitmap)), bytes_(std::move(bytes)) {
    BITMAP info{};
    if (bitmap_ && GetObjectW(bitmap_.get(), sizeof info, &info) == sizeof info) {
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    }
}

std::shared_ptr<Picture> WinPictureCodec::fromBytes(std::span<const std::uint8_t> bytes) {
    win::UniqueBitmap bitmap = decodeBitmapFile(bytes);
    if (!bitmap) return nullptr;
    return std::make_shared<WinPicture>(std::move(bitmap), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::vector<std::uint8_t> WinPictureCodec::toBytes(const Picture& picture) {
    const auto* held = dynamic_cast<const WinPicture*>(&picture);
    if (held == nullptr) return {};
    if (!held->bytes().empty()) return held->bytes();
    return bitmapFileBytes(held->bitmap());
}

std::shared_ptr<Picture> WinPictureCodec::fromFile(const std::string& path) {
    if (std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(path)) {
        if (std::shared_ptr<Picture> picture = fromBytes(*bytes)) return picture;
    }
    const std::wstring wide = wideFromCodePage936(path);
    win::UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(nullptr, wide.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!bitmap) return nullptr;
    std::vector<std::uint8_t> bytes = bitmapFileBytes(bitmap.get());
    return std::make_shared<WinPicture>(std::move(bitmap), std::move(bytes));
}

std::vector<std::uint8_t> bitmapFileBytes(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) != sizeof info || info.bmWidth <= 0 ||
        info.bmHeight <= 0) {
        return {};
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const std::size_t stride = ((static_cast<std::size_t>(info.bmWidth) * 24 + 31) / 32) * 4;
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(info.bmHeight);
    const std::size_t pixelOffset = kFileHeaderSize + sizeof header;
    std::vector<std::uint8_t> bytes(pixelOffset + pixelBytes, 0);
    win::WindowDc screen(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(info.bmHeight), bytes.data() + pixelOffset,
                  reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == 0) {
        return {};
    }
    const auto fileSize = static_cast<std::uint32_t>(bytes.size());
    const auto offset = static_cast<std::uint32_t>(pixelOffset);
    bytes[0] = 'B';
    bytes[1] = 'M';
    std::memcpy(bytes.data() + 2, &fileSize, sizeof fileSize);
    std::memcpy(bytes.data() + 10, &offset, sizeof offset);
    header.biSizeImage = static_cast<DWORD>(pixelBytes);
    std::memcpy(bytes.data() + kFileHeaderSize, &header, sizeof header);
    return bytes;
}

}  // namespace veltrano::grid
