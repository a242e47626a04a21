#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "grid/model/log_font.h"
#include "grid/model/picture.h"

namespace veltrano::grid {

inline constexpr std::int32_t kDefaultMargin = 9;

// What few cells change. Kept apart from the cell and shared between copies
// until one of them changes it: a cell whose values here are still those of
// its grid's default cell pays one pointer for them. A large table is mostly
// such cells, and its size in memory is most of what loading it costs.
struct CellExtras {
    std::int32_t imageIndex = -1;
    std::shared_ptr<Picture> picture;
    std::int32_t masked = 0;
    std::int32_t mergeAnchor = 0;
    std::int32_t attributeB = 0;
    std::uint32_t userValue = 0;
    std::int32_t margin = kDefaultMargin;
    LogFont font;
};

// A counted reference to one CellExtras record, null for "all defaults".
// One pointer wide where a shared pointer is two, which keeps a 64-bit cell
// to one cache line. The count is not atomic: a grid and its cells belong
// to the thread that made them.
class SharedCellExtras {
public:
    SharedCellExtras() noexcept = default;
    SharedCellExtras(const SharedCellExtras& other) noexcept : held_(other.held_) { retain(); }
    SharedCellExtras(SharedCellExtras&& other) noexcept : held_(std::exchange(other.held_, nullptr)) {}
    SharedCellExtras& operator=(const SharedCellExtras& other) noexcept {
        if (held_ != other.held_) {
            SharedCellExtras copy(other);
            swap(copy);
        }
        return *this;
    }
    SharedCellExtras& operator=(SharedCellExtras&& other) noexcept {
        SharedCellExtras taken(std::move(other));
        swap(taken);
        return *this;
    }
    ~SharedCellExtras() { releaseHeld(); }

    static SharedCellExtras holding(CellExtras extras) {
        SharedCellExtras made;
        made.held_ = new Counted{1, std::move(extras)};
        return made;
    }

    const CellExtras* get() const noexcept { return held_ ? &held_->extras : nullptr; }
    bool sharedWithAnother() const noexcept { return held_ != nullptr && held_->references > 1; }
    // Only for a record this handle alone holds.
    CellExtras& editable() noexcept { return held_->extras; }
    bool operator==(const SharedCellExtras& other) const noexcept { return held_ == other.held_; }

private:
    struct Counted {
        std::size_t references;
        CellExtras extras;
    };

    void swap(SharedCellExtras& other) noexcept { std::swap(held_, other.held_); }
    void retain() noexcept {
        if (held_) ++held_->references;
    }
    void releaseHeld() noexcept {
        if (held_ && --held_->references == 0) delete held_;
        held_ = nullptr;
    }

    Counted* held_ = nullptr;
};

}  // namespace veltrano::grid
