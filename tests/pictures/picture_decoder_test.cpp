#include "runtime/kernel/picture_decoder.h"

#include <gtest/gtest.h>
#include <wincodec.h>

#include <vector>

#include "components/support/picture.h"
#include "components/window/window_picture.h"
#include "runtime/kernel/com_pointer.h"

namespace veltrano {
namespace {

using win::ComPointer;
using win::out;

struct Bgra {
    BYTE blue, green, red, alpha;
};

// A picture file of the container format, written by the imaging component
// from 32-bit BGRA pixels.
std::vector<std::uint8_t> encode(const GUID& container, UINT width, UINT height, const std::vector<Bgra>& pixels) {
    ComPointer<IWICImagingFactory> factory;
    EXPECT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                         reinterpret_cast<void**>(static_cast<IWICImagingFactory**>(out(factory)))));
    ComPointer<IStream> stream;
    EXPECT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, out(stream)));
    ComPointer<IWICBitmapEncoder> encoder;
    EXPECT_HRESULT_SUCCEEDED(factory->CreateEncoder(container, nullptr, out(encoder)));
    EXPECT_HRESULT_SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache));
    ComPointer<IWICBitmapFrameEncode> frame;
    EXPECT_HRESULT_SUCCEEDED(encoder->CreateNewFrame(out(frame), nullptr));
    EXPECT_HRESULT_SUCCEEDED(frame->Initialize(nullptr));
    EXPECT_HRESULT_SUCCEEDED(frame->SetSize(width, height));
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    EXPECT_HRESULT_SUCCEEDED(frame->SetPixelFormat(&format));
    std::vector<Bgra> rows = pixels;
    EXPECT_HRESULT_SUCCEEDED(frame->WritePixels(height, width * 4, static_cast<UINT>(rows.size() * 4),
                                                reinterpret_cast<BYTE*>(rows.data())));
    EXPECT_HRESULT_SUCCEEDED(frame->Commit());
    EXPECT_HRESULT_SUCCEEDED(encoder->Commit());

    HGLOBAL memory = nullptr;
    EXPECT_HRESULT_SUCCEEDED(GetHGlobalFromStream(stream.get(), &memory));
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    const auto* start = static_cast<const std::uint8_t*>(GlobalLock(memory));
    std::vector<std::uint8_t> bytes(start, start + stat.cbSize.QuadPart);
    GlobalUnlock(memory);
    return bytes;
}

COLORREF pixelAt(const DecodedPicture& picture, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture.bitmap.get());
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

class PictureDecoderTest : public ::testing::Test {
protected:
    win::ComApartment apartment;
};

TEST_F(PictureDecoderTest, PngTransparencyIsLaidOverTheBackground) {
    // Opaque blue, fully transparent, half-covering white.
    const std::vector<Bgra> pixels{{255, 0, 0, 255}, {0, 255, 0, 0}, {255, 255, 255, 128}};
    const auto bytes = encode(GUID_ContainerFormatPng, 3, 1, pixels);
    ASSERT_GT(bytes.size(), 8u);
    ASSERT_EQ(bytes[1], 'P');

    const auto picture = decodePictureBytes(bytes, RGB(200, 0, 0));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size.cx, 3);
    EXPECT_EQ(picture->size.cy, 1);
    EXPECT_EQ(pixelAt(*picture, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(pixelAt(*picture, 1, 0), RGB(200, 0, 0));
    const COLORREF mixed = pixelAt(*picture, 2, 0);
    EXPECT_NEAR(GetRValue(mixed), (255 * 128 + 200 * 127) / 255, 1);
    EXPECT_NEAR(GetGValue(mixed), 128, 1);
}

TEST_F(PictureDecoderTest, TiffDecodesWithItsSizeAndRowsTopDown) {
    std::vector<Bgra> pixels(4 * 2, Bgra{0, 0, 255, 255});
    pixels[7] = Bgra{0, 255, 0, 255};
    const auto picture = decodePictureBytes(encode(GUID_ContainerFormatTiff, 4, 2, pixels), RGB(0, 0, 0));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size.cx, 4);
    EXPECT_EQ(picture->size.cy, 2);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(pixelAt(*picture, x, 0), RGB(255, 0, 0)) << x;
        EXPECT_EQ(pixelAt(*picture, x, 1), x == 3 ? RGB(0, 255, 0) : RGB(255, 0, 0)) << x;
    }
}

TEST_F(PictureDecoderTest, BytesThatAreNoPictureGiveNothing) {
    EXPECT_FALSE(decodePictureBytes({}, 0));
    const std::vector<std::uint8_t> noise(300, 0x5A);
    EXPECT_FALSE(decodePictureBytes(noise, 0));
    auto png = encode(GUID_ContainerFormatPng, 2, 2, std::vector<Bgra>(4, Bgra{1, 2, 3, 255}));
    png.resize(png.size() / 2);
    EXPECT_FALSE(decodePictureBytes(png, 0)) << "a cut-off file";
}

// Labels, buttons and windows take PNG pictures as well as BMP and icons.
TEST_F(PictureDecoderTest, ComponentPicturesAcceptPng) {
    const auto png = encode(GUID_ContainerFormatPng, 5, 3, std::vector<Bgra>(15, Bgra{0, 128, 0, 255}));
    const auto picture = drawing::Picture::decode(png);
    ASSERT_TRUE(picture);
    EXPECT_FALSE(picture->isIcon());
    EXPECT_EQ(picture->size().cx, 5);
    EXPECT_EQ(picture->size().cy, 3);

    SIZE size{};
    const win::UniqueBitmap background = decodePicture(png, size);
    EXPECT_TRUE(background);
    EXPECT_EQ(size.cx, 5);
    EXPECT_EQ(size.cy, 3);
    const std::vector<std::uint8_t> noise(64, 0x11);
    EXPECT_FALSE(drawing::Picture::decode(noise));
    EXPECT_FALSE(decodePicture(noise, size));
    EXPECT_EQ(size.cx, 0);
}

}  // namespace
}  // namespace veltrano
