#include "grid/control/grid_class.h"

#include <span>

#include "runtime/values/class_ids.h"
#include "components/classdata/grid_design_data.h"
#include "grid/control/grid_ctrl.h"

namespace veltrano {
namespace {

// Fires events (0x40); the high bit marks a class of a support library.
constexpr std::uint32_t kGridClassFlags = 0x80000040;

constexpr auto kInteger = static_cast<std::uint16_t>(PropertyKind::Integer);
constexpr auto kBool = static_cast<std::uint16_t>(PropertyKind::Bool);
constexpr auto kText = static_cast<std::uint16_t>(PropertyKind::Text);
constexpr auto kChoice = static_cast<std::uint16_t>(PropertyKind::Choice);
constexpr auto kColour = static_cast<std::uint16_t>(PropertyKind::Colour);
constexpr auto kCursor = static_cast<std::uint16_t>(PropertyKind::Cursor);
constexpr auto kBackground = static_cast<std::uint16_t>(PropertyKind::BackgroundColour);

constexpr PropertyDescriptor kGridProperties[] = {
    {"左边", kInteger},
    {"顶边", kInteger},
    {"宽度", kInteger},
    {"高度", kInteger},
    {"标记", kText},
    {"可视", kBool},
    {"禁止", kBool},
    {"鼠标指针", kCursor},
    {"表格线颜色", kColour},
    {"单元格背景颜色", kColour},
    {"单元格文本颜色", kColour},
    {"焦点单元格颜色", kColour},
    {"表格线", kChoice},
    {"允许调整行高", kBool},
    {"允许调整列宽", kBool},
    {"行高", kInteger},
    {"列宽", kInteger},
    {"行数", kInteger},
    {"列数", kInteger},
    {"固定行数", kInteger},
    {"固定列数", kInteger},
    {"允许编辑", kBool},
    {"打印前询问", kBool},
    {"允许选择", kBool},
    {"保留选项", kBool},
    {"背景颜色", kBackground},
    {"保留设置", kChoice},
    {"边框设置", kChoice},
    {"回车键动作", kChoice},
    {"点击固定单元格选择", kBool},
    {"整行选择", kBool},
    {"选中背景颜色", kColour},
    {"保留标志", kBool},
    {"表格线宽度", kInteger},
    {"选中文本颜色", kColour},
    {"显示零值", kBool},
    {"附加颜色", kColour},
    {"边框", kChoice},
};
static_assert(std::size(kGridProperties) == 8 + grid::kGridPropertyCount);

WindowObject* createGrid(const std::uint8_t* classData, std::uint32_t classDataLength, std::uint32_t style, HWND parent,
                         std::uint32_t controlId, HMENU, int left, int top, int width, int height,
                         std::uint32_t windowId, std::uint32_t componentId, std::uint32_t, std::uint32_t) {
    const std::span<const std::uint8_t> bytes =
        classData == nullptr ? std::span<const std::uint8_t>{} : std::span(classData, classDataLength);
    const std::optional<classdata::GridDesignData> design = classdata::decode<classdata::GridDesignData>(bytes);
    if (!design) return nullptr;
    auto* grid = new grid::CGridCtrl();
    if (!grid->create(parent, style, controlId, left, top, width, height)) {
        delete grid;
        return nullptr;
    }
    grid->setIds(windowId, componentId);
    grid->applyDesign(*design);
    return grid;
}

int writeGridProperty(WindowObject* object, int index, const RawValue* value, int) {
    if (grid::CGridCtrl* grid = grid::gridFromObject(object); grid != nullptr && value != nullptr) {
        grid->writeProperty(index, *value);
    }
    return 0;
}

std::vector<std::uint8_t> saveGridState(WindowObject* object) {
    const grid::CGridCtrl* grid = grid::gridFromObject(object);
    return grid != nullptr ? classdata::encode(grid->currentDesign()) : std::vector<std::uint8_t>{};
}

void readGridProperty(WindowObject* object, int index, RawValue* value) {
    if (value == nullptr) return;
    *value = RawValue{};
    if (const grid::CGridCtrl* grid = grid::gridFromObject(object)) grid->readProperty(index, *value);
}

AnyRoutine gridInterface(int interfaceNumber) {
    switch (interfaceNumber) {
        case class_interface::kCreate: return asAnyRoutine<CreateRoutine>(&createGrid);
        case class_interface::kWriteProperty: return asAnyRoutine<WritePropertyRoutine>(&writeGridProperty);
        case class_interface::kSaveState: return asAnyRoutine<SaveStateRoutine>(&saveGridState);
        case class_interface::kReadProperty: return asAnyRoutine<ReadPropertyRoutine>(&readGridProperty);
        default: return nullptr;
    }
}

}  // namespace

const ClassDescriptor kGridClass{class_id::kGrid, kGridClassFlags, &gridInterface, kGridProperties,
                                 static_cast<std::uint32_t>(std::size(kGridProperties))};

}  // namespace veltrano
