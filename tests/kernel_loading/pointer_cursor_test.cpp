#include "runtime/kernel/pointer_cursor.h"

#include <gtest/gtest.h>

#include <vector>

#include "runtime/kernel/property_access.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/kernel/window_loader.h"
#include "runtime/kernel/window_object.h"
#include "runtime/template/little_endian.h"
#include "tests/kernel_loading/loading_fixture.h"

namespace veltrano::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

void appendU16(Bytes& out, std::uint16_t value) {
    le::appendU16(out, value);
}

// A 32 x 32 monochrome cursor (or icon) file with one image.
Bytes pointerFile(std::uint16_t type, std::uint16_t hotSpotX, std::uint16_t hotSpotY) {
    Bytes image;
    le::appendU32(image, 40);  // BITMAPINFOHEADER, twice the height for the two masks
    le::appendU32(image, 32);
    le::appendU32(image, 64);
    appendU16(image, 1);
    appendU16(image, 1);
    for (int i = 0; i < 6; ++i) le::appendU32(image, 0);
    le::appendU32(image, 0x00000000);         // black
    le::appendU32(image, 0x00FFFFFF);         // white
    image.insert(image.end(), 32 * 4, 0xF0);  // colour mask
    image.insert(image.end(), 32 * 4, 0x0F);  // transparency mask

    Bytes file;
    appendU16(file, 0);
    appendU16(file, type);
    appendU16(file, 1);
    file.push_back(32);
    file.push_back(32);
    file.push_back(2);
    file.push_back(0);
    appendU16(file, hotSpotX);
    appendU16(file, hotSpotY);
    le::appendU32(file, static_cast<std::uint32_t>(image.size()));
    le::appendU32(file, 6 + 16);
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

POINT hotSpotOf(HCURSOR cursor) {
    ICONINFO info{};
    if (!GetIconInfo(cursor, &info)) return {-1, -1};
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
}

TEST(PointerCursorTest, CodesGiveOwnedStandardPointersAndZeroGivesNone) {
    EXPECT_EQ(makePointerCursor({}), nullptr);
    EXPECT_EQ(makePointerCursor(Bytes{0, 0, 0, 0}), nullptr);
    EXPECT_EQ(makePointerCursor(Bytes{15, 0, 0, 0}), nullptr);
    EXPECT_EQ(makePointerCursor(Bytes{3, 0, 0}), nullptr);
    HCURSOR beam = makePointerCursor(Bytes{3, 0, 0, 0});
    ASSERT_NE(beam, nullptr);
    EXPECT_NE(beam, LoadCursorW(nullptr, IDC_IBEAM)) << "the shared system cursor must not be handed out to destroy";
    EXPECT_TRUE(DestroyCursor(beam));
}

TEST(PointerCursorTest, CursorAndIconFilesBecomeCursorsWithTheirHotSpots) {
    Bytes block{1, 0, 0, 0};
    const Bytes cursorFile = pointerFile(2, 5, 7);
    block.insert(block.end(), cursorFile.begin(), cursorFile.end());
    HCURSOR cursor = makePointerCursor(block);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(hotSpotOf(cursor).x, 5);
    EXPECT_EQ(hotSpotOf(cursor).y, 7);
    DestroyCursor(cursor);

    HCURSOR fromIcon = cursorFromFileImage(pointerFile(1, 0, 0));
    ASSERT_NE(fromIcon, nullptr);
    EXPECT_EQ(hotSpotOf(fromIcon).x, 16);
    DestroyCursor(fromIcon);
}

TEST(PointerCursorTest, DamagedFilesGiveNoCursor) {
    Bytes pastTheEnd = pointerFile(2, 1, 1);
    pastTheEnd.resize(pastTheEnd.size() - 1);
    EXPECT_EQ(cursorFromFileImage(pastTheEnd), nullptr);
    Bytes noImages = pointerFile(2, 1, 1);
    noImages[4] = 0;
    EXPECT_EQ(cursorFromFileImage(noImages), nullptr);
    Bytes manyImages = pointerFile(2, 1, 1);
    manyImages[4] = 0xFF;
    manyImages[5] = 0xFF;
    EXPECT_EQ(cursorFromFileImage(manyImages), nullptr);
    EXPECT_EQ(cursorFromFileImage(Bytes{'B', 'M', 0, 0, 0, 0, 0, 0}), nullptr);
}

class ComponentPointerTest : public LoadingTest {
protected:
    // Asks the component's window which pointer to show, as the system does
    // when the mouse moves over it.
    HCURSOR shownOver(std::uint32_t componentId) {
        SetCursor(nullptr);
        HWND window = handleOf(componentId);
        SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    }
    void writePointer(const Bytes& block) {
        std::uint8_t* value = newByteSet(runtime_.heap(), block);
        writePropertyAddress(kWindowId, kOuterText, 7, -1, value);
        runtime_.heap().free(value);
    }
};

TEST_F(ComponentPointerTest, TheTemplatesPointerShowsOverItsComponentOnly) {
    runtime_.loadWindow(kWindowId);
    HCURSOR beam = componentCursor(runtime_, kWindowId, kOuterText);
    ASSERT_NE(beam, nullptr);
    EXPECT_EQ(shownOver(kOuterText), beam);
    EXPECT_EQ(componentCursor(runtime_, kWindowId, kInnerText), nullptr);
    EXPECT_NE(shownOver(kInnerText), beam);
}

TEST_F(ComponentPointerTest, WritingThePointerReplacesTheCursorAndEmptyRemovesIt) {
    runtime_.loadWindow(kWindowId);
    writePointer(Bytes{2, 0, 0, 0});
    HCURSOR cross = componentCursor(runtime_, kWindowId, kOuterText);
    ASSERT_NE(cross, nullptr);
    EXPECT_EQ(shownOver(kOuterText), cross);

    writePointer(Bytes{});
    EXPECT_EQ(componentCursor(runtime_, kWindowId, kOuterText), nullptr);
    EXPECT_NE(shownOver(kOuterText), cross);
}

TEST_F(ComponentPointerTest, ClosingLetsGoOfTheCursorsAndReloadingMakesThemAgain) {
    runtime_.loadWindow(kWindowId);
    writePointer(Bytes{2, 0, 0, 0});
    closeWindow();
    runtime_.loadWindow(kWindowId);
    HCURSOR again = componentCursor(runtime_, kWindowId, kOuterText);
    ASSERT_NE(again, nullptr);
    // The pristine template's pointer, not the one written before closing.
    auto* block = addressFromWord<std::uint8_t>(static_cast<AddressWord>(readProperty(kWindowId, kOuterText, 7, -1)));
    ASSERT_NE(block, nullptr);
    const std::span<const std::uint8_t> bytes = byteSetView(block);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), (Bytes{3, 0, 0, 0}));
    runtime_.heap().free(block);
}

}  // namespace
}  // namespace veltrano::test
