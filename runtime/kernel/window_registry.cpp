#include "runtime/kernel/window_registry.h"

#include <algorithm>

#include "runtime/kernel/window_object.h"
#include "runtime/template/component_id.h"
#include "runtime/template/component_record.h"
#include "runtime/template/handler_relocation.h"
#include "runtime/template/segment_reader.h"

namespace veltrano {
namespace {

std::optional<ComponentRecord> recordOf(const ComponentTable& table, std::size_t index) {
    if (table.isMenuItemAt(index)) return std::nullopt;
    auto bytes = table.recordAt(index);
    if (!bytes) return std::nullopt;
    return ComponentRecord::parse(*bytes);
}

}  // namespace

bool WindowRegistry::readSegment(std::span<const std::uint8_t> segment, std::uint32_t handlerBase) {
    std::optional<TemplateSegment> read = readTemplateSegment(segment);
    if (!read || !relocateHandlers(*read, handlerBase)) return false;
    for (std::size_t i = 0; i < read->windowIds.size(); ++i) {
        add(read->windowIds[i], std::make_unique<WindowTemplate>(std::move(read->templates[i])));
    }
    return true;
}

void WindowRegistry::add(std::uint32_t windowId, std::unique_ptr<WindowTemplate> window) {
    ids_.push_back(windowId);
    templates_.push_back(std::move(window));
}

void WindowRegistry::clear() noexcept {
    ids_.clear();
    templates_.clear();
    idleDone_.clear();
    slotObjects_.clear();
    freeSlotNumbers_.clear();
}

std::optional<std::uint32_t> WindowRegistry::slotNumber(const ComponentTable& table, std::size_t index) const noexcept {
    const std::optional<std::uint32_t> number = table.objectSlot(index);
    if (!number || *number == 0 || *number > slotObjects_.size()) return std::nullopt;
    return number;
}

void WindowRegistry::freeSlotNumber(std::uint32_t number) {
    slotObjects_[number - 1] = nullptr;
    freeSlotNumbers_.push_back(number);
}

WindowObject* WindowRegistry::objectInSlot(const ComponentTable& table, std::size_t index) const noexcept {
    const std::optional<std::uint32_t> number = slotNumber(table, index);
    return number ? slotObjects_[*number - 1] : nullptr;
}

void WindowRegistry::setObjectInSlot(ComponentTable& table, std::size_t index, WindowObject* object) {
    if (!table.objectSlot(index)) return;
    const std::optional<std::uint32_t> current = slotNumber(table, index);
    if (object == nullptr) {
        if (current) freeSlotNumber(*current);
        table.setObjectSlot(index, 0);
        return;
    }
    if (current) {
        slotObjects_[*current - 1] = object;
        return;
    }
    std::uint32_t number = 0;
    if (!freeSlotNumbers_.empty()) {
        number = freeSlotNumbers_.back();
        freeSlotNumbers_.pop_back();
        slotObjects_[number - 1] = object;
    } else {
        slotObjects_.push_back(object);
        number = static_cast<std::uint32_t>(slotObjects_.size());
    }
    table.setObjectSlot(index, number);
}

void WindowRegistry::releaseObjectSlots(const ComponentTable& table) {
    for (std::size_t index = 0; index < table.count(); ++index) {
        if (const std::optional<std::uint32_t> number = slotNumber(table, index)) freeSlotNumber(*number);
    }
}

WindowTemplate* WindowRegistry::templateAt(std::size_t index) const noexcept {
    return index < templates_.size() ? templates_[index].get() : nullptr;
}

WindowTemplate* WindowRegistry::find(std::uint32_t windowId) const noexcept {
    if (!isValidId(windowId)) return nullptr;
    for (std::size_t i = 0; i < ids_.size(); ++i) {
        if (ids_[i] == windowId) return templates_[i].get();
    }
    return nullptr;
}

WindowObject* WindowRegistry::windowObjectAt(std::size_t index) const noexcept {
    const WindowTemplate* window = templateAt(index);
    if (!window || window->table.empty()) return nullptr;
    return objectInSlot(window->table, 0);
}

HWND WindowRegistry::liveHandle(std::size_t index) const noexcept {
    const WindowObject* object = windowObjectAt(index);
    return object && object->alive() ? object->handle() : nullptr;
}

bool WindowRegistry::offerIdle(int idleCount) {
    if (idleCount == 0) {
        idleStart_ = GetTickCount();
        idleDone_.clear();
    }
    // The first two calls belong to the framework's own idle work; windows
    // are offered idle time from the third on.
    if (idleCount <= 1) return true;
    bool wantsMore = false;
    const long elapsed = static_cast<long>(GetTickCount() - idleStart_);
    for (std::size_t i = 0; i < ids_.size(); ++i) {
        WindowObject* object = windowObjectAt(i);
        if (!object || std::find(idleDone_.begin(), idleDone_.end(), ids_[i]) != idleDone_.end()) continue;
        if (object->onIdle(elapsed)) {
            wantsMore = true;
        } else {
            idleDone_.push_back(ids_[i]);
        }
    }
    return wantsMore;
}

bool WindowRegistry::preTranslate(MSG& message) {
    if (!isUserInputMessage(message.message)) return false;
    for (HWND window = message.hwnd; window != nullptr; window = GetParent(window)) {
        WindowObject* object = WindowObject::fromHandle(window);
        if (object && object->preTranslateMessage(message)) return true;
        if (object && windowObjectAt(0) == object) break;  // the walk ends at the main window
    }
    return false;
}

std::optional<std::string> WindowRegistry::windowEntryName(std::uint32_t windowId) const {
    const WindowTemplate* window = find(windowId);
    if (!window) return std::nullopt;
    const auto record = recordOf(window->table, 0);
    return record ? std::string(record->name) : std::string();
}

std::optional<std::string> WindowRegistry::componentName(std::uint32_t windowId, std::uint32_t componentId) const {
    const WindowTemplate* window = find(windowId);
    if (!window || window->table.empty()) return std::nullopt;
    std::size_t index = 0;
    if (componentId != 0) {
        const auto found = window->table.indexOf(componentId);
        if (!found) return std::nullopt;
        index = *found;
    }
    const auto record = recordOf(window->table, index);
    if (!record) return std::nullopt;
    return std::string(record->name);
}

}  // namespace veltrano
