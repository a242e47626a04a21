#include "components/edit_box/edit_box_object.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "components/edit_box/input_mode.h"
#include "components/edit_box/spin_buttons.h"
#include "components/support/control_appearance.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

constexpr int kSpinButtonsWidth = 18;
constexpr int kSpinButtonsIdOffset = 4;

std::int32_t clampChoice(std::int32_t value, std::int32_t last) noexcept {
    return std::clamp(value, 0, last);
}

std::string_view textOf(const RawValue& value) noexcept {
    const char* text = addressFromWord<const char>(value.word1);
    return text == nullptr ? std::string_view() : std::string_view(text);
}

std::span<const std::uint8_t> bytesOf(const RawValue& value) noexcept {
    const auto* bytes = addressFromWord<const std::uint8_t>(value.word1);
    if (bytes == nullptr) return {};
    return {bytes, value.word2};
}

bool boolOf(const RawValue& value) noexcept {
    return value.word1 != 0;
}

std::int32_t intOf(const RawValue& value) noexcept {
    return static_cast<std::int32_t>(value.word1);
}

std::uint32_t word(std::int32_t value) noexcept {
    return static_cast<std::uint32_t>(value);
}

bool hasStaticEdge(std::int32_t borderStyle) noexcept {
    return borderStyle == 0 || borderStyle == 1 || borderStyle == 3;
}

}  // namespace

EditBoxObject::EditBoxObject(const classdata::EditBoxData& data, bool designMode)
    : ComponentObject(class_id::kEditBox),
      data_(data),
      backBrush_(controls::solidBrush(data.BackColor, COLOR_BTNFACE)),
      designMode_(designMode) {}

EditBoxObject::~EditBoxObject() {
    if (spin_ != nullptr) {
        SpinButtons* spin = std::exchange(spin_, nullptr);
        spin->disown();
        delete spin;
    }
}

HWND EditBoxObject::spinButtonsHandle() const noexcept {
    return spin_ != nullptr ? spin_->handle() : nullptr;
}

