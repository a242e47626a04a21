#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "tools/module_sim/frame_assembler.h"

namespace veltrano::modulesim {

// What a frame from the program asks of the module.
enum class FrameKind {
    EnterConfig,
    ExitConfig,
    Clear,
    ReadRequest,
    BlockBegin,
    BlockEnd,
    UnknownCommand,  // a whole AD 66 66 66 66 frame with no known command
    PortSetting,
    Slot,
    Learn,
    Fragment,  // the start of a fixed shape, cut off by silence
    Code,      // anything else: a code typed in for a trial
};

struct InboundFrame {
    FrameKind kind = FrameKind::Code;
    // Block number of BlockBegin and BlockEnd.
    int block = 0;
};

InboundFrame classifyInbound(std::span<const std::uint8_t> frame);

// Short name for the log and the status file.
std::string_view kindName(FrameKind kind);

}  // namespace veltrano::modulesim
