#include "components/window/mnemonic.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

TEST(Mnemonics, TheMarkedLetterIsReportedUpperCase) {
    EXPECT_EQ(mnemonicKey(L"&Write"), L'W');
    EXPECT_EQ(mnemonicKey(L"Re&ad"), L'A');
    EXPECT_EQ(mnemonicKey(L"Port &1"), L'1');
}

TEST(Mnemonics, DoubledAmpersandsMarkNothing) {
    EXPECT_EQ(mnemonicKey(L"Save && &Close"), L'C');
    EXPECT_EQ(mnemonicKey(L"A&&B"), 0);
}

TEST(Mnemonics, CaptionsWithoutAMarkedLetterOrDigitHaveNone) {
    EXPECT_EQ(mnemonicKey(L"Plain"), 0);
    EXPECT_EQ(mnemonicKey(L"Trailing&"), 0);
    EXPECT_EQ(mnemonicKey(L"&-dash"), 0);
    EXPECT_EQ(mnemonicKey(L"\x5199\x5165(&\x6a21)"), 0);
    EXPECT_EQ(mnemonicKey(L""), 0);
}

}  // namespace
}  // namespace veltrano
