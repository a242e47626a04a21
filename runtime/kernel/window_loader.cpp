#include "runtime/kernel/window_loader.h"

#include <vector>

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/event_dispatch.h"
#include "runtime/kernel/menu_bar.h"
#include "runtime/kernel/pointer_cursor.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/unique_handle.h"
#include "runtime/kernel/window_object.h"
#include "runtime/loading/load_plan.h"
#include "runtime/template/component_record.h"

namespace veltrano {
namespace {

struct CreatedEntry {
    std::size_t index;
    WindowObject* object;
    bool startVisible;
};

WindowObject* objectFromSlot(const ComponentTable& table, std::size_t index) {
    return RuntimeApplication::current().windowRegistry().objectInSlot(table, index);
}

// A cursor slot is a 32-bit word. A cursor handle keeps its meaning in 32
// bits and is widened again by sign extension, as the system does for every
// handle that passes between 32- and 64-bit code.
std::uint32_t cursorWord(HCURSOR cursor) noexcept {
    return HandleToULong(cursor);
}
HCURSOR cursorFromWord(std::uint32_t word) noexcept {
    return static_cast<HCURSOR>(LongToHandle(static_cast<LONG>(word)));
}

bool bringForward(WindowObject& window) {
    if (IsIconic(window.handle())) {
        ShowWindow(window.handle(), SW_RESTORE);
    } else {
        SetActiveWindow(window.handle());
    }
    return true;
}

// Creation failed part-way: the window object takes what was made with it.
bool abandonLoad(RuntimeApplication& runtime, WindowTemplate& window, WindowObject* windowObject) {
    if (windowObject != nullptr) {
        delete windowObject;
    }
    // The table must not keep slots of objects that no longer exist.
    if (!window.backup.empty()) {
        runtime.windowRegistry().releaseObjectSlots(window.table);
        window.table.swap(window.backup);
        window.backup.clear();
    }
    runtime.processPendingMessages();
    runtime.lowerErrorDepth();
    return false;
}

void sendToEntries(const std::vector<CreatedEntry>& created, const ComponentTable& table, UINT message) {
    // From the last table entry to the first, so the window hears it last.
    for (std::size_t index = table.count(); index-- > 0;) {
        for (const CreatedEntry& entry : created) {
            if (entry.index == index && entry.object->alive()) SendMessageW(entry.object->handle(), message, 0, 0);
        }
    }
}

void placeInStackingOrder(const LoadPlan& plan, const std::vector<WindowObject*>& objects) {
    for (const auto& [parent, children] : plan.stacking) {
        (void)parent;
        HWND above = HWND_TOP;
        for (std::size_t child : children) {
            WindowObject* object = objects[child];
            if (object == nullptr || !object->alive()) continue;
            SetWindowPos(object->handle(), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            above = object->handle();
        }
    }
}

void fireWindowEvent(RuntimeApplication& runtime, std::uint32_t windowId, std::int32_t eventNumber) {
    EventResult ignored;
    fireEventWords(runtime, windowId, 0, eventNumber, {}, ignored);
}

// While a modal window is up, every other top-level window of the program
// is disabled; the modal window remembers each and how it was, to enable
// it again when it goes.
void disableOtherWindows(RuntimeApplication& runtime, WindowObject& modalWindow) {
    modalWindow.setModal(true);
    const WindowRegistry& registry = runtime.windowRegistry();
    for (std::size_t index = 0; index < registry.count(); ++index) {
        const HWND other = registry.liveHandle(index);
        if (other == nullptr || other == modalWindow.handle()) continue;
        if ((GetWindowLongPtrW(other, GWL_STYLE) & WS_CHILD) != 0) continue;
        const bool wasEnabled = IsWindowEnabled(other) != FALSE;
        EnableWindow(other, FALSE);
        modalWindow.rememberDisabledWindow(other, wasEnabled);
    }
}

void makeCursors(ComponentTable& table) {
    for (std::size_t index = 0; index < table.count(); ++index) {
        if (table.isMenuItemAt(index)) continue;
        const auto bytes = table.recordAt(index);
        const auto record = bytes ? ComponentRecord::parse(*bytes) : std::nullopt;
        if (!record) continue;
        if (HCURSOR cursor = makePointerCursor(record->mousePointer)) table.setCursorSlot(index, cursorWord(cursor));
    }
}

void destroyCursor(ComponentTable& table, std::size_t index) {
    if (const auto cursor = table.cursorSlot(index); cursor && *cursor != 0) DestroyCursor(cursorFromWord(*cursor));
    table.setCursorSlot(index, 0);
}

// The window's end in the bookkeeping: the pristine table comes back and a
// nested loop the window ran for being modal ends.
void releaseLoadedTable(RuntimeApplication& runtime, WindowTemplate& window, std::uint32_t windowId) {
    if (window.backup.empty()) return;
    // Components whose windows went first have let go of theirs already.
    for (std::size_t index = 0; index < window.table.count(); ++index) {
        if (!window.table.isMenuItemAt(index)) destroyCursor(window.table, index);
    }
    runtime.windowRegistry().releaseObjectSlots(window.table);
    window.table.swap(window.backup);
    window.backup.clear();
    const RuntimeApplication::ModalWindow modal = runtime.currentModalWindow();
    if (modal.windowId == windowId && modal.running != nullptr) {
        *modal.running = false;
        runtime.setCurrentModalWindow({});
    }
}

// A slot whose object still has a window that is not closing belongs to a
// later load than the object that reports its end.
bool slotHeldByLiveObject(const ComponentTable& table, std::size_t index) {
    const WindowObject* object = objectFromSlot(table, index);
    return object != nullptr && object->alive() && !object->closing();
}

void showByStartState(RuntimeApplication& runtime, WindowObject& window) {
    const bool plain = window.loadedByReload() || runtime.runMode() == 0;
    ShowWindow(window.handle(), plain ? SW_SHOWNORMAL : window.startShowCommand());
    UpdateWindow(window.handle());
}

bool isRegisteredWindow(const WindowRegistry& registry, HWND handle) {
    for (std::size_t index = 0; index < registry.count(); ++index) {
        if (registry.liveHandle(index) == handle) return true;
    }
    return false;
}

bool windowStartsVisible(const WindowTemplate& window) {
    const auto bytes = window.table.recordAt(0);
    const auto record = bytes ? ComponentRecord::parse(*bytes) : std::nullopt;
    return record && record->visible();
}

std::uint32_t componentIdOfFocus(const std::vector<CreatedEntry>& created, const ComponentTable& table, HWND focus) {
    for (HWND h = focus; h != nullptr; h = GetParent(h)) {
        for (const CreatedEntry& entry : created) {
            if (entry.object->handle() == h) return entry.index == 0 ? 0 : table.idAt(entry.index);
        }
    }
    return 0;
}

}  // namespace

WindowObject* objectOfEntry(RuntimeApplication& runtime, std::uint32_t windowId, std::size_t index) {
    WindowTemplate* window = runtime.windowRegistry().find(windowId);
    if (window == nullptr || window->table.empty()) return nullptr;
    return objectFromSlot(window->table, index);
}

bool loadRegisteredWindow(RuntimeApplication& runtime, const LoadRequest& request) {
    WindowTemplate* window = runtime.windowRegistry().find(request.windowId);
    if (window == nullptr || window->table.empty()) return false;

    if (!request.reload) {
        WindowObject* existing = objectFromSlot(window->table, 0);
        if (existing != nullptr && existing->alive()) {
            if (!existing->closing()) return bringForward(*existing);
            // A window on its way out (a handler of its own destruction
            // loads it again) is not brought forward: its table is released
            // now and a new window made from the pristine one. Its objects
            // go with their windows, and their late reports no longer reach
            // the new ones' slots.
            releaseLoadedTable(runtime, *window, request.windowId);
        }
    }
    HWND owner = request.modal ? nullptr : request.owner;
    if (owner != nullptr && !IsWindow(owner)) return false;

    runtime.processPendingMessages();
    runtime.raiseErrorDepth();
    window->backup = window->table.copy();

    const auto classFlags = [&runtime](std::uint32_t classId) -> std::optional<std::uint32_t> {
        const ClassDescriptor* descriptor = runtime.classDescriptor(classId);
        if (descriptor == nullptr) return std::nullopt;
        return descriptor->flags;
    };
    const std::optional<LoadPlan> plan = planWindowLoad(window->table, classFlags, request.reload);
    if (!plan) return abandonLoad(runtime, *window, nullptr);

    // The class data of each step points into the table, which stays put
    // while slots are written (slot writes change words, never sizes).
    std::vector<WindowObject*> objects(window->table.count(), nullptr);
    std::vector<CreatedEntry> created;
    WindowObject* windowObject = nullptr;
    // The window's class takes the menu bar with the window (and destroys it
    // when it cannot make one); the accelerators wait for the window.
    const MenuBar menuBar = buildMenuBar(window->table);
    win::UniqueMenu menu(menuBar.menu);
    win::UniqueAccelerator accelerators(menuBar.accelerators);
    for (const CreationStep& step : plan->steps) {
        const ClassDescriptor* descriptor = runtime.classDescriptor(step.classId);
        const auto create = descriptor ? classRoutine<CreateRoutine>(*descriptor, class_interface::kCreate) : nullptr;
        if (create == nullptr) return abandonLoad(runtime, *window, windowObject);

        const bool isWindow = step.index == 0;
        HWND parent = isWindow ? owner : windowObject->handle();
        runtime.setCreatingModalWindow(isWindow && request.modal);
        WindowObject* object = create(step.classData.data(), static_cast<std::uint32_t>(step.classData.size()),
                                      step.style, parent, step.controlId, isWindow ? menu.release() : nullptr,
                                      step.left, step.top, step.width, step.height, request.windowId, step.id, 0, 0);
        runtime.setCreatingModalWindow(false);
        if (object == nullptr || (isWindow && !object->alive())) {
            if (isWindow) delete object;
            return abandonLoad(runtime, *window, windowObject);
        }
        object->setIds(request.windowId, step.id);
        if (isWindow) {
            windowObject = object;
            windowObject->setReloaded(request.reload);
            windowObject->setLoadState(request.modal, request.reload);
        }
        runtime.windowRegistry().setObjectInSlot(window->table, step.index, object);
        objects[step.index] = object;
        created.push_back({step.index, object, step.startVisible});
    }

    for (const ParentLink& link : plan->parents) {
        if (link.index == 0 || objects[link.index] == nullptr) continue;
        WindowObject* parentObject = link.parentIndex ? objects[*link.parentIndex] : windowObject;
        if (parentObject == nullptr) parentObject = windowObject;
        if (GetParent(objects[link.index]->handle()) != parentObject->handle()) {
            SetParent(objects[link.index]->handle(), parentObject->handle());
        }
    }
    for (std::size_t hidden : plan->hiddenByPage) {
        for (CreatedEntry& entry : created) {
            if (entry.index == hidden) entry.startVisible = false;
        }
    }
    placeInStackingOrder(*plan, objects);
    makeCursors(window->table);

    sendToEntries(created, window->table, private_message::kComponentsCreated);
    SendMessageW(windowObject->handle(), private_message::kWindowComplete, 0, 0);
    bool windowStartsVisible = false;
    for (const CreatedEntry& entry : created) {
        if (entry.index == 0) {
            windowStartsVisible = entry.startVisible;
            continue;
        }
        ShowWindow(entry.object->handle(), entry.startVisible ? SW_SHOWNA : SW_HIDE);
    }
    windowObject->setAccelerators(accelerators.release());
    runtime.processPendingMessages();
    runtime.lowerErrorDepth();

    const HWND windowHandle = windowObject->handle();
    fireWindowEvent(runtime, request.windowId, 0);
    if (IsWindow(windowHandle)) fireWindowEvent(runtime, request.windowId, 3);
    if (IsWindow(windowHandle)) fireWindowEvent(runtime, request.windowId, 4);
    if (!IsWindow(windowHandle)) return true;

    if (windowStartsVisible) showByStartState(runtime, *windowObject);
    const HWND focus = GetFocus();
    if (focus != nullptr && (focus == windowHandle || IsChild(windowHandle, focus))) {
        EventResult ignored;
        fireEventWords(runtime, request.windowId, componentIdOfFocus(created, window->table, focus), -7, {}, ignored);
    }
    if (request.modal && IsWindow(windowHandle)) disableOtherWindows(runtime, *windowObject);
    // The components' last step may move the focus; the user keeps it.
    const HWND focusBefore = GetFocus();
    sendToEntries(created, window->table, private_message::kWindowShown);
    if (focusBefore != nullptr && GetFocus() != focusBefore && IsWindow(focusBefore)) SetFocus(focusBefore);
    if (IsWindow(windowHandle)) windowObject->setLoadedMark(true);
    return true;
}

void RuntimeApplication::loadWindow(std::uint32_t windowId) {
    bool loaded = false;
    if (registry_.find(windowId) != nullptr) {
        LoadRequest request;
        request.windowId = windowId;
        loaded = loadRegisteredWindow(*this, request);
    }
    if (!loaded) reportFatalError("载入启动窗口失败", 0, windowId, 0);
}

bool loadAndShowRegisteredWindow(RuntimeApplication& runtime, const LoadRequest& request) {
    if (!loadRegisteredWindow(runtime, request)) return false;
    WindowTemplate* window = runtime.windowRegistry().find(request.windowId);
    // The load has shown the window already.
    if (window != nullptr && windowStartsVisible(*window)) showLoadedWindow(runtime, request.windowId, false);
    return true;
}

void showLoadedWindow(RuntimeApplication& runtime, std::uint32_t windowId, bool show) {
    WindowTemplate* window = runtime.windowRegistry().find(windowId);
    WindowObject* windowObject =
        window != nullptr && !window->table.empty() ? objectFromSlot(window->table, 0) : nullptr;
    if (windowObject == nullptr || !windowObject->alive()) return;
    const HWND handle = windowObject->handle();
    if (!windowObject->takeLoadedMark()) {
        if (show) ShowWindow(handle, SW_SHOW);
        return;
    }
    const bool modal = windowObject->loadedModal();
    const HWND parent = GetParent(handle);
    if (modal && parent != nullptr && isRegisteredWindow(runtime.windowRegistry(), parent) &&
        (GetWindowLongPtrW(parent, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
        SetWindowPos(handle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (show) showByStartState(runtime, *windowObject);
    if (!modal) return;
    bool running = true;
    const RuntimeApplication::ModalWindow previous = runtime.currentModalWindow();
    runtime.setCurrentModalWindow({windowId, &running});
    runtime.runNestedLoop(&running);
    runtime.setCurrentModalWindow(previous);
}

HCURSOR componentCursor(RuntimeApplication& runtime, std::uint32_t windowId, std::uint32_t componentId) {
    WindowTemplate* window = runtime.windowRegistry().find(windowId);
    if (window == nullptr || window->table.empty()) return nullptr;
    const std::optional<std::size_t> index =
        componentId == window->table.idAt(0) ? std::optional<std::size_t>(0) : window->table.indexOf(componentId);
    if (!index) return nullptr;
    const auto cursor = window->table.cursorSlot(*index);
    return cursor ? cursorFromWord(*cursor) : nullptr;
}

void replaceComponentCursor(ComponentTable& table, std::size_t index, std::span<const std::uint8_t> block) {
    destroyCursor(table, index);
    if (HCURSOR cursor = makePointerCursor(block)) table.setCursorSlot(index, cursorWord(cursor));
}

bool creatingModalWindow() noexcept {
    return RuntimeApplication::exists() && RuntimeApplication::current().creatingModalWindow();
}

void forgetComponentWindow(RuntimeApplication& runtime, std::uint32_t windowId, std::uint32_t componentId) {
    if (runtime.recreating()) return;
    WindowTemplate* window = runtime.windowRegistry().find(windowId);
    if (window == nullptr || window->table.empty()) return;
    const std::uint32_t windowEntryId = window->table.idAt(0);
    if (componentId != 0 && componentId != windowEntryId) {
        const std::optional<std::size_t> index = window->table.indexOf(componentId);
        if (!index || slotHeldByLiveObject(window->table, *index)) return;
        destroyCursor(window->table, *index);
        runtime.windowRegistry().setObjectInSlot(window->table, *index, nullptr);
        return;
    }
    if (window->backup.empty() || slotHeldByLiveObject(window->table, 0)) return;
    releaseLoadedTable(runtime, *window, windowId);
    // The program lives as long as one of its windows does.
    if (runtime.loopStarted() && !runtime.anyWindowAlive()) PostQuitMessage(0);
}

int componentIndexOfHandle(RuntimeApplication& runtime, std::uint32_t windowId, HWND handle, bool searchParents) {
    WindowTemplate* window = runtime.windowRegistry().find(windowId);
    if (window == nullptr || handle == nullptr) return -1;
    const ComponentTable& table = window->table;
    for (int pass = 0; pass < (searchParents ? 2 : 1); ++pass) {
        for (std::size_t index = 0; index < table.count(); ++index) {
            if (table.isMenuItemAt(index)) continue;
            WindowObject* object = objectFromSlot(table, index);
            if (object == nullptr || object->handle() == nullptr) continue;
            bool matches = object->handle() == handle;
            if (!matches && index != 0) {
                const auto bytes = table.recordAt(index);
                const auto record = bytes ? ComponentRecord::parse(*bytes) : std::nullopt;
                const ClassDescriptor* descriptor = record ? runtime.classDescriptor(record->classId) : nullptr;
                matches = descriptor != nullptr &&
                          (descriptor->flags & class_flag::kOwnsChildWindows) == class_flag::kOwnsChildWindows &&
                          IsChild(object->handle(), handle);
            }
            if (matches) return index == 0 ? -1 : static_cast<int>(index);
        }
        handle = GetParent(handle);
        if (handle == nullptr) break;
    }
    return -1;
}

}  // namespace veltrano
