#include "app/main/application_descriptor.h"

#include "app/main/application_constants.h"
#include "app/main/handler_table.h"
#include "app/main/support_libraries.h"
#include "app/window/main_window_template.h"

namespace veltrano::app {
namespace {

// The DLL commands the application declares, by index.
const char* const kDllFiles[] = {
    "\\DLL\\PCOMM.DLL", "", "Advapi32", "advapi32.dll", "\\DLL\\PCOMM.DLL",
    "\\DLL\\PCOMM.DLL", "\\DLL\\PCOMM.DLL", "\\DLL\\PCOMM.DLL", "\\DLL\\PCOMM.DLL", "\\DLL\\PCOMM.DLL",
};
const char* const kDllNames[] = {
    "sio_write", "RegOpenKeyA", "RegEnumValueA", "RegCloseKey", "sio_open",
    "sio_ioctl", "sio_SetReadTimeouts", "sio_close", "sio_iqueue", "sio_read",
};
static_assert(std::size(kDllFiles) == std::size(kDllNames));

}  // namespace

const ApplicationDescriptor kApplicationDescriptor = {
    3,
    0,
    main_window::kLastIdSerial,
    handlerTable(),
    &kConstants,
    sizeof(ApplicationConstants),
    main_window::kTemplateSegment,
    main_window::kTemplateSegmentSize,
    kSupportLibraryCount,
    kSupportLibraries,
    static_cast<std::uint32_t>(std::size(kDllFiles)),
    kDllFiles,
    kDllNames,
};

}  // namespace veltrano::app
