#pragma once

#include <cstdint>

#include "runtime/kernel/library_command.h"

// The core library's component methods, in the library command convention:
// the first triple names the component (window id, component id, class id).
// They live above the runtime because they work on the components' objects.
namespace veltrano::core_library {

void EditAppendText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void ComboAddItem(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void ComboClear(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void ComboItemCount(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void ComboItemText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void CommonDialogShow(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);

}  // namespace veltrano::core_library
