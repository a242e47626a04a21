// The grid's clipboard: the selection copied as text, and text pasted into
// the cells from the focus cell on. The text form itself is the model's.
#include <vector>

#include "grid/control/clipboard_io.h"
#include "grid/control/grid_ctrl.h"
#include "grid/model/clipboard_text.h"
#include "runtime/kernel/wide_text.h"

namespace veltrano::grid {

std::wstring CGridCtrl::selectionText() const {
    return wideFromCodePage936(clipboardText(model_, selection_));
}

void CGridCtrl::copySelection() const {
    writeClipboardText(handle(), selectionText());
}

void CGridCtrl::pasteFromClipboard() {
    if (const std::optional<std::wstring> text = readClipboardText(handle())) pasteText(*text);
}

void CGridCtrl::pasteText(const std::wstring& text) {
    const CellAddress focus = model_.focusCell();
    if (!model_.isValid(focus)) return;
    bool changed = false;
    for (const PastedCell& pasted : pastedCells(text, focus)) {
        const auto [row, column] = pasted.cell;
        if (cellEditable(row, column) &&
            commands().setCellData(row, column, static_cast<std::int32_t>(CellDataKind::Text),
                                   GridValue::text(codePage936FromWide(pasted.text)))) {
            changed = true;
        }
    }
    if (!changed) return;
    model_.setModified(true);
    userModified_ = true;
    redraw();
    fireEvent(grid_event::kEditEnded);
}

}  // namespace veltrano::grid
