// libFuzzer entry for the window template reader and the class data
// decoders: whatever the bytes, reading must fail cleanly or give tables
// whose records all parse and relocate.
#include <cstddef>
#include <cstdint>
#include <span>

#include "components/classdata/button_data.h"
#include "components/classdata/combo_box_data.h"
#include "components/classdata/common_dialog_data.h"
#include "components/classdata/edit_box_data.h"
#include "components/classdata/grid_design_data.h"
#include "components/classdata/group_box_data.h"
#include "components/classdata/label_data.h"
#include "components/classdata/progress_bar_data.h"
#include "components/classdata/timer_data.h"
#include "components/classdata/window_data.h"
#include "runtime/template/component_record.h"
#include "runtime/template/handler_relocation.h"
#include "runtime/template/menu_item_record.h"
#include "runtime/template/segment_reader.h"
#include "runtime/template/segment_writer.h"

namespace {

template <typename Data>
void decodeAndReencode(std::span<const std::uint8_t> bytes) {
    const auto data = veltrano::classdata::decode<Data>(bytes);
    if (!data) return;
    // One save may normalise (flags become 0 or 1); after that it is stable.
    const auto once = veltrano::classdata::decode<Data>(veltrano::classdata::encode(*data));
    if (!once) __builtin_trap();
    const auto twice = veltrano::classdata::decode<Data>(veltrano::classdata::encode(*once));
    if (!twice || !(*twice == *once)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (auto segment = veltrano::readTemplateSegment(bytes)) {
        for (const veltrano::WindowTemplate& window : segment->templates) {
            for (std::size_t i = 0; i < window.table.count(); ++i) {
                const auto record = *window.table.recordAt(i);
                const bool parses = window.table.isMenuItemAt(i) ? veltrano::MenuItemRecord::parse(record).has_value()
                                                                 : veltrano::ComponentRecord::parse(record).has_value();
                if (!parses) __builtin_trap();
            }
        }
        if (!veltrano::relocateHandlers(*segment, 0x00400000)) __builtin_trap();
        if (!veltrano::writeTemplateSegment(*segment)) __builtin_trap();
    }
    decodeAndReencode<veltrano::classdata::WindowData>(bytes);
    decodeAndReencode<veltrano::classdata::LabelData>(bytes);
    decodeAndReencode<veltrano::classdata::GroupBoxData>(bytes);
    decodeAndReencode<veltrano::classdata::ButtonData>(bytes);
    decodeAndReencode<veltrano::classdata::EditBoxData>(bytes);
    decodeAndReencode<veltrano::classdata::ComboBoxData>(bytes);
    decodeAndReencode<veltrano::classdata::ProgressBarData>(bytes);
    decodeAndReencode<veltrano::classdata::TimerData>(bytes);
    decodeAndReencode<veltrano::classdata::CommonDialogData>(bytes);
    decodeAndReencode<veltrano::classdata::GridDesignData>(bytes);
    return 0;
}
