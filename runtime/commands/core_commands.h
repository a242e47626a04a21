#pragma once

// Everything the command adapter needs: the value view and every command.
#include "runtime/commands/byte_set_commands.h"
#include "runtime/commands/date_time_text.h"
#include "runtime/commands/format_text.h"
#include "runtime/commands/message_box_arguments.h"
#include "runtime/commands/remainder.h"
#include "runtime/commands/replace_subtext.h"
#include "runtime/commands/system_texts.h"
#include "runtime/commands/text_commands.h"
#include "runtime/commands/to_integer.h"
#include "runtime/commands/to_text.h"
#include "runtime/commands/value.h"
