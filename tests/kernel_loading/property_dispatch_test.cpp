#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "runtime/kernel/property_access.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/kernel/window_object.h"
#include "tests/kernel_loading/loading_fixture.h"

namespace veltrano::test {
namespace {

class PropertyDispatchTest : public LoadingTest {
protected:
    std::int32_t readInteger(std::uint32_t componentId, std::int32_t index) {
        return static_cast<std::int32_t>(readProperty(kWindowId, componentId, index, -1));
    }
    std::string readText(std::uint32_t componentId, std::int32_t index) {
        auto* block = addressFromWord<char>(static_cast<AddressWord>(readProperty(kWindowId, componentId, index, -1)));
        std::string text(textView(block));
        runtime_.heap().free(block);
        return text;
    }
    void writeInteger(std::uint32_t componentId, std::int32_t index, std::int32_t value) {
        writeProperty(kWindowId, componentId, index, -1, static_cast<std::uint32_t>(value), 0);
    }
    void writeText(std::uint32_t componentId, std::int32_t index, const char* text) {
        writePropertyAddress(kWindowId, componentId, index, -1, text);
    }
};

TEST_F(PropertyDispatchTest, GeometryOfAWindowNotYetCreatedComesFromTheTable) {
    EXPECT_EQ(readInteger(kOuterText, 0), 120);
    EXPECT_EQ(readInteger(kOuterText, 2), 80);
    writeInteger(kOuterText, 2, 200);
    EXPECT_EQ(readInteger(kOuterText, 2), 200);
    writeInteger(kOuterText, 0, 40000);
    EXPECT_EQ(readInteger(kOuterText, 0), 32627);
    writeInteger(kOuterText, 1, -40000);
    EXPECT_EQ(readInteger(kOuterText, 1), -32627);
    writeInteger(kOuterText, 3, -5);
    EXPECT_EQ(readInteger(kOuterText, 3), 0);
}

TEST_F(PropertyDispatchTest, GeometryOfALiveComponentMovesItsWindow) {
    runtime_.loadWindow(kWindowId);
    writeInteger(kOuterText, 0, 33);
    writeInteger(kOuterText, 2, 150);
    RECT rect{};
    GetWindowRect(handleOf(kOuterText), &rect);
    MapWindowPoints(nullptr, handleOf(0), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 33);
    EXPECT_EQ(rect.right - rect.left, 150);
    EXPECT_EQ(readInteger(kOuterText, 0), 33);
}

TEST_F(PropertyDispatchTest, TagIsCopiedInAndOut) {
    EXPECT_EQ(readText(kInnerText, 4), "first tag");
    std::string longer(300, 'x');
    writeText(kInnerText, 4, longer.c_str());
    EXPECT_EQ(readText(kInnerText, 4), longer);
    writeProperty(kWindowId, kInnerText, 4, -1, 0, 0);
    EXPECT_EQ(readText(kInnerText, 4), "");
    // Neighbouring records are untouched by the record growing and shrinking.
    EXPECT_EQ(readInteger(kOuterText, 0), 120);
}

TEST_F(PropertyDispatchTest, VisibleAndDisabledFollowTheLiveWindow) {
    runtime_.loadWindow(kWindowId);
    writeInteger(kOuterText, 5, 0);
    EXPECT_FALSE(IsWindowVisible(handleOf(kOuterText)));
    EXPECT_EQ(readInteger(kOuterText, 5), 0);
    writeInteger(kOuterText, 6, 1);
    EXPECT_FALSE(IsWindowEnabled(handleOf(kOuterText)));
    EXPECT_EQ(readInteger(kOuterText, 6), 1);
    writeInteger(kOuterText, 5, 1);
    EXPECT_TRUE(IsWindowVisible(handleOf(kOuterText)));
}

TEST_F(PropertyDispatchTest, AControlOnAPageTheTabDoesNotShowStaysHidden) {
    ASSERT_EQ(services::loadWindow(kPagedWindowId, nullptr, false), 0);
    const auto handle = [](std::uint32_t componentId) {
        WindowObject* object = services::componentObject(kPagedWindowId, componentId);
        return object ? object->handle() : nullptr;
    };
    const auto writeVisible = [](std::uint32_t componentId, bool visible) {
        writeProperty(kPagedWindowId, componentId, 5, -1, visible ? 1u : 0u, 0);
    };
    ASSERT_NE(handle(kSecondPageText), nullptr);
    EXPECT_TRUE(IsWindowVisible(handle(kFirstPageText)));
    EXPECT_FALSE(IsWindowVisible(handle(kSecondPageText)));

    writeVisible(kSecondPageText, true);
    EXPECT_FALSE(IsWindowVisible(handle(kSecondPageText))) << "shown on a page the tab does not show";

    classLog().currentPage = 1;
    writeVisible(kFirstPageText, false);
    writeVisible(kFirstPageText, true);
    EXPECT_FALSE(IsWindowVisible(handle(kFirstPageText))) << "shown on a page the tab no longer shows";
    writeVisible(kSecondPageText, true);
    EXPECT_TRUE(IsWindowVisible(handle(kSecondPageText)));

    // The tab control itself sits on no page.
    writeVisible(kTab, false);
    EXPECT_FALSE(IsWindowVisible(handle(kTab)));
    writeVisible(kTab, true);
    EXPECT_TRUE(IsWindowVisible(handle(kTab)));
    DestroyWindow(handle(0));
}

TEST_F(PropertyDispatchTest, ClassPropertiesGoThroughTheClassRoutines) {
    runtime_.loadWindow(kWindowId);
    EXPECT_EQ(readText(kOuterText, 8), "outer text");
    writeText(kOuterText, 8, "\xB6\xCB\xBF\xDA");  // code page 936
    EXPECT_EQ(readText(kOuterText, 8), "\xB6\xCB\xBF\xDA");
    wchar_t shown[16] = {};
    GetWindowTextW(handleOf(kOuterText), shown, 16);
    EXPECT_EQ(std::wstring(shown), L"\x7AEF\x53E3");
    writeInteger(kOuterText, 9, -12);
    EXPECT_EQ(readInteger(kOuterText, 9), -12);
}

// The whole-font value is a record of six words and a face-name text
// address, which must come and go whole where addresses are 64 bits wide.
struct WholeFont {
    std::uint32_t angle, bold, italic, strikeOut, underline, size;
    AddressWord faceName;
};

TEST_F(PropertyDispatchTest, AWholeFontRecordCarriesItsFaceNameBothWays) {
    runtime_.loadWindow(kWindowId);
    constexpr std::int32_t kFont = 11;
    constexpr std::int32_t kWhole = -1;
    constexpr std::int32_t kFaceName = 6;
    static const char kFace[] = "Courier New";
    const WholeFont written{0, 1, 0, 0, 0, 12, addressWord(kFace)};
    writePropertyAddress(kWindowId, kOuterText, kFont, kWhole, &written);

    auto* read =
        addressFromWord<WholeFont>(static_cast<AddressWord>(readProperty(kWindowId, kOuterText, kFont, kWhole)));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->bold, 1u);
    EXPECT_EQ(read->size, 12u);
    EXPECT_EQ(textView(addressFromWord<const char>(read->faceName)), "Courier New");
    runtime_.heap().free(addressFromWord<void>(read->faceName));
    runtime_.heap().free(read);

