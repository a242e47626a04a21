#pragma once

#include "runtime/kernel/component_class.h"

namespace veltrano {

// The common dialog component class: properties 8 to 29 prepare an open
// file, save file, font or help dialog; the core command CommonDialogShow
// shows it. Never visible; it fires no events.
extern const ClassDescriptor kCommonDialogClass;

}  // namespace veltrano
