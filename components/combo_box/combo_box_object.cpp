#include "components/combo_box/combo_box_object.h"

#include <algorithm>
#include <cstring>

#include "components/support/control_appearance.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/wide_text.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

// Selection-changed arrives here once the system has finished its own
// selection handling.
constexpr UINT kSelectionConfirmed = WM_APP + 0x31;
constexpr std::int32_t kLimit = 32767;

std::string_view textOf(const RawValue& value) noexcept {
    const char* text = addressFromWord<const char>(value.word1);
    return text == nullptr ? std::string_view() : std::string_view(text);
}

std::span<const std::uint8_t> bytesOf(const RawValue& value) noexcept {
    const auto* bytes = addressFromWord<const std::uint8_t>(value.word1);
    if (bytes == nullptr) return {};
    return {bytes, value.word2};
}

std::int32_t intOf(const RawValue& value) noexcept {
    return static_cast<std::int32_t>(value.word1);
}
std::uint32_t word(std::int32_t value) noexcept {
    return static_cast<std::uint32_t>(value);
}

std::int32_t littleEndianAt(const std::vector<std::uint8_t>& bytes, std::size_t index) noexcept {
    const std::size_t offset = index * 4;
    return static_cast<std::int32_t>(std::uint32_t{bytes[offset]} | (std::uint32_t{bytes[offset + 1]} << 8) |
                                     (std::uint32_t{bytes[offset + 2]} << 16) |
                                     (std::uint32_t{bytes[offset + 3]} << 24));
}

void appendLittleEndian(std::vector<std::uint8_t>& bytes, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(v >> shift));
}

// A selection index kept within the list: at most the last item, and -1
// for anything below.
std::int32_t clampSelection(std::int32_t value, int count) noexcept {
    const std::int32_t s = std::min(value, count - 1);
    return s < -1 ? -1 : s;
}

}  // namespace

// Holds off the events the runtime's own changes would otherwise fire.
class ComboBoxObject::ChangingBox {
public:
    explicit ChangingBox(ComboBoxObject& box) noexcept : flag_(box.changingBox_), previous_(flag_) { flag_ = true; }
    ~ChangingBox() { flag_ = previous_; }
    ChangingBox(const ChangingBox&) = delete;
    ChangingBox& operator=(const ChangingBox&) = delete;

private:
    bool& flag_;
    bool previous_;
};

ComboBoxObject::ComboBoxObject(const classdata::ComboBoxData& data, bool designMode)
    : ComponentObject(class_id::kComboBox),
      data_(data),
      backBrush_(controls::solidBrush(data.BackColor, COLOR_BTNFACE)),
      designMode_(designMode) {}

ComboBoxObject::~ComboBoxObject() = default;

int ComboBoxObject::addItem(std::string_view gbkText, std::int32_t itemData) {
    const std::wstring text = wideFromCodePage936(gbkText);
    ChangingBox changing(*this);
    const LRESULT index = SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0) return -1;
    SendMessageW(handle(), CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(itemData));
    return static_cast<int>(index);
}

void ComboBoxObject::clear() {
    ChangingBox changing(*this);
    SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
}

