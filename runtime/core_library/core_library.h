#pragma once

#include <windows.h>

#include "runtime/kernel/library_command.h"

// The window system's headers name their message box function through a
// macro of the same name as the command; here the command's name stands.
#undef MessageBox

// The core library's commands in the library command convention. Texts and
// byte sets arrive as addresses (never null; the caller passes the constant
// empty value); text and byte set results are new runtime blocks, null when
// empty. The methods of the core library's components are with the
// components (components/library/component_methods.h).
namespace veltrano::core_library {

void TextLength(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void LeftText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void RightText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void MidText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void CharCode(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void BlankText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void ToUpper(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void TrimBoth(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void RemoveSpaces(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void ReplaceSubtext(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void HexText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void ToText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void ToInteger(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void ProgramDirectory(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void Remainder(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void ByteSetLength(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void BlankByteSet(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void LeftBytes(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void MessageBox(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
// The delay, text-format and visual-style commands.
void Delay(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void FormatText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);
void SetVisualStyle(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments);

}  // namespace veltrano::core_library
