#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/module_sim/clock.h"
#include "tools/module_sim/frame_assembler.h"
#include "tools/module_sim/inbound_frame.h"

namespace veltrano::modulesim {

// How the module behaves beyond the protocol itself.
struct ModuleSettings {
    // Between the records of a read-back, and before the first and after the
    // last: the program judges each read whole, so records must not share one.
    Millis recordPace{40};
    // From the learn frame to the learned code (the user pressing a key).
    Millis learnDelay{300};
    // The learned code the module reports: FA ... ED.
    Bytes learnedCode{0xFA, 0x01, 0x02, 0x03, 0x04, 0x05, 0xED};
    // Fault: the read-complete frame is never sent.
    bool silentReadback = false;
    // Fault: slot frames for this row are taken but not stored (0: none), a
    // module whose memory loses one key while the rest reads back fine.
    int dropRow = 0;
};

// Something to send after the previous reply has gone out.
struct Reply {
    Bytes bytes;
    Millis delay{0};
    std::string kind;
};

struct PortSetting {
    std::array<std::uint32_t, 4> rates{};
    int binding = 0;
};

// What handling one frame did, for the log.
struct Handled {
    InboundFrame frame;
    // Extra words for the log line, e.g. "row=5" or "rejected".
    std::string note;
    std::vector<Reply> replies;
};

// The module's memory and its answers. Stored data is kept by table row:
// a slot frame is filed under the block opened last and its position, which
// the slot table turns into the row it comes back under.
class Module {
public:
    explicit Module(ModuleSettings settings);

    Handled handle(std::span<const std::uint8_t> frame);

    const std::map<int, Bytes>& store() const { return store_; }
    void replaceStore(std::map<int, Bytes> store) { store_ = std::move(store); }

    bool inConfiguration() const { return configuring_; }
    int openBlock() const { return openBlock_; }
    const std::optional<PortSetting>& portSetting() const { return portSetting_; }
    const std::vector<Bytes>& typedCodes() const { return typedCodes_; }
    int learnRequests() const { return learnRequests_; }
    long framesReceived() const { return framesReceived_; }

private:
    std::string storeSlot(std::span<const std::uint8_t> frame);
    std::vector<Reply> readBack() const;

    ModuleSettings settings_;
    std::map<int, Bytes> store_;
    bool configuring_ = false;
    int openBlock_ = 0;
    std::optional<PortSetting> portSetting_;
    std::vector<Bytes> typedCodes_;
    int learnRequests_ = 0;
    long framesReceived_ = 0;
};

}  // namespace veltrano::modulesim
