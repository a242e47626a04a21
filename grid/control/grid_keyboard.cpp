// The grid's keys: clipboard and editing shortcuts, characters that start
// an edit, and the keys that move the focus, which the model places.
#include <optional>

#include "grid/control/grid_ctrl.h"
#include "grid/control/key_state.h"

namespace veltrano::grid {
namespace {

std::optional<NavigationKey> navigationKeyOf(UINT key) {
    switch (key) {
        case VK_TAB: return NavigationKey::Tab;
        case VK_RETURN: return NavigationKey::Enter;
        case VK_PRIOR: return NavigationKey::PageUp;
        case VK_NEXT: return NavigationKey::PageDown;
        case VK_HOME: return NavigationKey::Home;
        case VK_END: return NavigationKey::End;
        case VK_LEFT: return NavigationKey::Left;
        case VK_RIGHT: return NavigationKey::Right;
        case VK_UP: return NavigationKey::Up;
        case VK_DOWN: return NavigationKey::Down;
        default: return std::nullopt;
    }
}

}  // namespace

bool CGridCtrl::wantsKey(std::uint32_t virtualKey) const {
    if (editing()) return virtualKey == VK_TAB || virtualKey == VK_RETURN || virtualKey == VK_ESCAPE;
    if (virtualKey == VK_TAB) return !design_.wholeRowSelection;
    if (virtualKey == VK_RETURN) return design_.enterMode == kEnterMovesAcross || design_.enterMode == kEnterMovesDown;
    return false;
}

void CGridCtrl::onKeyDown(UINT key) {
    const CellAddress focus = model_.focusCell();
    if (!model_.isValid(focus)) return;
    const bool control = keyHeld(VK_CONTROL);
    const bool shift = keyHeld(VK_SHIFT);
    switch (key) {
        case 'C':
        case VK_INSERT:
            if (control) copySelection();
            // Shift+Insert pastes; held with Control as well, the copy
            // comes first.
            if (key == VK_INSERT && shift) pasteFromClipboard();
            return;
        case 'X':
            if (control) {
                copySelection();
                clearFocusedCells();
            }
            return;
        case 'V':
            if (control) pasteFromClipboard();
            return;
        case 'A':
            if (control) selectAll();
            return;
        case VK_DELETE:
            if (!design_.wholeRowSelection) clearFocusedCells();
            return;
        case VK_F2: beginEdit(focus.row, focus.column, 0); return;
        default: break;
    }
    if (const std::optional<NavigationKey> navigation = navigationKeyOf(key)) {
        navigate(*navigation, focus, shift, control);
    }
}

void CGridCtrl::navigate(NavigationKey key, CellAddress focus, bool shift, bool control) {
    NavigationRequest request{key, shift, control, 0};
    if (key == NavigationKey::PageUp || key == NavigationKey::PageDown) {
        request.pagedRows = scrollPage(key == NavigationKey::PageUp);
    }
    const NavigationRules rules{design_.wholeRowSelection, design_.enterMode};
    if (const std::optional<FocusMove> move = navigationTarget(model_, focus, request, rules)) {
        moveFocus(move->target, move->extendSelection);
    }
}

void CGridCtrl::onChar(wchar_t character) {
    if (keyHeld(VK_CONTROL) || mouseSelecting_) return;
    if (character == VK_ESCAPE || character == VK_TAB) return;
    if (character == VK_RETURN && design_.enterMode != 0) return;
    const CellAddress focus = model_.focusCell();
    if (!model_.isValid(focus)) return;
    if (model_.isCheckBoxColumn(focus.column) && character == L' ') return toggleCheck(focus.row, focus.column);
    beginEdit(focus.row, focus.column, character >= L' ' ? character : 0);
}

}  // namespace veltrano::grid
