#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace veltrano {

// The keyed table of one window's component records, held in its image form:
// K ids, K offsets (counted from the start of the records area), then the
// records area with one 32-bit length and that many record bytes per entry.
// Records lie in index order without gaps; every operation keeps it so, which
// is what lets a change shift exactly the offsets behind it.
class ComponentTable {
public:
    // The largest image a table may grow to: its length travels as a signed
    // 32-bit value in the segment.
    static constexpr std::size_t kMaxImageSize = 0x7FFFFFFF;

    struct Found {
        std::size_t index;
        std::span<const std::uint8_t> record;
    };

    ComponentTable() = default;

    // Takes over an image after checking every offset and record length.
    static std::optional<ComponentTable> fromImage(std::uint32_t count, std::span<const std::uint8_t> image);

    std::size_t count() const noexcept { return count_; }
    bool empty() const noexcept { return count_ == 0; }
    std::span<const std::uint8_t> image() const noexcept { return image_; }

    // 0 for an index out of range.
    std::uint32_t idAt(std::size_t index) const noexcept;
    // The record bytes (their size is the record length); nothing for an index out of range.
    std::optional<std::span<const std::uint8_t>> recordAt(std::size_t index) const noexcept;
    std::optional<std::span<std::uint8_t>> mutableRecordAt(std::size_t index) noexcept;
    // Invalid ids (0 included) are never found and cost no search.
    std::optional<Found> findRecord(std::uint32_t id) const noexcept;
    std::optional<std::size_t> indexOf(std::uint32_t id) const noexcept;
    bool isMenuItemAt(std::size_t index) const noexcept;

    // Add a record under a new id; an invalid id, an id already present or a
    // table that would outgrow kMaxImageSize is refused. Answers the new index.
    std::optional<std::size_t> append(std::uint32_t id, std::span<const std::uint8_t> record);
    // A negative index counts as 0, an index at or past the end appends.
    std::optional<std::size_t> insert(std::ptrdiff_t index, std::uint32_t id, std::span<const std::uint8_t> record);
    // Replace `length` bytes at `start` of a record with `replacement`; the
    // record's length and every later offset follow. Refused when the stretch
    // lies outside the record.
    bool replace(std::size_t index, std::size_t start, std::size_t length, std::span<const std::uint8_t> replacement);

    ComponentTable copy() const { return *this; }
    void clear() noexcept;
    void swap(ComponentTable& other) noexcept;

    // The runtime slots of a component record (menu items have none).
    std::optional<std::uint32_t> objectSlot(std::size_t index) const noexcept;
    bool setObjectSlot(std::size_t index, std::uint32_t value) noexcept;
    std::optional<std::uint32_t> cursorSlot(std::size_t index) const noexcept;
    bool setCursorSlot(std::size_t index, std::uint32_t value) noexcept;

private:
    std::size_t recordsStart() const noexcept { return count_ * 8; }
    std::size_t offsetAt(std::size_t index) const noexcept;
    void setOffsetAt(std::size_t index, std::size_t offset) noexcept;
    std::optional<std::size_t> slotPosition(std::size_t index, bool cursor) const noexcept;

    std::size_t count_ = 0;
    std::vector<std::uint8_t> image_;
};

}  // namespace veltrano
