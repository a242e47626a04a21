#include "app/main/veltrano_application.h"

#include "app/handlers/dll_commands.h"
#include "app/main/application_constants.h"
#include "app/main/handler_table.h"
#include "app/main/support_libraries.h"
#include "app/window/main_window_template.h"

namespace veltrano::app {
namespace {

constexpr auto kDllFiles = dllCommandColumn<&DllCommandEntry::file>();
constexpr auto kDllNames = dllCommandColumn<&DllCommandEntry::exportName>();

}  // namespace

const ApplicationDescriptor kVeltranoApplication = {
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
    static_cast<std::uint32_t>(kDllCommandCount),
    kDllFiles.data(),
    kDllNames.data(),
};

}  // namespace veltrano::app
