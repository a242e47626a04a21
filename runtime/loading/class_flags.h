#pragma once

#include <cstdint>

namespace veltrano {

// Class flag bits the loader decides by.
namespace class_flag {
inline constexpr std::uint32_t kFiresEvents04 = 0x04;
inline constexpr std::uint32_t kCannotRecreate = 0x10;
inline constexpr std::uint32_t kMessageFilter = 0x20;
inline constexpr std::uint32_t kFiresEvents40 = 0x40;
inline constexpr std::uint32_t kChildrenMoveOnRecreate = 0x80;
inline constexpr std::uint32_t kPagedContainer = 0x100;
inline constexpr std::uint32_t kOptionButton = 0x400;
inline constexpr std::uint32_t kDefaultButtonInterface = 0x800;
inline constexpr std::uint32_t kCheckBox = 0x1000;
inline constexpr std::uint32_t kNeverVisible = 0x8000;
inline constexpr std::uint32_t kNoTabStop = 0x10000;
inline constexpr std::uint32_t kNotifyParentOnRecreate = 0x100000;
inline constexpr std::uint32_t kOwnsChildWindows = 0x200200;
}  // namespace class_flag

// Window style bits the loader hands to a class's create routine.
namespace creation_style {
inline constexpr std::uint32_t kDisabled = 0x08000000;
inline constexpr std::uint32_t kTabStop = 0x00010000;
}  // namespace creation_style

}  // namespace veltrano
