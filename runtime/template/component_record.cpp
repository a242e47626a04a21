#include "runtime/template/component_record.h"

#include "runtime/template/little_endian.h"
#include "runtime/template/record_cursor.h"

namespace veltrano {
namespace {

constexpr std::size_t kReservedAfterEventLink = 4;
constexpr std::size_t kReservedAfterBindings = 5;

}  // namespace

std::optional<ComponentRecord> ComponentRecord::parse(std::span<const std::uint8_t> record) noexcept {
    ComponentRecord view;
    view.record_ = record;
    RecordCursor cursor(record);
    std::uint32_t unused = 0;
    std::uint32_t count = 0;

    if (!cursor.word(view.classId) || !cursor.word(view.eventLink)) return std::nullopt;
    if (!cursor.skip(kReservedAfterEventLink * 4)) return std::nullopt;
    if (!cursor.zeroText(view.name) || !cursor.zeroText(view.comment)) return std::nullopt;
    view.objectSlotPosition = cursor.position();
    if (!cursor.word(unused)) return std::nullopt;
    view.geometryPosition = cursor.position();
    if (!cursor.signedWord(view.left) || !cursor.signedWord(view.top) || !cursor.signedWord(view.width) ||
        !cursor.signedWord(view.height)) {
        return std::nullopt;
    }
    view.cursorSlotPosition = cursor.position();
    if (!cursor.word(unused) || !cursor.word(view.parentId)) return std::nullopt;
    view.childCountPosition = cursor.position();
    if (!cursor.word(count) || count > cursor.remaining() / 4) return std::nullopt;
    view.childCount = count;
    cursor.skip(view.childCount * 4);
    view.mousePointerPosition = cursor.position();
    if (!cursor.block(view.mousePointer)) return std::nullopt;
    view.tagPosition = cursor.position();
    if (!cursor.zeroText(view.tag)) return std::nullopt;
    if (!cursor.word(unused)) return std::nullopt;
    view.flagsPosition = cursor.position();
    if (!cursor.word(view.flags) || !cursor.word(unused)) return std::nullopt;
    view.bindingCountPosition = cursor.position();
    if (!cursor.word(count) || count > cursor.remaining() / 8) return std::nullopt;
    view.bindingCount = count;
    cursor.skip(view.bindingCount * 8);
    if (!cursor.skip(kReservedAfterBindings * 4)) return std::nullopt;
    view.classDataPosition = cursor.position();
    view.classData = record.subspan(cursor.position());
    return view;
}

std::uint32_t ComponentRecord::childId(std::size_t index) const noexcept {
    if (index >= childCount) return 0;
    return le::loadU32(record_.data() + childCountPosition + 4 + index * 4);
}

std::vector<std::uint32_t> ComponentRecord::childIds() const {
    std::vector<std::uint32_t> ids;
    ids.reserve(childCount);
    for (std::size_t i = 0; i < childCount; ++i) ids.push_back(childId(i));
    return ids;
}

EventBinding ComponentRecord::binding(std::size_t index) const noexcept {
    if (index >= bindingCount) return {};
    const std::size_t at = bindingCountPosition + 4 + index * 8;
    return EventBinding{le::asSigned(le::loadU32(record_.data() + at)), le::loadU32(record_.data() + at + 4), at + 4};
}

std::vector<EventBinding> ComponentRecord::bindings() const {
    std::vector<EventBinding> all;
    all.reserve(bindingCount);
    for (std::size_t i = 0; i < bindingCount; ++i) all.push_back(binding(i));
    return all;
}

std::uint32_t ComponentRecord::pointerCode() const noexcept {
    return mousePointer.size() >= 4 ? le::loadU32(mousePointer.data()) : 0;
}

std::optional<std::uint32_t> readRecordWord(std::span<const std::uint8_t> record, std::size_t position) noexcept {
    if (position > record.size() || record.size() - position < 4) return std::nullopt;
    return le::loadU32(record.data() + position);
}

bool writeRecordWord(std::span<std::uint8_t> record, std::size_t position, std::uint32_t value) noexcept {
    if (position > record.size() || record.size() - position < 4) return false;
    le::storeU32(record.data() + position, value);
    return true;
}

}  // namespace veltrano
