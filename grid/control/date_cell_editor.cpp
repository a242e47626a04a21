#include "grid/control/date_cell_editor.h"

#include <commctrl.h>

#include <cstdio>

#include "components/edit_box/input_mode.h"
#include "grid/control/cell_editor_host.h"

namespace veltrano::grid {
namespace {

constexpr wchar_t kDateFormat[] = L"yyyy-MM-dd";
// The picker's calendar starts with the Gregorian calendar's first full
// year in the system's date range.
constexpr std::int32_t kFirstYear = 1601;
constexpr std::int32_t kLastYear = 9999;
constexpr UINT kCheckFocus = WM_APP + 1;

bool dateClassesReady() {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_DATE_CLASSES;
    return InitCommonControlsEx(&classes) != FALSE;
}

}  // namespace

DateCellEditor* DateCellEditor::create(CellEditorHost& host) {
    if (!dateClassesReady()) return nullptr;
    HWND window = CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", WS_CHILD | WS_BORDER | DTS_SHORTDATEFORMAT, 0, 0, 0, 0,
                                  host.editorParent(), nullptr, GetModuleHandleW(nullptr), nullptr);
    return adoptWindow(std::unique_ptr<DateCellEditor>(new DateCellEditor(host)), window);
}

std::optional<SYSTEMTIME> DateCellEditor::dateOf(std::string_view cellText) {
    const std::optional<edit_input::DateTimeParts> parts = edit_input::parseDateTime(cellText);
    if (!parts || parts->year < kFirstYear || parts->year > kLastYear) return std::nullopt;
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(parts->year);
    date.wMonth = static_cast<WORD>(parts->month);
    date.wDay = static_cast<WORD>(parts->day);
    return date;
}

std::wstring DateCellEditor::dateText(const SYSTEMTIME& date) {
    wchar_t text[16] = {};
    std::swprintf(text, 16, L"%04u-%02u-%02u", static_cast<unsigned>(date.wYear), static_cast<unsigned>(date.wMonth),
                  static_cast<unsigned>(date.wDay));
    return text;
}

void DateCellEditor::start(const RECT& rect, std::string_view cellText, const CellEditor::Look& look) {
    colours_.take(look);
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(look.font), FALSE);
    SendMessageW(handle(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(kDateFormat));
    SYSTEMTIME date{};
    if (const std::optional<SYSTEMTIME> read = dateOf(cellText)) {
        date = *read;
    } else {
        GetLocalTime(&date);
    }
    SendMessageW(handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
    SetWindowPos(handle(), HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW);
    SetFocus(handle());
}

std::wstring DateCellEditor::text() const {
    SYSTEMTIME date{};
    if (SendMessageW(handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date)) != GDT_VALID) {
        GetLocalTime(&date);
    }
    return dateText(date);
}

bool DateCellEditor::onNotify(const NMHDR& header, LRESULT& result) {
    result = 0;
    switch (header.code) {
        case DTN_DROPDOWN: calendarOpen_ = true; return true;
        case DTN_CLOSEUP:
            calendarOpen_ = false;
            // The calendar may still hold the focus while it closes; where
            // the focus went is known once it has.
            PostMessageW(handle(), kCheckFocus, 0, 0);
            return true;
        default: return false;
    }
}

LRESULT DateCellEditor::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            // Ending the edit destroys this editor: nothing of it is used
            // after.
            if (!calendarOpen_ && finishOnKey(host_, wParam)) return 0;
            break;
        case WM_CHAR:
            if (isFinishingCharacter(wParam)) return 0;
            host_.fireCharacter(static_cast<wchar_t>(wParam));
            break;
        case kCheckFocus:
            if (!calendarOpen_ && !holdsFocus(handle())) host_.editorFinished(true, 0);
            return 0;
        case WM_KILLFOCUS: {
            const auto gaining = reinterpret_cast<HWND>(wParam);
            const LRESULT result = defaultProcedure(message, wParam, lParam);
            if (calendarOpen_ || (gaining != nullptr && IsChild(handle(), gaining))) return result;
            host_.editorFinished(true, 0);
            return result;
        }
        default: break;
    }
    return ColouredEditor::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano::grid
