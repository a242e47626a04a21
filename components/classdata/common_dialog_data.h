#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "components/classdata/codec.h"
#include "components/classdata/colors.h"

namespace veltrano::classdata {

// Properties 8 to 29 in this order.
struct CommonDialogData {
    static constexpr std::uint32_t kNewestVersion = 1;

    std::int32_t DialogType = 0;
    std::string Title;
    std::string FileName;
    std::string Filter;
    std::int32_t FilterIndex = 0;
    std::string InitialDir;
    std::string DefaultExt;
    bool CreatePrompt = false;
    bool FileMustExist = true;
    bool OverwritePrompt = true;
    bool PathMustExist = true;
    bool NoChangeDir = false;
    std::uint32_t Color = 0;
    bool Bold = false;
    bool Italic = false;
    bool StrikeOut = false;
    bool Underline = false;
    std::string FontName;
    std::int32_t FontSize = 0;
    std::string HelpFile;
    std::int32_t HelpCommand = 0;
    std::int32_t HelpContext = 0;

    bool operator==(const CommonDialogData&) const = default;
};

template <>
std::optional<CommonDialogData> decode<CommonDialogData>(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encode(const CommonDialogData& data);

}  // namespace veltrano::classdata
