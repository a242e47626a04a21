#include "app/main/veltrano_application.h"

#include "app/handlers/dll_commands.h"
#include "app/main/application_constants.h"
#include "app/main/handler_table.h"
#include "app/main/support_libraries.h"
#include "app/window/main_window_template.h"
#include "runtime/kernel/image_section.h"

namespace veltrano::app {
namespace {

constexpr auto kDllFiles = dllCommandColumn<&DllCommandEntry::file>();
constexpr auto kDllNames = dllCommandColumn<&DllCommandEntry::exportName>();

// The constants and every literal text of the program share the image's
// read-only data, so that whole section is the constant data area: a literal
// passed as a text may be freed like any other text without the heap seeing
// it.
const ImageSection kConstantArea = imageSectionHolding(&kConstants);

}  // namespace

const ApplicationDescriptor kVeltranoApplication = {
    3,
    0,
    main_window::kLastIdSerial,
    handlerTable(),
    kConstantArea.start,
    kConstantArea.size,
    main_window::kTemplateSegment,
    main_window::kTemplateSegmentSize,
    kSupportLibraryCount,
    kSupportLibraries,
    static_cast<std::uint32_t>(kDllCommandCount),
    kDllFiles.data(),
    kDllNames.data(),
};

}  // namespace veltrano::app
