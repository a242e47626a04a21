#include "app/protocol/slot_table.h"

#include <array>

namespace veltrano::protocol {
namespace {

// Block 1 holds the sequencer channels and each device's power keys first,
// then the projector's inputs; the other devices' keys fill blocks 2 to 4.
constexpr std::array<int, 27> kBlock1Rows{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                          15, 16, 17, 18, 24, 25, 46, 47, 19, 20, 21, 22, 23};
constexpr std::array<int, 20> kBlock2Rows{26, 27, 28, 29, 30, 31, 32, 33, 34, 35,
                                          36, 37, 38, 39, 40, 41, 42, 43, 44, 45};
constexpr std::array<int, 19> kBlock3Rows{48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66};
constexpr std::array<int, 12> kBlock4Rows{67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78};

constexpr SlotAddress slot(int block, int position) {
    return SlotAddress{block, static_cast<std::uint16_t>(position)};
}

}  // namespace

std::optional<SlotAddress> slotOfRow(int row) {
    if (row >= 1 && row <= 16) {
        return slot(1, (row - 1) * 50 + 1);
    }
    switch (row) {
        case 17: return slot(1, 801);
        case 18: return slot(1, 901);
        case 24: return slot(1, 1001);
        case 25: return slot(1, 1101);
        case 46: return slot(1, 1201);
        case 47: return slot(1, 1301);
        default: break;
    }
    if (row >= 19 && row <= 23) {
        return slot(1, (row - 19) * 100 + 1401);
    }
    if (row >= 26 && row <= 45) {
        return slot(2, (row - 26) * 100 + 1);
    }
    if (row >= 48 && row <= 66) {
        return slot(3, (row - 48) * 100 + 1);
    }
    if (row >= 67 && row <= 78) {
        return slot(4, (row - 67) * 100 + 1);
    }
    return std::nullopt;
}

std::optional<int> rowOfSlot(SlotAddress address) {
    for (const int row : blockRows(address.block)) {
        if (slotOfRow(row) == address) {
            return row;
        }
    }
    return std::nullopt;
}

std::span<const int> blockRows(int block) {
    switch (block) {
        case 1: return kBlock1Rows;
        case 2: return kBlock2Rows;
        case 3: return kBlock3Rows;
        case 4: return kBlock4Rows;
        default: return {};
    }
}

}  // namespace veltrano::protocol
