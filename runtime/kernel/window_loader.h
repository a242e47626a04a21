#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace veltrano {

class ComponentTable;
class RuntimeApplication;
class WindowObject;

struct LoadRequest {
    std::uint32_t windowId = 0;
    bool reload = false;
    bool modal = false;
    HWND owner = nullptr;  // ignored when modal
};

// Creates a registered window and its components from the window's table,
// links, stacks and shows them and fires the window's opening events. A
// window that is already loaded is only brought forward. False when nothing
// usable could be created.
bool loadRegisteredWindow(RuntimeApplication& runtime, const LoadRequest& request);

// What the load window service does: loads the window and, when its
// template makes it visible, goes on along the show path; a modal window
// then runs its nested message loop, so this returns only once it is gone.
bool loadAndShowRegisteredWindow(RuntimeApplication& runtime, const LoadRequest& request);

// The window-show path, for a loaded window's first show (asked for or
// not): the window takes its start state and, when loaded as modal, runs its
// nested message loop, returning once the window is gone. Later shows are
// plain.
void showLoadedWindow(RuntimeApplication& runtime, std::uint32_t windowId, bool show);

// True while a window loaded as modal is being created (for the window
// class's owner rule); false when there is no runtime.
bool creatingModalWindow() noexcept;

// The cursor the loader made from a component's mouse-pointer block (the
// window's own entry too), or null: the class's pointer applies.
HCURSOR componentCursor(RuntimeApplication& runtime, std::uint32_t windowId, std::uint32_t componentId);
// After the block of a table entry changed: the old cursor goes, the new
// one is made.
void replaceComponentCursor(ComponentTable& table, std::size_t index, std::span<const std::uint8_t> block);

// The object in a table entry's object slot (entry 0: the window's own).
WindowObject* objectOfEntry(RuntimeApplication& runtime, std::uint32_t windowId, std::size_t index);

// The unload bookkeeping once a component's (or the window's) system window
// is gone.
void forgetComponentWindow(RuntimeApplication& runtime, std::uint32_t windowId, std::uint32_t componentId);

// The index of the component whose object owns the handle (entry 0 gives
// -1, as does nothing found); with searchParents the handle's parent is
// tried once more.
int componentIndexOfHandle(RuntimeApplication& runtime, std::uint32_t windowId, HWND handle, bool searchParents);

}  // namespace veltrano
