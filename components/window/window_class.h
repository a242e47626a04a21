#pragma once

#include "runtime/kernel/component_class.h"

namespace veltrano {

// The window component's class: interfaces 1, 4, 5, 6, plus 7 (icon bytes)
// and 9 (text conversion).
extern const ClassDescriptor kWindowClass;

// The window's own properties, as numbered for the class's routines
// (property number minus 8).
namespace window_property {
inline constexpr int kCaption = 0;
inline constexpr int kBorderStyle = 1;
inline constexpr int kBackColor = 2;
inline constexpr int kBackPicture = 3;
inline constexpr int kBackPictureMode = 4;
inline constexpr int kBackSound = 5;
inline constexpr int kSoundPlayMode = 6;
inline constexpr int kControlBox = 7;
inline constexpr int kMaxButton = 8;
inline constexpr int kMinButton = 9;
inline constexpr int kStartPosition = 10;
inline constexpr int kMovable = 11;
inline constexpr int kIcon = 12;
inline constexpr int kEnterMovesFocus = 13;
inline constexpr int kEscCloses = 14;
inline constexpr int kF1OpensHelp = 15;
inline constexpr int kHelpFile = 16;
inline constexpr int kHelpContext = 17;
inline constexpr int kShowInTaskbar = 18;
inline constexpr int kDragAnywhere = 19;
inline constexpr int kShape = 20;
inline constexpr int kAlwaysOnTop = 21;
inline constexpr int kKeepTitleActive = 22;
inline constexpr int kWindowClassName = 23;
inline constexpr int kCount = 24;
}  // namespace window_property

// The class registered for windows whose WindowClassName is empty.
inline constexpr wchar_t kDefaultWindowClassName[] = L"KVWindow";

}  // namespace veltrano
