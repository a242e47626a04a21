#include "runtime/dispatch/pointer_codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace veltrano {
namespace {

TEST(PointerCodes, EveryRuntimePointerHasItsOwnSystemCursorAndComesBack) {
    std::vector<std::uint32_t> seen;
    for (std::uint32_t code = 1; code <= 14; ++code) {
        const std::uint32_t systemId = classPointerCode(code);
        EXPECT_GE(systemId, 32512u) << code;
        EXPECT_LE(systemId, 32651u) << code;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), systemId), 0) << "code " << code << " shares " << systemId;
        seen.push_back(systemId);
        EXPECT_EQ(runtimePointerCode(systemId), code);
    }
    // Spot checks against the system's published identifiers.
    EXPECT_EQ(classPointerCode(1), 32512u);   // arrow
    EXPECT_EQ(classPointerCode(3), 32513u);   // text beam
    EXPECT_EQ(classPointerCode(14), 32649u);  // hand
}

TEST(PointerCodes, TheClassesOwnPointerAndUnknownCodesPassUnchanged) {
    for (std::uint32_t code : {0u, 15u, 100u, 32517u, 0xFFFFFFFFu}) {
        EXPECT_EQ(classPointerCode(code), code);
        EXPECT_EQ(runtimePointerCode(code), code);
    }
    // A runtime code is never mistaken for a system identifier on the way back.
    EXPECT_EQ(runtimePointerCode(1), 1u);
}

TEST(PointerCodes, OnlyTheLeadingWordOfABlockIsConverted) {
    const std::vector<std::uint8_t> block{2, 0, 0, 0, 0xAA, 0xBB};
    const std::vector<std::uint8_t> converted = withClassPointerCode(block);
    EXPECT_EQ(converted, (std::vector<std::uint8_t>{0x03, 0x7F, 0, 0, 0xAA, 0xBB}));  // 32515, the cross
    EXPECT_EQ(block[0], 2) << "the source block belongs to the caller";
    EXPECT_EQ(withRuntimePointerCode(converted), block);
}

TEST(PointerCodes, ABlockTooShortForACodeIsCopiedAsItIs) {
    const std::vector<std::uint8_t> shortBlock{1, 0, 0};
    EXPECT_EQ(withClassPointerCode(shortBlock), shortBlock);
    EXPECT_EQ(withRuntimePointerCode(shortBlock), shortBlock);
    EXPECT_TRUE(withClassPointerCode({}).empty());
}

}  // namespace
}  // namespace veltrano
