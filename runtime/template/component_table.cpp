#include "runtime/template/component_table.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "runtime/template/component_id.h"
#include "runtime/template/component_record.h"
#include "runtime/template/little_endian.h"

namespace veltrano {

std::optional<ComponentTable> ComponentTable::fromImage(std::uint32_t count, std::span<const std::uint8_t> image) {
    if (image.size() > kMaxImageSize) return std::nullopt;
    if (count > image.size() / 8) return std::nullopt;
    const std::size_t start = static_cast<std::size_t>(count) * 8;
    const std::size_t areaSize = image.size() - start;
    std::size_t expected = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t offset = le::loadU32(image.data() + count * 4 + i * 4);
        if (offset != expected || areaSize - expected < 4) return std::nullopt;
        const std::size_t length = le::loadU32(image.data() + start + offset);
        if (length > areaSize - expected - 4) return std::nullopt;
        expected += 4 + length;
    }
    if (expected != areaSize) return std::nullopt;
    ComponentTable table;
    table.count_ = count;
    table.image_.assign(image.begin(), image.end());
    return table;
}

std::size_t ComponentTable::offsetAt(std::size_t index) const noexcept {
    return le::loadU32(image_.data() + count_ * 4 + index * 4);
}

void ComponentTable::setOffsetAt(std::size_t index, std::size_t offset) noexcept {
    le::storeU32(image_.data() + count_ * 4 + index * 4, static_cast<std::uint32_t>(offset));
}

std::uint32_t ComponentTable::idAt(std::size_t index) const noexcept {
    if (index >= count_) return 0;
    return le::loadU32(image_.data() + index * 4);
}

std::optional<std::span<const std::uint8_t>> ComponentTable::recordAt(std::size_t index) const noexcept {
    if (index >= count_) return std::nullopt;
    const std::size_t at = recordsStart() + offsetAt(index);
    const std::size_t length = le::loadU32(image_.data() + at);
    return std::span<const std::uint8_t>(image_).subspan(at + 4, length);
}

std::optional<std::span<std::uint8_t>> ComponentTable::mutableRecordAt(std::size_t index) noexcept {
    if (index >= count_) return std::nullopt;
    const std::size_t at = recordsStart() + offsetAt(index);
    const std::size_t length = le::loadU32(image_.data() + at);
    return std::span<std::uint8_t>(image_).subspan(at + 4, length);
}

std::optional<std::size_t> ComponentTable::indexOf(std::uint32_t id) const noexcept {
    if (!isValidId(id)) return std::nullopt;
    for (std::size_t i = 0; i < count_; ++i) {
        if (le::loadU32(image_.data() + i * 4) == id) return i;
    }
    return std::nullopt;
}

std::optional<ComponentTable::Found> ComponentTable::findRecord(std::uint32_t id) const noexcept {
    const auto index = indexOf(id);
    if (!index) return std::nullopt;
    return Found{*index, *recordAt(*index)};
}

bool ComponentTable::isMenuItemAt(std::size_t index) const noexcept {
    return index < count_ && isMenuItemId(idAt(index));
}

std::optional<std::size_t> ComponentTable::append(std::uint32_t id, std::span<const std::uint8_t> record) {
    return insert(static_cast<std::ptrdiff_t>(count_), id, record);
}

