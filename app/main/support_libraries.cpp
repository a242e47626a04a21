#include "app/main/support_libraries.h"

#include "components/button/button_class.h"
#include "components/combo_box/combo_box_class.h"
#include "components/common_dialog/common_dialog_class.h"
#include "components/edit_box/edit_box_class.h"
#include "components/group_box/group_box_class.h"
#include "components/label/label_class.h"
#include "components/progress_bar/progress_bar_class.h"
#include "components/timer/timer_class.h"
#include "components/window/window_class.h"
#include "grid/control/grid_class.h"
#include "runtime/core_library/library_notification.h"

namespace veltrano::app {
namespace {

// Unit n of a library is entry n-1; units this program has no class for
// stay empty and are refused by the class lookup.
constexpr std::uint32_t kStandardUnits = 0x20;
const ClassDescriptor* const kStandardClasses[kStandardUnits] = {
    &kWindowClass,  // 0x10001
    nullptr,
    nullptr,
    nullptr,
    &kEditBoxClass,  // 0x10005
    nullptr,
    nullptr,
    nullptr,
    &kGroupBoxClass,  // 0x10009
    &kLabelClass,     // 0x1000A
    &kButtonClass,    // 0x1000B
    nullptr,
    nullptr,
    &kComboBoxClass,  // 0x1000E
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    &kProgressBarClass,  // 0x10013
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    &kCommonDialogClass,  // 0x1001F
    &kTimerClass,         // 0x10020
};

const ClassDescriptor* const kGridClasses[] = {&kGridClass};  // 0x30001

const LibraryDescriptor kStandardLibrary{&core_library::notify, kStandardUnits, kStandardClasses};
const LibraryDescriptor kGridLibrary{nullptr, 1, kGridClasses};

}  // namespace

const LibraryDescriptor* const kSupportLibraries[kSupportLibraryCount] = {
    &kStandardLibrary, nullptr, &kGridLibrary, nullptr, nullptr,
};

}  // namespace veltrano::app
