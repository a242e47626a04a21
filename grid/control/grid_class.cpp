#include "grid/control/grid_class.h"

#include <span>

#include "components/classdata/grid_design_data.h"
#include "components/support/class_routines.h"
#include "components/support/common_properties.h"
#include "grid/control/grid_ctrl.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

// Fires events (0x40); the high bit marks a class of a support library.
constexpr std::uint32_t kGridClassFlags = 0x80000040;

constexpr auto kGridProperties =
    withCommonProperties(commonProperties({"左边", "顶边", "宽度", "高度", "标记", "可视", "禁止", "鼠标指针"}),
                         {
                             {"表格线颜色", PropertyKind::Colour},     {"单元格背景颜色", PropertyKind::Colour},
                             {"单元格文本颜色", PropertyKind::Colour}, {"焦点单元格颜色", PropertyKind::Colour},
                             {"表格线", PropertyKind::Choice},         {"允许调整行高", PropertyKind::Bool},
                             {"允许调整列宽", PropertyKind::Bool},     {"行高", PropertyKind::Integer},
                             {"列宽", PropertyKind::Integer},          {"行数", PropertyKind::Integer},
                             {"列数", PropertyKind::Integer},          {"固定行数", PropertyKind::Integer},
                             {"固定列数", PropertyKind::Integer},      {"允许编辑", PropertyKind::Bool},
                             {"打印前询问", PropertyKind::Bool},       {"允许选择", PropertyKind::Bool},
                             {"保留选项", PropertyKind::Bool},         {"背景颜色", PropertyKind::BackgroundColour},
                             {"保留设置", PropertyKind::Choice},       {"边框设置", PropertyKind::Choice},
                             {"回车键动作", PropertyKind::Choice},     {"点击固定单元格选择", PropertyKind::Bool},
                             {"整行选择", PropertyKind::Bool},         {"选中背景颜色", PropertyKind::Colour},
                             {"保留标志", PropertyKind::Bool},         {"表格线宽度", PropertyKind::Integer},
                             {"选中文本颜色", PropertyKind::Colour},   {"显示零值", PropertyKind::Bool},
                             {"附加颜色", PropertyKind::Colour},       {"边框", PropertyKind::Choice},
                         });
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

}  // namespace

const ClassDescriptor kGridClass{
    class_id::kGrid, kGridClassFlags,
    &classInterface<ClassRoutines<&createGrid, &writeGridProperty, &saveGridState, &readGridProperty>>,
    kGridProperties.data(), static_cast<std::uint32_t>(std::size(kGridProperties))};

}  // namespace veltrano