int ComboBoxObject::itemCount() const {
    const LRESULT count = SendMessageW(handle(), CB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : static_cast<int>(count);
}

std::string ComboBoxObject::itemText(int index) const {
    if (index < 0 || index >= itemCount()) return {};
    const LRESULT length = SendMessageW(handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied <= 0) return {};
    text.resize(std::min(static_cast<std::size_t>(copied), text.size()));
    return codePage936FromWide(text);
}

std::int32_t ComboBoxObject::itemData(int index) const {
    if (index < 0 || index >= itemCount()) return 0;
    return static_cast<std::int32_t>(SendMessageW(handle(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void ComboBoxObject::applyCreationState() {
    ChangingBox changing(*this);
    applyFont();
    SendMessageW(handle(), CB_SETITEMHEIGHT, 0, systemItemHeight() + static_cast<std::int16_t>(data_.ItemHeightExtra));
    SendMessageW(handle(), CB_LIMITTEXT, static_cast<WPARAM>(data_.MaxLength), 0);
    const std::size_t dataCount = data_.ItemData.size() / 4;
    for (std::size_t i = 0; i < data_.ItemTexts.size(); ++i) {
        const std::wstring text = wideFromCodePage936(data_.ItemTexts[i]);
        const LRESULT index = SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0 && i < dataCount) {
            SendMessageW(handle(), CB_SETITEMDATA, static_cast<WPARAM>(index),
                         static_cast<LPARAM>(littleEndianAt(data_.ItemData, i)));
        }
    }
    select(data_.CurrentSelection);
    if (hasEditField()) {
        setWindowTextQuietly(data_.Text);
        selectInEdit(data_.SelStart, data_.SelLength);
    }
}

int ComboBoxObject::writeProperty(int index, const RawValue& value) {
    namespace p = combo_box_property;
    switch (index) {
        case p::kComboStyle: {
            const std::int32_t style = std::clamp(intOf(value), 0, 2);
            if (style == data_.ComboStyle) return 0;
            data_.ComboStyle = style;
            // A list always shown keeps the dialog face; a drop-down the field's white.
            if (style != 0 && data_.BackColor == classdata::kSystemDefaultColor) data_.BackColor = 0xFFFFFF;
            if (style == 0 && data_.BackColor == 0xFFFFFF) data_.BackColor = classdata::kSystemDefaultColor;
            return 1;
        }
        case p::kText:
            data_.Text = std::string(textOf(value));
            if (hasEditField()) setWindowTextQuietly(data_.Text);
            return 0;
        case p::kMaxLength:
            data_.MaxLength = std::clamp(intOf(value), 0, kLimit);
            if (hasEditField()) SendMessageW(handle(), CB_LIMITTEXT, static_cast<WPARAM>(data_.MaxLength), 0);
            return 0;
        case p::kSelStart:
            if (intOf(value) == -1) {
                data_.SelStart = hasEditField() ? static_cast<std::int32_t>(windowText().size()) : 0;
                data_.SelLength = 0;
            } else {
                data_.SelStart = std::max(intOf(value), 0);
            }
            if (hasEditField()) selectInEdit(data_.SelStart, data_.SelLength);
            return 0;
        case p::kSelLength:
            if (intOf(value) == -1) {
                data_.SelStart = 0;
                data_.SelLength = hasEditField() ? static_cast<std::int32_t>(windowText().size()) : 0;
            } else {
                data_.SelLength = std::max(intOf(value), 0);
            }
            if (hasEditField()) selectInEdit(data_.SelStart, data_.SelLength);
            return 0;
        case p::kSelText: replaceEditSelection(textOf(value)); return 0;
        case p::kSorted: {
            const bool sorted = value.word1 != 0;
            if (sorted == data_.Sorted) return 0;
            data_.Sorted = sorted;
            return 1;
        }
        case p::kItemHeightExtra: {
            const std::int32_t extra = std::clamp(intOf(value), 0, kLimit);
            const auto height = static_cast<std::int32_t>(SendMessageW(handle(), CB_GETITEMHEIGHT, 0, 0));
            SendMessageW(handle(), CB_SETITEMHEIGHT, 0, height - data_.ItemHeightExtra + extra);
            data_.ItemHeightExtra = extra;
            InvalidateRect(handle(), nullptr, TRUE);
            return 0;
        }
        case p::kTextColor:
            data_.TextColor = value.number();
            InvalidateRect(handle(), nullptr, TRUE);
            return 0;
        case p::kBackColor:
            data_.BackColor = value.number();
            backBrush_ = controls::solidBrush(data_.BackColor, COLOR_BTNFACE);
            InvalidateRect(handle(), nullptr, TRUE);
            return 0;
        case p::kFont: {
            const auto bytes = bytesOf(value);
            data_.Font.assign(bytes.begin(), bytes.end());
            const auto height = static_cast<std::int32_t>(SendMessageW(handle(), CB_GETITEMHEIGHT, 0, 0));
            SendMessageW(handle(), CB_SETITEMHEIGHT, 0, height - data_.ItemHeightExtra);
            applyFont();
            const auto fresh = static_cast<std::int32_t>(SendMessageW(handle(), CB_GETITEMHEIGHT, 0, 0));
            SendMessageW(handle(), CB_SETITEMHEIGHT, 0, fresh + data_.ItemHeightExtra);
            InvalidateRect(handle(), nullptr, TRUE);
            return 0;
        }
        case p::kCurrentSelection: select(intOf(value)); return 0;
        case p::kItemTexts: {
            data_.ItemTexts.clear();
            const auto bytes = bytesOf(value);
            if (!bytes.empty()) {
                if (auto items = classdata::decodeItemList(bytes)) data_.ItemTexts = std::move(*items);
            }
            listWritten_ = true;
            return 1;
        }
        case p::kItemData: {
            const auto bytes = bytesOf(value);
            data_.ItemData.assign(bytes.begin(), bytes.end());
            listWritten_ = true;
            return 1;
        }
        case p::kDataSource:
        case p::kDataColumn:
            (index == p::kDataSource ? data_.DataSource : data_.DataColumn) = std::string(textOf(value));
            rebind();
            return 0;
        case p::kDataBindingOption:
            data_.DataBindingOption = value.word1 != 0;
            rebind();
            return 0;
        default: return 0;
    }
}

void ComboBoxObject::readProperty(int index, RawValue& value) {
    namespace p = combo_box_property;
    value = RawValue{};
    const auto answerText = [&](std::string text) {
        lastRead_ = std::move(text);
        value.word1 = addressWord(lastRead_.c_str());
    };
    const auto answerBytes = [&](std::vector<std::uint8_t> bytes) {
        lastBytes_ = std::move(bytes);
        if (lastBytes_.empty()) return;
        value.word1 = addressWord(lastBytes_.data());
        value.word2 = static_cast<std::uint32_t>(lastBytes_.size());
    };
    switch (index) {
        case p::kComboStyle: value.word1 = word(data_.ComboStyle); break;
        case p::kText: answerText(designMode_ ? data_.Text : windowText()); break;
        case p::kMaxLength: value.word1 = word(data_.MaxLength); break;
        case p::kSelStart: value.word1 = word(liveEditSelection().first); break;
        case p::kSelLength: {
            const auto [start, end] = liveEditSelection();
            value.word1 = word(end - start);
            break;
        }
        case p::kSelText: {
            const auto [start, end] = liveEditSelection();
            const std::string text = windowText();
            const auto from = std::min<std::size_t>(static_cast<std::size_t>(start), text.size());
            const auto to = std::clamp<std::size_t>(static_cast<std::size_t>(end), from, text.size());
            answerText(text.substr(from, to - from));
            break;
        }
        case p::kSorted: value.word1 = data_.Sorted ? 1 : 0; break;
        case p::kItemHeightExtra: value.word1 = word(data_.ItemHeightExtra); break;
        case p::kTextColor: value.word1 = data_.TextColor; break;
        case p::kBackColor: value.word1 = data_.BackColor; break;
        case p::kFont: answerBytes(data_.Font); break;
        case p::kCurrentSelection:
            value.word1 = word(designMode_ ? data_.CurrentSelection
                                           : static_cast<std::int32_t>(SendMessageW(handle(), CB_GETCURSEL, 0, 0)));
            break;
        case p::kItemTexts:
            answerBytes(data_.ItemTexts.empty() ? std::vector<std::uint8_t>()
                                                : classdata::encodeItemList(data_.ItemTexts));
            break;
        case p::kItemData: answerBytes(data_.ItemData); break;
        case p::kDataSource: answerText(data_.DataSource); break;
        case p::kDataColumn: answerText(data_.DataColumn); break;
        case p::kDataBindingOption: value.word1 = data_.DataBindingOption ? 1 : 0; break;
        default: break;
    }
}

std::vector<std::uint8_t> ComboBoxObject::saveState() {
    classdata::ComboBoxData state = data_;
    if (handle() == nullptr) return classdata::encode(state);
    if (hasEditField()) {
        state.Text = windowText();
        const auto [start, end] = liveEditSelection();
        state.SelStart = start;
        state.SelLength = end - start;
    }
    state.CurrentSelection = static_cast<std::int32_t>(SendMessageW(handle(), CB_GETCURSEL, 0, 0));
    // A re-created box keeps the items it had, unless its list was just
    // written, which is what re-creating is meant to show.
    if (!listWritten_) {
        const int count = itemCount();
        state.ItemTexts.clear();
        state.ItemData.clear();
        for (int i = 0; i < count; ++i) {
            state.ItemTexts.push_back(itemText(i));
            appendLittleEndian(state.ItemData, itemData(i));
        }
    }
    return classdata::encode(state);
}

std::string ComboBoxObject::windowText() const {
    return controls::windowText(handle());
}

void ComboBoxObject::setWindowTextQuietly(std::string_view gbkText) {
    const std::wstring text = wideFromCodePage936(gbkText);
    ChangingBox changing(*this);
    SetWindowTextW(handle(), text.c_str());
}

std::pair<std::int32_t, std::int32_t> ComboBoxObject::liveEditSelection() const {
    if (!hasEditField()) return {0, 0};
    DWORD start = 0;
    DWORD end = 0;
    if (SendMessageW(handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)) ==
        CB_ERR) {
        return {0, 0};
    }
    const std::wstring text = controls::windowWideText(handle());
    const std::int32_t from = controls::byteOffsetFromWide(text, static_cast<int>(start & 0xFFFF));
    const std::int32_t to = controls::byteOffsetFromWide(text, static_cast<int>(end & 0xFFFF));
    return {from, std::max(from, to)};
}

void ComboBoxObject::selectInEdit(std::int32_t start, std::int32_t length) {
    const std::wstring text = controls::windowWideText(handle());
    const int from = controls::wideOffsetFromBytes(text, start);
    const int to = controls::wideOffsetFromBytes(text, static_cast<std::int64_t>(start) + length);
    const auto low = static_cast<WORD>(std::min(from, 0xFFFF));
    const auto high = static_cast<WORD>(std::min(to, 0xFFFF));
    SendMessageW(handle(), CB_SETEDITSEL, 0, MAKELPARAM(low, high));
}

void ComboBoxObject::replaceEditSelection(std::string_view gbkText) {
    if (!hasEditField()) return;
    const auto [start, end] = liveEditSelection();
    if (start == end) return;
    const std::string text = windowText();
    const auto from = std::min<std::size_t>(static_cast<std::size_t>(start), text.size());
    const auto to = std::clamp<std::size_t>(static_cast<std::size_t>(end), from, text.size());
    std::string replaced = text.substr(0, from);
    replaced += gbkText;
    const auto caret = static_cast<std::int32_t>(replaced.size());
    replaced += text.substr(to);
    setWindowTextQuietly(replaced);
    selectInEdit(caret, 0);
}

void ComboBoxObject::select(std::int32_t index) {
    data_.CurrentSelection = clampSelection(index, itemCount());
    ChangingBox changing(*this);
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(data_.CurrentSelection), 0);
}

void ComboBoxObject::rebind() {
    data_.Text.clear();
    select(-1);
    if (hasEditField()) setWindowTextQuietly(data_.Text);
}

void ComboBoxObject::applyFont() {
    win::UniqueFont font = controls::fontFromBytes(data_.Font);
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(controls::fontOrDefault(font)), TRUE);
    font_ = std::move(font);
}

int ComboBoxObject::systemItemHeight() const {
    return static_cast<int>(SendMessageW(handle(), CB_GETITEMHEIGHT, 0, 0));
}

bool ComboBoxObject::onCommandNotification(int code) {
    switch (code) {
        case CBN_SELENDOK: PostMessageW(handle(), kSelectionConfirmed, 0, 0); return true;
        case CBN_EDITCHANGE:
            if (!changingBox_) fireEvent(combo_box_event::kEditChanged);
            return true;
        case CBN_DROPDOWN: fireEvent(combo_box_event::kDroppedDown); return true;
        case CBN_CLOSEUP: fireEvent(combo_box_event::kClosedUp); return true;
        case CBN_DBLCLK: fireEvent(combo_box_event::kListDoubleClick); return true;
        case CBN_SETFOCUS: fireEvent(combo_box_event::kFocusGained); return true;
        case CBN_KILLFOCUS: fireEvent(combo_box_event::kFocusLost); return true;
        default: return false;
    }
}

HBRUSH ComboBoxObject::onControlColour(HDC dc, UINT) {
    SetTextColor(dc, controls::resolveColour(data_.TextColor, COLOR_WINDOWTEXT));
    SetBkColor(dc, controls::resolveColour(data_.BackColor, COLOR_BTNFACE));
    return backBrush_.get();
}

LRESULT ComboBoxObject::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kSelectionConfirmed:
            if (!changingBox_) fireEvent(combo_box_event::kSelectionChanged);
            return 0;
        case WM_ERASEBKGND:
            if (data_.ComboStyle == 0) {
                RECT client{};
                GetClientRect(handle(), &client);
                FillRect(reinterpret_cast<HDC>(wParam), &client, backBrush_.get());
                return 1;
            }
            break;
        // The edit field and the list of a combo box ask the box itself.
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return reinterpret_cast<LRESULT>(onControlColour(reinterpret_cast<HDC>(wParam), message));
        default: break;
    }
    return ComponentObject::handleMessage(message, wParam, lParam);
}

}  // namespace veltrano
