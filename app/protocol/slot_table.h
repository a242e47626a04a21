#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace veltrano::protocol {

// Where the module keeps a key: one of four blocks and a position in it.
struct SlotAddress {
    int block = 0;
    std::uint16_t position = 0;

    friend bool operator==(const SlotAddress&, const SlotAddress&) = default;
};

// The slot of a table row 1..78; nothing for any other row.
std::optional<SlotAddress> slotOfRow(int row);

// The row stored at a slot; nothing for a slot no row uses.
std::optional<int> rowOfSlot(SlotAddress slot);

// The rows of block 1..4 in the order they are sent; empty for any other
// block. Every row 1..78 is in exactly one block.
std::span<const int> blockRows(int block);

}  // namespace veltrano::protocol
