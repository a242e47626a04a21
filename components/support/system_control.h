#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <utility>

#include "components/support/class_routines.h"
#include "components/support/control_appearance.h"

namespace veltrano {

// The system control of a freshly made object: a child window of the system
// class `systemClass`, taken into the object, which then applies what the
// window could not be created with. Null, and nothing left behind, when
// either step fails.
template <typename Object>
Object* createSystemControl(std::unique_ptr<Object> object, const wchar_t* systemClass, const wchar_t* text,
                            DWORD style, HWND parent, std::uint32_t controlId, HMENU menu, const RECT& bounds,
                            std::uint32_t windowId, std::uint32_t componentId) {
    const HWND window = CreateWindowExW(0, systemClass, text, style, bounds.left, bounds.top,
                                        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                        controls::childIdentifier(controlId, menu), GetModuleHandleW(nullptr), nullptr);
    Object* created = adoptSystemWindow(std::move(object), window, windowId, componentId);
    if (created != nullptr) created->applyCreationState();
    return created;
}

}  // namespace veltrano