void EditBoxObject::appendText(std::string_view gbkText) {
    const std::wstring wide = wideFromCodePage936(gbkText);
    const int length = GetWindowTextLengthW(handle());
    SendMessageW(handle(), EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
    SendMessageW(handle(), EM_SCROLLCARET, 0, 0);
    SendMessageW(handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void EditBoxObject::applyCreationState() {
    applyFontAndHeight();
    SendMessageW(handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(std::max(data_.MaxLength, 0)), 0);
    if (data_.InputMode == static_cast<std::int32_t>(edit_input::InputMode::Password)) {
        SendMessageW(handle(), EM_SETPASSWORDCHAR, passwordCharacter(), 0);
    }
    if (!data_.MultiLine && data_.SpinMode != 0) createSpinButtons();
    selectBytes(data_.SelStart, data_.SelLength);
    applyBorder();
}

wchar_t EditBoxObject::passwordCharacter() const noexcept {
    // A zero or double-byte lead character would show the password in clear.
    const auto character = static_cast<unsigned char>(data_.PasswordChar & 0xFF);
    if (character == 0 || character >= 0x80) return L'*';
    return static_cast<wchar_t>(character);
}

int EditBoxObject::writeProperty(int index, const RawValue& value) {
    namespace p = edit_box_property;
    switch (index) {
        case p::kText: showText(textOf(value)); return 0;
        case p::kBorderStyle:
            data_.BorderStyle = clampChoice(intOf(value), 5);
            applyBorder();
            return 0;
        case p::kTextColor:
            data_.TextColor = value.number();
            InvalidateRect(handle(), nullptr, TRUE);
            return 0;
        case p::kBackColor:
            data_.BackColor = value.number();
            backBrush_ = controls::solidBrush(data_.BackColor, COLOR_BTNFACE);
            RedrawWindow(handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
            return 0;
        case p::kFont: {
            const auto bytes = bytesOf(value);
            data_.Font.assign(bytes.begin(), bytes.end());
            applyFontAndHeight();
            return 0;
        }
        case p::kHideSelection:
            if (boolOf(value) == data_.HideSelection) return 0;
            data_.HideSelection = boolOf(value);
            return designMode_ ? 0 : 1;
        case p::kMaxLength:
            data_.MaxLength = std::max(intOf(value), 0);
            SendMessageW(handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(data_.MaxLength), 0);
            return 0;
        case p::kMultiLine:
            if (boolOf(value) == data_.MultiLine) return 0;
            data_.MultiLine = boolOf(value);
            return 1;
        case p::kScrollBars: return storeIfDifferent(data_.ScrollBars, clampChoice(intOf(value), 3));
        case p::kAlignment: return storeIfDifferent(data_.Alignment, clampChoice(intOf(value), 2));
        case p::kCaseConversion: return storeIfDifferent(data_.CaseConversion, clampChoice(intOf(value), 2));
        case p::kSpinMode: return storeIfDifferent(data_.SpinMode, clampChoice(intOf(value), 2));
        case p::kInputMode: {
            data_.InputMode = clampChoice(intOf(value), edit_input::kLastInputMode);
            const bool password = data_.InputMode == static_cast<std::int32_t>(edit_input::InputMode::Password);
            const bool readOnly = data_.InputMode == static_cast<std::int32_t>(edit_input::InputMode::ReadOnly);
            SendMessageW(handle(), EM_SETPASSWORDCHAR, password ? passwordCharacter() : 0, 0);
            SendMessageW(handle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
            InvalidateRect(handle(), nullptr, TRUE);
            return 0;
        }
        case p::kPasswordChar: {
            const std::string_view text = textOf(value);
            data_.PasswordChar = text.empty() ? 0 : static_cast<unsigned char>(text.front());
            if (data_.InputMode == static_cast<std::int32_t>(edit_input::InputMode::Password)) {
                SendMessageW(handle(), EM_SETPASSWORDCHAR, passwordCharacter(), 0);
                InvalidateRect(handle(), nullptr, TRUE);
            }
            return 0;
        }
        case p::kSpinMin:
            data_.SpinMin = intOf(value);
            setSpinRange();
            return 0;
        case p::kSpinMax:
            data_.SpinMax = intOf(value);
            setSpinRange();
            return 0;
        case p::kSelStart:
            if (intOf(value) == -1) {
                selectEnd();
                return 0;
            }
            data_.SelStart = std::max(intOf(value), 0);
            selectBytes(data_.SelStart, data_.SelLength);
            return 0;
        case p::kSelLength: {
            if (intOf(value) == -1) {
                data_.SelStart = 0;
                data_.SelLength = liveTextLength();
            } else {
                data_.SelLength = std::max(intOf(value), 0);
            }
            selectBytes(data_.SelStart, data_.SelLength);
            return 0;
        }
        case p::kSelText: replaceSelection(textOf(value)); return 0;
        case p::kDataSource:
        case p::kDataColumn:
            (index == p::kDataSource ? data_.DataSource : data_.DataColumn) = std::string(textOf(value));
            rebind();
            return 0;
        default: return 0;
    }
}

int EditBoxObject::storeIfDifferent(std::int32_t& stored, std::int32_t value) noexcept {
    if (stored == value) return 0;
    stored = value;
    return 1;
}

void EditBoxObject::readProperty(int index, RawValue& value) {
    namespace p = edit_box_property;
    value = RawValue{};
    const auto answerText = [&](std::string text) {
        lastRead_ = std::move(text);
        value.word1 = addressWord(lastRead_.c_str());
    };
    switch (index) {
        case p::kText: answerText(designMode_ ? data_.Text : controls::windowText(handle())); break;
        case p::kBorderStyle: value.word1 = word(data_.BorderStyle); break;
        case p::kTextColor: value.word1 = data_.TextColor; break;
        case p::kBackColor: value.word1 = data_.BackColor; break;
        case p::kFont:
            if (!data_.Font.empty()) {
                value.word1 = addressWord(data_.Font.data());
                value.word2 = static_cast<std::uint32_t>(data_.Font.size());
            }
            break;
        case p::kHideSelection: value.word1 = data_.HideSelection ? 1 : 0; break;
        case p::kMaxLength: value.word1 = word(data_.MaxLength); break;
        case p::kMultiLine: value.word1 = data_.MultiLine ? 1 : 0; break;
        case p::kScrollBars: value.word1 = word(data_.ScrollBars); break;
        case p::kAlignment: value.word1 = word(data_.Alignment); break;
        case p::kInputMode: value.word1 = word(data_.InputMode); break;
        case p::kPasswordChar: {
            const auto character = static_cast<char>(data_.PasswordChar & 0xFF);
            answerText(character == 0 ? std::string() : std::string(1, character));
            break;
        }
        case p::kCaseConversion: value.word1 = word(data_.CaseConversion); break;
        case p::kSpinMode: value.word1 = word(data_.SpinMode); break;
        case p::kSpinMin: value.word1 = word(data_.SpinMin); break;
        case p::kSpinMax: value.word1 = word(data_.SpinMax); break;
        case p::kSelStart: value.word1 = word(liveSelection().first); break;
        case p::kSelLength: {
            const auto [start, end] = liveSelection();
            value.word1 = word(end - start);
            break;
        }
        case p::kSelText: {
            const std::wstring text = controls::windowWideText(handle());
            DWORD start = 0;
            DWORD end = 0;
            SendMessageW(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            const std::size_t from = std::min<std::size_t>(start, text.size());
            const std::size_t to = std::clamp<std::size_t>(end, from, text.size());
            answerText(codePage936FromWide(std::wstring_view(text).substr(from, to - from)));
            break;
        }
        case p::kDataSource: answerText(data_.DataSource); break;
        case p::kDataColumn: answerText(data_.DataColumn); break;
        default: break;
    }
}

std::vector<std::uint8_t> EditBoxObject::saveState() {
    classdata::EditBoxData state = data_;
    if (handle() != nullptr) {
        state.Text = controls::windowText(handle());
        const auto [start, end] = liveSelection();
        state.SelStart = start;
        state.SelLength = end - start;
    }
    return classdata::encode(state);
}

bool EditBoxObject::wantsKey(unsigned virtualKey) const noexcept {
    return virtualKey == VK_RETURN && data_.MultiLine &&
           data_.InputMode != static_cast<std::int32_t>(edit_input::InputMode::ReadOnly);
}

std::int32_t EditBoxObject::liveTextLength() const {
    return static_cast<std::int32_t>(controls::windowText(handle()).size());
}

std::pair<std::int32_t, std::int32_t> EditBoxObject::liveSelection() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = controls::windowWideText(handle());
    const std::int32_t from = controls::byteOffsetFromWide(text, static_cast<int>(start));
    const std::int32_t to = controls::byteOffsetFromWide(text, static_cast<int>(end));
    return {from, std::max(from, to)};
}

void EditBoxObject::setWindowTextQuietly(std::string_view gbkText) {
    const std::wstring wide = wideFromCodePage936(gbkText);
    settingText_ = true;
    SetWindowTextW(handle(), wide.c_str());
    settingText_ = false;
}

void EditBoxObject::showText(std::string_view gbkText) {
    data_.Text = std::string(gbkText);
    setWindowTextQuietly(data_.Text);
    // Exactly one change event per write, whether or not the content changed.
    fireEvent(edit_box_event::kTextChanged);
}

void EditBoxObject::rebind() {
    showText({});
}

void EditBoxObject::replaceSelection(std::string_view gbkText) {
    const std::wstring wide = wideFromCodePage936(gbkText);
    SendMessageW(handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void EditBoxObject::selectBytes(std::int32_t start, std::int32_t length) {
    const std::wstring text = controls::windowWideText(handle());
    const int from = controls::wideOffsetFromBytes(text, start);
    const int to = controls::wideOffsetFromBytes(text, static_cast<std::int64_t>(start) + length);
    SendMessageW(handle(), EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
    SendMessageW(handle(), EM_SCROLLCARET, 0, 0);
}

// The receive step puts the caret after a long log's last line for every
// line it logs. The end needs none of the conversions of a selection in the
// middle: the text is fetched once and only its length in bytes counted.
void EditBoxObject::selectEnd() {
    const std::wstring text = controls::windowWideText(handle());
    data_.SelStart = static_cast<std::int32_t>(codePage936Length(text));
    data_.SelLength = 0;
    const auto end = static_cast<WPARAM>(text.size());
    SendMessageW(handle(), EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(handle(), EM_SCROLLCARET, 0, 0);
}

int EditBoxObject::lineHeight() const {
    return controls::textHeight(handle(), controls::fontOrDefault(font_), L"W");
}

void EditBoxObject::applyFontAndHeight() {
    win::UniqueFont font = controls::fontFromBytes(data_.Font);
    const HFONT applied = controls::fontOrDefault(font);
    if (!data_.MultiLine) {
        const int needed = controls::textHeight(handle(), applied, L"\u5434") + 2 * GetSystemMetrics(SM_CYEDGE);
        RECT bounds{};
        GetWindowRect(handle(), &bounds);
        if (bounds.bottom - bounds.top < needed) {
            SetWindowPos(handle(), nullptr, 0, 0, bounds.right - bounds.left, needed,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(applied), TRUE);
    font_ = std::move(font);
    if (!data_.MultiLine) {
        SetWindowPos(handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void EditBoxObject::applyBorder() {
    controls::applyBorderStyle(handle(), data_.BorderStyle);
    if (spin_ == nullptr) return;
    const HWND spin = spin_->handle();
    LONG_PTR exStyle = GetWindowLongPtrW(spin, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_STATICEDGE);
    if (hasStaticEdge(data_.BorderStyle)) exStyle |= WS_EX_STATICEDGE;
    SetWindowLongPtrW(spin, GWL_EXSTYLE, exStyle);
    SetWindowPos(spin, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void EditBoxObject::createSpinButtons() {
    controls::ensureCommonControls();
    const HWND parent = GetParent(handle());
    const int id = GetDlgCtrlID(handle()) + kSpinButtonsIdOffset;
    const DWORD exStyle = hasStaticEdge(data_.BorderStyle) ? WS_EX_STATICEDGE : 0;
    const HWND window =
        CreateWindowExW(exStyle, UPDOWN_CLASSW, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        data_.SpinMode = 0;
        return;
    }
    auto* spin = new SpinButtons(*this);
    if (!spin->attach(window)) {
        spin->disown();
        delete spin;
        DestroyWindow(window);
        data_.SpinMode = 0;
        return;
    }
    spin_ = spin;
    setSpinRange();
    EnableWindow(window, IsWindowEnabled(handle()));
    placeSpinButtons();
}

void EditBoxObject::setSpinRange() {
    if (spin_ == nullptr) return;
    const std::int32_t lower = std::min(data_.SpinMin, data_.SpinMax);
    const std::int32_t upper = std::max(data_.SpinMin, data_.SpinMax);
    SendMessageW(spin_->handle(), UDM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}

void EditBoxObject::placeSpinButtons() {
    if (spin_ == nullptr || handle() == nullptr) return;
    const HWND spin = spin_->handle();
    const HWND parent = GetParent(handle());
    if (GetParent(spin) != parent) SetParent(spin, parent);
    RECT bounds{};
    GetWindowRect(handle(), &bounds);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    // Directly above the edit box in z-order.
    const HWND above = GetWindow(handle(), GW_HWNDPREV);
    UINT flags = SWP_NOACTIVATE;
    if (above == spin) flags |= SWP_NOZORDER;
    const bool visible = (GetWindowLongPtrW(handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    flags |= visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    SetWindowPos(spin, above != nullptr ? above : HWND_TOP, bounds.right, bounds.top, kSpinButtonsWidth,
                 bounds.bottom - bounds.top, flags);
}

void EditBoxObject::onSpin(int direction) {
    const bool visible = (GetWindowLongPtrW(handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    if (!IsWindowEnabled(handle()) || !visible) return;
    if (data_.SpinMode == 2) {
        fireEvent(edit_box_event::kSpinClicked, {static_cast<std::uint32_t>(direction > 0 ? 1 : -1)});
        return;
    }
    if (data_.SpinMode != 1) return;
    const std::int64_t lower = std::min(data_.SpinMin, data_.SpinMax);
    const std::int64_t upper = std::max(data_.SpinMin, data_.SpinMax);
    const std::int64_t current = edit_input::parseInteger(controls::windowText(handle()));
    std::int64_t next = current;
    if (direction > 0) {
        next = current >= upper || current < lower - 1 ? lower : current + 1;
    } else {
        next = current <= lower || current > upper + 1 ? upper : current - 1;
    }
    setWindowTextQuietly(std::to_string(next));
    fireEvent(edit_box_event::kTextChanged);
    SendMessageW(handle(), EM_SETSEL, 0, -1);
    SendMessageW(handle(), EM_SCROLLCARET, 0, 0);
    SetFocus(handle());
}

void EditBoxObject::normaliseOnFocusLoss() {
    if (data_.InputMode < static_cast<std::int32_t>(edit_input::InputMode::Byte)) return;
    const std::wstring wide = controls::windowWideText(handle());
    const std::string current = codePage936FromWide(wide);
    const std::string normalised = edit_input::normalisedText(data_.InputMode, current);
    if (normalised == current) return;
    DWORD start = 0;
    SendMessageW(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const std::int32_t startByte = controls::byteOffsetFromWide(wide, static_cast<int>(start));
    setWindowTextQuietly(normalised);
    fireEvent(edit_box_event::kTextChanged);
    const int caret = controls::wideOffsetFromBytes(controls::windowWideText(handle()), startByte);
    SendMessageW(handle(), EM_SETSEL, static_cast<WPARAM>(caret), static_cast<LPARAM>(caret));
}

bool EditBoxObject::onCommandNotification(int code) {
    switch (code) {
        case EN_CHANGE:
            if (!settingText_) fireEvent(edit_box_event::kTextChanged);
            return true;
        case EN_SETFOCUS: fireEvent(edit_box_event::kFocusGained); return true;
        case EN_KILLFOCUS:
            normaliseOnFocusLoss();
            fireEvent(edit_box_event::kFocusLost);
            return true;
        default: return false;
    }
}

HBRUSH EditBoxObject::onControlColour(HDC dc, UINT) {
    SetTextColor(dc, controls::resolveColour(data_.TextColor, COLOR_WINDOWTEXT));
    SetBkColor(dc, controls::resolveColour(data_.BackColor, COLOR_BTNFACE));
    return backBrush_.get();
}

LRESULT EditBoxObject::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CHAR:
            // The program's character handler sees what was typed before the
            // input mode does, and a character it puts in its place meets the
            // input mode as a typed one would.
            if (commonEventSwallows(message, wParam, lParam)) return 0;
            if (!edit_input::typingAllowed(data_.InputMode, static_cast<std::uint32_t>(wParam))) return 0;
            return WindowObject::handleMessage(message, wParam, lParam);
        case WM_NCCALCSIZE:
            if (!data_.MultiLine) {
                const LRESULT result = defaultProcedure(message, wParam, lParam);
                RECT& client = wParam != FALSE ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                               : *reinterpret_cast<RECT*>(lParam);
                centreClientArea(client);
                return result;
            }
            break;
        case WM_NCPAINT:
            if (!data_.MultiLine) {
                const LRESULT result = defaultProcedure(message, wParam, lParam);
                paintCentringStrips();
                return result;
            }
            break;
        case WM_NCHITTEST:
            if (!data_.MultiLine) {
                const LRESULT result = defaultProcedure(message, wParam, lParam);
                if (result == HTNOWHERE || result == HTCLIENT) {
                    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                    ScreenToClient(handle(), &point);
                    RECT client{};
                    GetClientRect(handle(), &client);
                    if (!PtInRect(&client, point)) return HTBORDER;
                }
                return result;
            }
            break;
        case WM_ERASEBKGND:
            if (!data_.MultiLine) {
                RECT client{};
                GetClientRect(handle(), &client);
                FillRect(reinterpret_cast<HDC>(wParam), &client, backBrush_.get());
                return 1;
            }
            break;
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = defaultProcedure(message, wParam, lParam);
            placeSpinButtons();
            return result;
        }
        case WM_ENABLE:
            if (spin_ != nullptr) EnableWindow(spin_->handle(), wParam != FALSE);
            break;
        // Showing or hiding a box whose window is not shown yet changes its
        // style alone, with no position change to follow.
        case WM_SHOWWINDOW:
            if (spin_ != nullptr && lParam == 0) ShowWindow(spin_->handle(), wParam != FALSE ? SW_SHOWNA : SW_HIDE);
            break;
        default: break;
    }
    return ComponentObject::handleMessage(message, wParam, lParam);
}

void EditBoxObject::centreClientArea(RECT& client) {
    const int height = client.bottom - client.top;
    const int line = lineHeight();
    stripAbove_ = 0;
    stripBelow_ = 0;
    if (line <= 0 || height <= line) return;
    stripAbove_ = (height - line) / 2;
    stripBelow_ = height - line - stripAbove_;
    client.top += stripAbove_;
    client.bottom = client.top + line;
}

void EditBoxObject::paintCentringStrips() {
    if (stripAbove_ == 0 && stripBelow_ == 0) return;
    RECT window{};
    GetWindowRect(handle(), &window);
    RECT client{};
    GetClientRect(handle(), &client);
    MapWindowPoints(handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    const HDC dc = GetWindowDC(handle());
    if (dc == nullptr) return;
    const RECT above{client.left, client.top - stripAbove_, client.right, client.top};
    const RECT below{client.left, client.bottom, client.right, client.bottom + stripBelow_};
    FillRect(dc, &above, backBrush_.get());
    FillRect(dc, &below, backBrush_.get());
    ReleaseDC(handle(), dc);
}

}  // namespace veltrano
