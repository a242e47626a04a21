#pragma once

#include <array>
#include <cstdint>

namespace veltrano::grid {

struct MergeRecord {
    std::int32_t anchorRow = 0;
    std::int32_t anchorColumn = 0;
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t bottom = 0;
    std::int32_t right = 0;

    bool contains(std::int32_t row, std::int32_t column) const {
        return row >= top && row <= bottom && column >= left && column <= right;
    }

    friend bool operator==(const MergeRecord&, const MergeRecord&) = default;
};

enum class FormulaOperator : std::int32_t {
    Add = 501,
    Subtract = 502,
    Multiply = 503,
    Divide = 504,
};

struct FormulaRule {
    std::int32_t firstSource = 0;
    std::int32_t secondSource = 0;
    FormulaOperator op = FormulaOperator::Add;
    std::int32_t target = 0;

    friend bool operator==(const FormulaRule&, const FormulaRule&) = default;
};

// Carried by the file; nothing in the grid evaluates it yet.
struct TotalRule {
    std::int32_t column = 0;
    std::array<std::int32_t, 3> values{};

    friend bool operator==(const TotalRule&, const TotalRule&) = default;
};

}  // namespace veltrano::grid
