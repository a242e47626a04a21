#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "runtime/kernel/fatal_report_text.h"
#include "runtime/template/window_template.h"

namespace veltrano {

class WindowObject;

// Every window template of the program, keyed by window id. The registry
// owns the templates; clearing it destroys them.
class WindowRegistry final : public LocationLookup {
public:
    // Reads a template segment, relocates its handlers to the given base and
    // appends its windows; false (and nothing appended) on any read failure.
    bool readSegment(std::span<const std::uint8_t> segment, std::uint32_t handlerBase);
    void add(std::uint32_t windowId, std::unique_ptr<WindowTemplate> window);
    void clear() noexcept;

    std::size_t count() const noexcept { return ids_.size(); }
    std::uint32_t idAt(std::size_t index) const noexcept { return index < ids_.size() ? ids_[index] : 0; }
    WindowTemplate* templateAt(std::size_t index) const noexcept;
    // Invalid ids are never found.
    WindowTemplate* find(std::uint32_t windowId) const noexcept;

    // A record's object slot is a 32-bit word, too narrow for an address on
    // a 64-bit target: it holds the number of the object's entry in a table
    // of the registry's own (0: no object).
    WindowObject* objectInSlot(const ComponentTable& table, std::size_t index) const noexcept;
    // A null object empties the slot; a slot that has a number keeps it.
    void setObjectInSlot(ComponentTable& table, std::size_t index, WindowObject* object);
    // Lets go of the numbers a table's slots hold, before the table is dropped.
    void releaseObjectSlots(const ComponentTable& table);

    // The window object of a registered window (its entry 0), or null.
    WindowObject* windowObjectAt(std::size_t index) const noexcept;
    // The window's system window when it is alive, else null.
    HWND liveHandle(std::size_t index) const noexcept;

    // Offers idle time to the windows; true while any wants more.
    bool offerIdle(int idleCount);
    // Offers a message to the window objects from its target up through its
    // parents; true when one consumed it.
    bool preTranslate(MSG& message);

    std::optional<std::string> windowEntryName(std::uint32_t windowId) const override;
    std::optional<std::string> componentName(std::uint32_t windowId, std::uint32_t componentId) const override;

private:
    // The slot's number when it names an entry of the table.
    std::optional<std::uint32_t> slotNumber(const ComponentTable& table, std::size_t index) const noexcept;
    void freeSlotNumber(std::uint32_t number);

    std::vector<std::uint32_t> ids_;
    std::vector<std::unique_ptr<WindowTemplate>> templates_;
    // Slot number n is entry n - 1; emptied entries are reused.
    std::vector<WindowObject*> slotObjects_;
    std::vector<std::uint32_t> freeSlotNumbers_;
    // Windows that declined idle time in the current idle period.
    std::vector<std::uint32_t> idleDone_;
    DWORD idleStart_ = 0;
};

}  // namespace veltrano
