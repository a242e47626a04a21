#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "components/classdata/combo_box_data.h"
#include "components/support/component_object.h"
#include "runtime/dispatch/property_kind.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano {

// Indices of the combo box's own properties as its routines receive them
// (the property number minus 8).
namespace combo_box_property {
inline constexpr int kComboStyle = 0;
inline constexpr int kText = 1;
inline constexpr int kMaxLength = 2;
inline constexpr int kSelStart = 3;
inline constexpr int kSelLength = 4;
inline constexpr int kSelText = 5;
inline constexpr int kSorted = 6;
inline constexpr int kItemHeightExtra = 7;
inline constexpr int kTextColor = 8;
inline constexpr int kBackColor = 9;
inline constexpr int kFont = 10;
inline constexpr int kCurrentSelection = 11;
inline constexpr int kItemTexts = 12;
inline constexpr int kItemData = 13;
inline constexpr int kDataSource = 14;
inline constexpr int kDataColumn = 15;
inline constexpr int kDataBindingOption = 16;
inline constexpr int kCount = 17;
}  // namespace combo_box_property

namespace combo_box_event {
inline constexpr std::int32_t kSelectionChanged = 0;
inline constexpr std::int32_t kEditChanged = 1;
inline constexpr std::int32_t kDroppedDown = 2;
inline constexpr std::int32_t kClosedUp = 3;
inline constexpr std::int32_t kListDoubleClick = 4;
inline constexpr std::int32_t kFocusGained = -7;
inline constexpr std::int32_t kFocusLost = -8;
}  // namespace combo_box_event

// The object behind one combo box: a system combo box whose items carry
// code page 936 texts and a 32-bit item data value each.
class ComboBoxObject : public ComponentObject {
public:
    // In design mode the box stands in the designer: its stored text and
    // selection are what read back.
    explicit ComboBoxObject(const classdata::ComboBoxData& data, bool designMode = false);
    ~ComboBoxObject() override;

    // Appends the item (or inserts it in sorted order) with its item data:
    // the new index, or -1 when the list refuses it.
    int addItem(std::string_view gbkText, std::int32_t itemData);
    void clear();
    int itemCount() const;
    // The item's code page 936 text; empty when the index is out of range.
    std::string itemText(int index) const;
    std::int32_t itemData(int index) const;

    // The class's routines; see combo_box_class.h.
    int writeProperty(int index, const RawValue& value);
    void readProperty(int index, RawValue& value);
    std::vector<std::uint8_t> saveState();

    // Finishes creation once the system window is attached.
    void applyCreationState();

    const classdata::ComboBoxData& data() const noexcept { return data_; }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onCommandNotification(int code) override;
    HBRUSH onControlColour(HDC dc, UINT message) override;

private:
    class ChangingBox;

    bool hasEditField() const noexcept { return data_.ComboStyle != 2; }
    std::string windowText() const;
    void setWindowTextQuietly(std::string_view gbkText);
    // Byte offsets of the edit field's selection; (0, 0) without one.
    std::pair<std::int32_t, std::int32_t> liveEditSelection() const;
    void selectInEdit(std::int32_t start, std::int32_t length);
    void replaceEditSelection(std::string_view gbkText);
    void select(std::int32_t index);
    // The runtime carries no database facility: a binding never finds its
    // source, and a bound box shows nothing chosen and an empty field.
    void rebind();
    void applyFont();
    int systemItemHeight() const;

    classdata::ComboBoxData data_;
    win::UniqueBrush backBrush_;
    win::UniqueFont font_;
    bool changingBox_ = false;
    bool designMode_ = false;
    bool listWritten_ = false;
    std::string lastRead_;
    std::vector<std::uint8_t> lastBytes_;
};

}  // namespace veltrano