    writePropertyAddress(kWindowId, kOuterText, kFont, kFaceName, "Arial");
    auto* face = addressFromWord<char>(static_cast<AddressWord>(readProperty(kWindowId, kOuterText, kFont, kFaceName)));
    EXPECT_EQ(textView(face), "Arial");
    runtime_.heap().free(face);
}

// A class's own mouse-pointer property holds the system's cursor
// identifiers; the program reads and writes the runtime's pointer codes.
TEST_F(PropertyDispatchTest, AClassPointerPropertyTakesTheClassCodesAndGivesTheRuntimeCodes) {
    runtime_.loadWindow(kWindowId);
    constexpr std::int32_t kPointer = 12;
    auto* text = static_cast<TestTextObject*>(objectOf(kOuterText));
    ASSERT_NE(text, nullptr);
    const auto writeBlock = [&](std::vector<std::uint8_t> bytes) {
        std::uint8_t* block = newByteSet(runtime_.heap(), bytes);
        writePropertyAddress(kWindowId, kOuterText, kPointer, -1, block);
        EXPECT_EQ(std::vector<std::uint8_t>(byteSetView(block).begin(), byteSetView(block).end()), bytes)
            << "the program's own byte set was changed";
        runtime_.heap().free(block);
    };
    const auto readBlock = [&] {
        auto* block =
            addressFromWord<std::uint8_t>(static_cast<AddressWord>(readProperty(kWindowId, kOuterText, kPointer, -1)));
        const std::span<const std::uint8_t> bytes = byteSetView(block);
        std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
        runtime_.heap().free(block);
        return copy;
    };

    writeBlock({14, 0, 0, 0});                                                // the hand
    EXPECT_EQ(text->pointer, (std::vector<std::uint8_t>{0x89, 0x7F, 0, 0}));  // 32649
    EXPECT_EQ(readBlock(), (std::vector<std::uint8_t>{14, 0, 0, 0}));

    text->pointer = {0x00, 0x7F, 0, 0, 0x11, 0x22};  // 32512, the arrow, with image bytes after it
    EXPECT_EQ(readBlock(), (std::vector<std::uint8_t>{1, 0, 0, 0, 0x11, 0x22}));
    EXPECT_EQ(text->pointer[0], 0x00) << "reading changed the class's own block";

    writeBlock({0, 0, 0, 0});
    EXPECT_EQ(text->pointer, (std::vector<std::uint8_t>{0, 0, 0, 0}));
    writeBlock({9, 0, 0});  // too short for a code: passed as it is
    EXPECT_EQ(text->pointer, (std::vector<std::uint8_t>{9, 0, 0}));
    EXPECT_EQ(readBlock(), (std::vector<std::uint8_t>{9, 0, 0}));
}

TEST_F(PropertyDispatchTest, AWriteThatAsksForIt_RecreatesTheComponentFromItsState) {
    runtime_.loadWindow(kWindowId);
    writeText(kOuterText, 8, "kept");
    writeInteger(kOuterText, 0, 44);
    HWND before = handleOf(kOuterText);
    writeInteger(kOuterText, 10, 1);
    HWND after = handleOf(kOuterText);
    ASSERT_NE(after, nullptr);
    EXPECT_NE(after, before);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(readText(kOuterText, 8), "kept");
    EXPECT_EQ(GetDlgCtrlID(after), 100);
    EXPECT_EQ(readInteger(kOuterText, 0), 44);
    EXPECT_EQ(classLog().destroyed, 1);
    // The re-created component is still the table's: its object is found.
    EXPECT_EQ(objectOf(kOuterText)->handle(), after);
}

}  // namespace
}  // namespace veltrano::test
