#include "runtime/kernel/menu_bar.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/kernel/property_access.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/kernel/window_object.h"
#include "tests/kernel_loading/loading_fixture.h"

namespace veltrano::test {
namespace {

TEST(AcceleratorTextTest, ModifiersAndKeysAsMenusShowThem) {
    const auto open = acceleratorFromText("Ctrl+O", 20001);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ(open->key, 'O');
    EXPECT_EQ(open->cmd, 20001);

    const auto function = acceleratorFromText("shift+ctrl+F12", 1);
    ASSERT_TRUE(function);
    EXPECT_EQ(function->fVirt, FVIRTKEY | FCONTROL | FSHIFT);
    EXPECT_EQ(function->key, VK_F12);

    const auto remove = acceleratorFromText("Alt+Del", 1);
    ASSERT_TRUE(remove);
    EXPECT_EQ(remove->fVirt, FVIRTKEY | FALT);
    EXPECT_EQ(remove->key, VK_DELETE);

    for (const char* text : {"", "Ctrl+", "Ctrl+Shift", "F25", "F0", "Ctrl+OO", "Ctrl-S", "保存"}) {
        EXPECT_FALSE(acceleratorFromText(text, 1)) << text;
    }
}

class MenuBarTest : public LoadingTest {
protected:
    ~MenuBarTest() override {
        if (WindowObject* window = services::componentObject(kMenuWindowId, 0)) DestroyWindow(window->handle());
    }

    HWND load() {
        EXPECT_EQ(services::loadWindow(kMenuWindowId, nullptr, false), 0);
        WindowObject* window = services::componentObject(kMenuWindowId, 0);
        return window ? window->handle() : nullptr;
    }

    static std::wstring itemText(HMENU menu, int position) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
        return text;
    }
    static UINT itemState(HMENU menu, int position) {
        return GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    }

    void writeItem(std::uint32_t item, std::int32_t index, std::uint32_t value) {
        writeProperty(kMenuWindowId, item, index, -1, value, 0);
    }
    std::uint64_t readItem(std::uint32_t item, std::int32_t index) {
        return readProperty(kMenuWindowId, item, index, -1);
    }
};

TEST_F(MenuBarTest, TheItemsMakeTheMenuBarAndTheirKeysTheAccelerators) {
    HWND window = load();
    ASSERT_NE(window, nullptr);
    HMENU menu = GetMenu(window);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 3) << "the hidden item is left out";
    EXPECT_EQ(itemText(menu, 0), L"打开\tCtrl+O");
    EXPECT_EQ(GetMenuItemID(menu, 0), kFirstMenuCommand + 1);
    EXPECT_NE(itemState(menu, 1) & MF_SEPARATOR, 0u);
    EXPECT_EQ(itemText(menu, 2), L"保存");
    EXPECT_NE(itemState(menu, 2) & MF_GRAYED, 0u);
    EXPECT_EQ(classLog().acceleratorCount, 1);
}

TEST_F(MenuBarTest, ChoosingAnItemFiresItsEventButNotWhenDisabled) {
    HWND window = load();
    ASSERT_NE(window, nullptr);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(kFirstMenuCommand + 1, 0), 0);
    ASSERT_EQ(handlerLog().calls.size(), 1u);
    EXPECT_EQ(handlerLog().calls[0], "open item");
    // An accelerator reports the same way, with 1 in the high word.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(kFirstMenuCommand + 1, 1), 0);
    EXPECT_EQ(handlerLog().calls.size(), 2u);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(kFirstMenuCommand + 3, 0), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(kFirstMenuCommand + 4, 0), 0);
    EXPECT_EQ(handlerLog().calls.size(), 2u) << "a disabled or hidden item fired";
}

TEST_F(MenuBarTest, ItemPropertiesAreReadAndAChangeRebuildsTheBar) {
    HWND window = load();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(readItem(kSaveItem, 2), 1u);
    EXPECT_EQ(readItem(kHiddenItem, 3), 0u);
    EXPECT_EQ(readItem(kOpenItem, 1), 0u);

    HMENU before = GetMenu(window);
    writeItem(kSaveItem, 2, 1);  // as it is: nothing to do
    EXPECT_EQ(GetMenu(window), before);

    writeItem(kSaveItem, 2, 0);
    writeItem(kOpenItem, 1, 1);
    writeItem(kHiddenItem, 3, 1);
    const std::string caption = "另存为";
    writePropertyAddress(kMenuWindowId, kSaveItem, 0, -1, caption.c_str());
    HMENU menu = GetMenu(window);
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    EXPECT_EQ(itemState(menu, 2) & MF_GRAYED, 0u);
    EXPECT_NE(itemState(menu, 0) & MF_CHECKED, 0u);
    EXPECT_EQ(itemText(menu, 2), L"另存为");
    EXPECT_EQ(itemText(menu, 3), L"隐藏");

    auto* text = addressFromWord<char>(static_cast<AddressWord>(readItem(kSaveItem, 0)));
    EXPECT_EQ(std::string(textView(text)), caption);
    runtime_.heap().free(text);
}

TEST_F(MenuBarTest, TheRebuildServiceAnswersOnlyForALoadedWindow) {
    EXPECT_FALSE(rebuildWindowMenu(runtime_, kMenuWindowId));
    HWND window = load();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(RuntimeApplication::serviceEntry(2040, kMenuWindowId, 0), 0);
    EXPECT_EQ(GetMenuItemCount(GetMenu(window)), 3);
    EXPECT_EQ(classLog().acceleratorCount, 1);
}

}  // namespace
}  // namespace veltrano::test
