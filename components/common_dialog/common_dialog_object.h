#pragma once

#include <windows.h>

#include <cstdint>

#include "components/classdata/common_dialog_data.h"
#include "components/support/component_object.h"
#include "runtime/dispatch/property_kind.h"

namespace veltrano {

// The common dialog component: properties that prepare one of the system's
// standard dialogs (open file, save file, font, help) and receive its result.
class CommonDialogObject final : public ComponentObject {
public:
    enum DialogType : std::int32_t { kOpenFile = 0, kSaveFile = 1, kFont = 2, kHelp = 3 };

    explicit CommonDialogObject(const classdata::CommonDialogData& data);

    const classdata::CommonDialogData& data() const noexcept { return data_; }

    // Shows the dialog DialogType selects, modally on this thread: 1 when the
    // user confirmed (or the help viewer was opened), 0 when cancelled or
    // failed, with every property left as it was.
    int show();

    // Class property index (0 = property 8). Texts arrive and leave as the
    // address of zero-terminated code page 936 bytes; a read text stays
    // valid until the next property call.
    void writeProperty(int index, const RawValue& value);
    bool readProperty(int index, RawValue& value) const;

    // Out-of-range enumerations and negative counts as the properties take them.
    static void normalise(classdata::CommonDialogData& data) noexcept;

    // The owning window's mark that a help viewer may still be showing; the
    // window quits the viewer when it goes.
    bool helpViewerOpen() const noexcept;

private:
    HWND ownerWindow() const noexcept;
    int showFileDialog(bool save);
    int showFontDialog();
    int showHelp();
    void markHelpOpen(bool open) noexcept;

    classdata::CommonDialogData data_;
};

}  // namespace veltrano