std::optional<std::size_t> ComponentTable::insert(std::ptrdiff_t index, std::uint32_t id,
                                                  std::span<const std::uint8_t> record) {
    if (!isValidId(id) || indexOf(id)) return std::nullopt;
    if (image_.size() > kMaxImageSize - 12 || record.size() > kMaxImageSize - 12 - image_.size()) return std::nullopt;

    const std::size_t position = index < 0 ? 0 : std::min(static_cast<std::size_t>(index), count_);
    const std::size_t areaSize = image_.size() - recordsStart();
    const std::size_t recordOffset = position < count_ ? offsetAt(position) : areaSize;
    const std::size_t grown = 4 + record.size();

    std::vector<std::uint8_t> next;
    next.reserve(image_.size() + 8 + grown);
    const auto* ids = image_.data();
    const auto* offsets = image_.data() + count_ * 4;
    const auto* area = image_.data() + recordsStart();
    next.insert(next.end(), ids, ids + position * 4);
    le::appendU32(next, id);
    next.insert(next.end(), ids + position * 4, ids + count_ * 4);
    for (std::size_t i = 0; i < count_; ++i) {
        if (i == position) le::appendU32(next, static_cast<std::uint32_t>(recordOffset));
        const std::size_t offset = le::loadU32(offsets + i * 4);
        le::appendU32(next, static_cast<std::uint32_t>(i < position ? offset : offset + grown));
    }
    if (position == count_) le::appendU32(next, static_cast<std::uint32_t>(recordOffset));
    next.insert(next.end(), area, area + recordOffset);
    le::appendU32(next, static_cast<std::uint32_t>(record.size()));
    next.insert(next.end(), record.begin(), record.end());
    next.insert(next.end(), area + recordOffset, area + areaSize);

    image_ = std::move(next);
    ++count_;
    return position;
}

bool ComponentTable::replace(std::size_t index, std::size_t start, std::size_t length,
                             std::span<const std::uint8_t> replacement) {
    if (index >= count_) return false;
    const std::size_t at = recordsStart() + offsetAt(index);
    const std::size_t recordLength = le::loadU32(image_.data() + at);
    if (start > recordLength || length > recordLength - start) return false;
    if (replacement.size() > length && replacement.size() - length > kMaxImageSize - image_.size()) return false;

    const std::size_t first = at + 4 + start;
    if (replacement.size() == length) {
        std::copy(replacement.begin(), replacement.end(), image_.begin() + static_cast<std::ptrdiff_t>(first));
        return true;
    }
    const auto firstIt = image_.begin() + static_cast<std::ptrdiff_t>(first);
    image_.erase(firstIt, firstIt + static_cast<std::ptrdiff_t>(length));
    image_.insert(image_.begin() + static_cast<std::ptrdiff_t>(first), replacement.begin(), replacement.end());
    le::storeU32(image_.data() + at, static_cast<std::uint32_t>(recordLength - length + replacement.size()));
    for (std::size_t i = index + 1; i < count_; ++i) {
        setOffsetAt(i, offsetAt(i) - length + replacement.size());
    }
    return true;
}

void ComponentTable::clear() noexcept {
    count_ = 0;
    image_.clear();
}

void ComponentTable::swap(ComponentTable& other) noexcept {
    std::swap(count_, other.count_);
    image_.swap(other.image_);
}

std::optional<std::size_t> ComponentTable::slotPosition(std::size_t index, bool cursor) const noexcept {
    if (index >= count_ || isMenuItemAt(index)) return std::nullopt;
    const auto layout = ComponentRecord::parse(*recordAt(index));
    if (!layout) return std::nullopt;
    return cursor ? layout->cursorSlotPosition : layout->objectSlotPosition;
}

std::optional<std::uint32_t> ComponentTable::objectSlot(std::size_t index) const noexcept {
    const auto position = slotPosition(index, false);
    if (!position) return std::nullopt;
    return le::loadU32(recordAt(index)->data() + *position);
}

bool ComponentTable::setObjectSlot(std::size_t index, std::uint32_t value) noexcept {
    const auto position = slotPosition(index, false);
    if (!position) return false;
    le::storeU32(mutableRecordAt(index)->data() + *position, value);
    return true;
}

std::optional<std::uint32_t> ComponentTable::cursorSlot(std::size_t index) const noexcept {
    const auto position = slotPosition(index, true);
    if (!position) return std::nullopt;
    return le::loadU32(recordAt(index)->data() + *position);
}

bool ComponentTable::setCursorSlot(std::size_t index, std::uint32_t value) noexcept {
    const auto position = slotPosition(index, true);
    if (!position) return false;
    le::storeU32(mutableRecordAt(index)->data() + *position, value);
    return true;
}

}  // namespace veltrano
