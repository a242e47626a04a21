#include "components/window/tray_tip.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrano {
namespace {

TEST(TrayTips, ShortTipsStayWhole) {
    EXPECT_EQ(trayTip("Veltrano"), "Veltrano");
    EXPECT_EQ(trayTip(""), "");
}

TEST(TrayTips, LongTipsAreCutAtSixtyTwoBytes) {
    const std::string tip(80, 'x');
    EXPECT_EQ(trayTip(tip), std::string(62, 'x'));
    EXPECT_EQ(trayTip(std::string(62, 'y')), std::string(62, 'y'));
}

TEST(TrayTips, ADoubleByteCharacterAcrossTheCutIsLeftOutWhole) {
    // 61 single bytes, then a two-byte character that would end at byte 63.
    const std::string tip = std::string(61, 'a') + "\xB6\xCB" + "b";
    EXPECT_EQ(trayTip(tip), std::string(61, 'a'));
    // Ending exactly at byte 62 it stays.
    const std::string fits = std::string(60, 'a') + "\xB6\xCB" + "b";
    EXPECT_EQ(trayTip(fits), std::string(60, 'a') + "\xB6\xCB");
}

TEST(TrayTips, TrailBytesThatLookLikeLeadBytesDoNotShiftTheCut) {
    // 31 characters of two bytes fill 62 bytes; a 32nd is dropped.
    std::string tip;
    for (int i = 0; i < 32; ++i) tip += "\xB6\xCB";
    EXPECT_EQ(trayTip(tip), tip.substr(0, 62));
}

}  // namespace
}  // namespace veltrano
