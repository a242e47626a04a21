#include "tests/kernel_loading/loading_fixture.h"

#include "runtime/kernel/event_handler.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/window_object.h"

namespace veltrano::test {
namespace {

void record(const char* name, const EventWord* arguments, std::size_t count) {
    handlerLog().calls.emplace_back(name);
    handlerLog().lastArguments.assign(arguments, arguments + count);
}

void onCreated(const EventWord* a, std::size_t n, EventResult&) {
    record("created", a, n);
}
void onMoved(const EventWord* a, std::size_t n, EventResult&) {
    record("moved", a, n);
}
void onResized(const EventWord* a, std::size_t n, EventResult&) {
    record("resized", a, n);
}
void onInnerText(const EventWord* a, std::size_t n, EventResult& result) {
    record("inner", a, n);
    result.present = true;
    result.low = 77;
}

void onOpenItem(const EventWord* a, std::size_t n, EventResult&) {
    record("open item", a, n);
}

const EventHandlerEntry kHandlers[] = {{&onCreated}, {&onMoved}, {&onResized}, {&onInnerText}, {&onOpenItem}};

std::vector<std::uint8_t> menuItem(const char* caption, std::uint32_t flags, std::uint32_t handler) {
    MenuItemRecordData item;
    item.classId = 0x00010003;
    item.name = caption;
    item.flags = flags;
    item.caption = caption;
    item.handler = handler;
    return *encodeMenuItemRecord(item);
}

const LibraryDescriptor* const kLibraries[] = {&kTestLibrary};

ComponentRecordData component(std::uint32_t classId, const char* name, std::uint32_t parent, std::int32_t left,
                              std::string text) {
    ComponentRecordData data;
    data.classId = classId;
    data.name = name;
    data.parentId = parent;
    data.left = left;
    data.top = 10;
    data.width = 80;
    data.height = 20;
    data.flags = 1;
    data.classData.assign(text.begin(), text.end());
    return data;
}

}  // namespace

HandlerLog& handlerLog() {
    static HandlerLog log;
    return log;
}

std::vector<std::uint8_t> sampleSegment() {
    WindowTemplate window;
    ComponentRecordData self = component(kFrameClass, "frame", 0, 50, "");
    self.width = 300;
    self.height = 200;
    self.bindings = {{0, 0}, {3, 4}, {4, 8}};
    ComponentRecordData box = component(kBoxClass, "box", 0, 5, "");
    box.childIds = {kInnerText};
    ComponentRecordData inner = component(kTextClass, "inner", kBox, 3, "inner text");
    inner.bindings = {{0, 12}, {1, kNoHandler}};
    inner.tag = "first tag";
    ComponentRecordData outer = component(kTextClass, "outer", 0, 120, "outer text");
    outer.eventLink = kInnerText;  // shares the inner text's bindings
    outer.mousePointer = {3, 0, 0, 0};
    window.table.append(kWindowEntry, *encodeComponentRecord(self));
    window.table.append(kBox, *encodeComponentRecord(box));
    window.table.append(kInnerText, *encodeComponentRecord(inner));
    window.table.append(kOuterText, *encodeComponentRecord(outer));
    WindowTemplate dialog;
    ComponentRecordData dialogFrame = component(kFrameClass, "dialog", 0, 80, "");
    dialog.table.append(kDialogEntry, *encodeComponentRecord(dialogFrame));
    WindowTemplate menuWindow;
    menuWindow.table.append(kMenuWindowEntry, *encodeComponentRecord(component(kFrameClass, "menus", 0, 90, "")));
    menuWindow.table.append(kOpenItem, menuItem("打开\tCtrl+O", 0, 16));
    menuWindow.table.append(kSeparatorItem, menuItem("-", 0, kNoHandler));
    menuWindow.table.append(kSaveItem, menuItem("保存", 0x2, 16));
    menuWindow.table.append(kHiddenItem, menuItem("隐藏", 0x1, 16));
    WindowTemplate pagedWindow;
    pagedWindow.table.append(kPagedWindowEntry, *encodeComponentRecord(component(kFrameClass, "paged", 0, 60, "")));
    ComponentRecordData tab = component(kTabClass, "tab", 0, 5, "");
    tab.childIds = {kFirstPageText, 0, kSecondPageText};
    pagedWindow.table.append(kTab, *encodeComponentRecord(tab));
    pagedWindow.table.append(kFirstPageText,
                             *encodeComponentRecord(component(kTextClass, "first page", kTab, 3, "first")));
    pagedWindow.table.append(kSecondPageText,
                             *encodeComponentRecord(component(kTextClass, "second page", kTab, 3, "second")));
    WindowTemplate hiddenDialog;
    ComponentRecordData hiddenFrame = component(kFrameClass, "hidden dialog", 0, 70, "");
    hiddenFrame.flags = 0;
    hiddenDialog.table.append(kHiddenDialogEntry, *encodeComponentRecord(hiddenFrame));
    TemplateSegment segment;
    segment.windowIds = {kWindowId, kDialogId, kMenuWindowId, kPagedWindowId, kHiddenDialogId};
    segment.templates.push_back(std::move(window));
    segment.templates.push_back(std::move(dialog));
    segment.templates.push_back(std::move(menuWindow));
    segment.templates.push_back(std::move(pagedWindow));
    segment.templates.push_back(std::move(hiddenDialog));
    return *writeTemplateSegment(segment);
}

LoadingTest::LoadingTest()
    : segment_(sampleSegment()),
      descriptor_{
          3, 0,          100, kHandlers, nullptr, 0, segment_.data(), static_cast<std::uint32_t>(segment_.size()),
          1, kLibraries, 0,   nullptr,   nullptr},
      runtime_(descriptor_, nullptr) {
    classLog() = ClassLog{};
    handlerLog() = HandlerLog{};
    runtime_.initialiseRuntime();
}

LoadingTest::~LoadingTest() {
    closeWindow();
    runtime_.shutdown(0);
}

WindowObject* LoadingTest::objectOf(std::uint32_t componentId) {
    return services::componentObject(kWindowId, componentId);
}

HWND LoadingTest::handleOf(std::uint32_t componentId) {
    WindowObject* object = objectOf(componentId);
    return object ? object->handle() : nullptr;
}

void LoadingTest::closeWindow() {
    if (HWND window = handleOf(0)) DestroyWindow(window);
}

}  // namespace veltrano::test
