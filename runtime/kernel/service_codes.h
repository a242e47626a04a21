#pragma once

#include <cstdint>

// The codes of the runtime's service entry, through which components and
// libraries ask the kernel for what they cannot reach themselves. The numbers
// are the entry's contract with compiled components: they never change.
namespace veltrano::service {

inline constexpr std::int32_t kDefaultIcons = 1000;
inline constexpr std::int32_t kWindowRegistry = 1001;
inline constexpr std::int32_t kClassDescriptor = 1002;
inline constexpr std::int32_t kAlwaysOne = 1004;
inline constexpr std::int32_t kVersion = 1005;
inline constexpr std::int32_t kNewObjectForHandle = 1007;
inline constexpr std::int32_t kDestroyObject = 1008;
inline constexpr std::int32_t kDetachObject = 1009;
inline constexpr std::int32_t kHandleOfObject = 1010;
inline constexpr std::int32_t kAttachObject = 1011;
inline constexpr std::int32_t kAddIdleHandler = 1012;
inline constexpr std::int32_t kRemoveIdleHandler = 1013;
inline constexpr std::int32_t kIsComponentHandle = 1014;
inline constexpr std::int32_t kComponentDestroyed = 2000;
inline constexpr std::int32_t kNumericValue = 2001;
inline constexpr std::int32_t kRunDirectory = 2003;
inline constexpr std::int32_t kProgramFileName = 2004;
inline constexpr std::int32_t kLoadWindow = 2005;
inline constexpr std::int32_t kComponentObject = 2006;
inline constexpr std::int32_t kComponentObjectOrFail = 2007;
inline constexpr std::int32_t kFireEvent = 2008;
inline constexpr std::int32_t kSuppressEvents = 2009;
inline constexpr std::int32_t kAllowEvents = 2010;
inline constexpr std::int32_t kCurrentEventSource = 2017;
inline constexpr std::int32_t kProcessPendingMessages = 2018;
inline constexpr std::int32_t kClassOfComponent = 2022;
inline constexpr std::int32_t kFreeArray = 2023;
inline constexpr std::int32_t kAllocate = 2024;
inline constexpr std::int32_t kFree = 2025;
inline constexpr std::int32_t kReallocate = 2026;
inline constexpr std::int32_t kFatalMessage = 2027;
inline constexpr std::int32_t kExitProcess = 2028;
inline constexpr std::int32_t kClassEventKind = 2029;
inline constexpr std::int32_t kRunMode = 2030;
inline constexpr std::int32_t kFireTypedEvent = 2031;
inline constexpr std::int32_t kWindowCount = 2032;
inline constexpr std::int32_t kWindowHandle = 2033;
inline constexpr std::int32_t kRebuildMenu = 2040;

}  // namespace veltrano::service
