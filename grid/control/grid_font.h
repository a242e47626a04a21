#pragma once

#include <windows.h>

#include "grid/model/log_font.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano::grid {

// Cell fonts are logical-font records with a code page 936 face name; the
// window side works with the wide form.
LOGFONTW systemLogFont(const LogFont& font);
LogFont gridLogFont(const LOGFONTW& font);
// A fresh font for one record; empty when the system refuses it.
win::UniqueFont createFont(const LogFont& font);

}  // namespace veltrano::grid
