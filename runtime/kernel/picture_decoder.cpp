#include "runtime/kernel/picture_decoder.h"

#include <wincodec.h>

#include <cstring>
#include <limits>
#include <vector>

#include "runtime/kernel/com_pointer.h"

namespace veltrano {
namespace {

constexpr UINT kLargestSide = 16384;

// One 8-bit channel of `source` laid over `below` with coverage `alpha`.
BYTE over(BYTE source, BYTE below, BYTE alpha) {
    return static_cast<BYTE>((source * alpha + below * (255 - alpha) + 127) / 255);
}

// The first frame as 32-bit BGRA rows, or nothing.
std::optional<std::vector<BYTE>> readPixels(std::span<const std::uint8_t> bytes, UINT& width, UINT& height) {
    using win::ComPointer;
    using win::out;
    ComPointer<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(static_cast<IWICImagingFactory**>(out(factory)))))) {
        return std::nullopt;
    }
    // Each call stands alone: an out() parameter fills its pointer only at
    // the end of the statement.
    ComPointer<IWICStream> stream;
    if (FAILED(factory->CreateStream(out(stream)))) return std::nullopt;
    if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())))) {
        return std::nullopt;
    }
    ComPointer<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, out(decoder)))) {
        return std::nullopt;
    }
    ComPointer<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, out(frame)))) return std::nullopt;
    ComPointer<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(out(converter)))) return std::nullopt;
    if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height))) {
        return std::nullopt;
    }
    if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide) return std::nullopt;
    const UINT stride = width * 4;
    std::vector<BYTE> pixels(static_cast<std::size_t>(stride) * height);
    if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()), pixels.data()))) {
        return std::nullopt;
    }
    return pixels;
}

}  // namespace

std::optional<DecodedPicture> decodePictureBytes(std::span<const std::uint8_t> bytes, COLORREF background) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<DWORD>::max()) return std::nullopt;
    win::ComApartment apartment;
    UINT width = 0;
    UINT height = 0;
    auto pixels = readPixels(bytes, width, height);
    if (!pixels) return std::nullopt;

    const BYTE red = GetRValue(background);
    const BYTE green = GetGValue(background);
    const BYTE blue = GetBValue(background);
    for (std::size_t i = 0; i < pixels->size(); i += 4) {
        BYTE* pixel = pixels->data() + i;
        const BYTE alpha = pixel[3];
        pixel[0] = over(pixel[0], blue, alpha);
        pixel[1] = over(pixel[1], green, alpha);
        pixel[2] = over(pixel[2], red, alpha);
        pixel[3] = 0;
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    DecodedPicture picture;
    picture.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture.bitmap || bits == nullptr) return std::nullopt;
    std::memcpy(bits, pixels->data(), pixels->size());
    GdiFlush();
    picture.size = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
    return picture;
}

}  // namespace veltrano
