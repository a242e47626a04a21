#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "components/classdata/edit_box_data.h"
#include "components/edit_box/spin_buttons.h"
#include "components/support/component_object.h"
#include "runtime/dispatch/property_kind.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano {

// Indices of the edit box's own properties as its routines receive them
// (the property number minus 8).
namespace edit_box_property {
inline constexpr int kText = 0;
inline constexpr int kBorderStyle = 1;
inline constexpr int kTextColor = 2;
inline constexpr int kBackColor = 3;
inline constexpr int kFont = 4;
inline constexpr int kHideSelection = 5;
inline constexpr int kMaxLength = 6;
inline constexpr int kMultiLine = 7;
inline constexpr int kScrollBars = 8;
inline constexpr int kAlignment = 9;
inline constexpr int kInputMode = 10;
inline constexpr int kPasswordChar = 11;
inline constexpr int kCaseConversion = 12;
inline constexpr int kSpinMode = 13;
inline constexpr int kSpinMin = 14;
inline constexpr int kSpinMax = 15;
inline constexpr int kSelStart = 16;
inline constexpr int kSelLength = 17;
inline constexpr int kSelText = 18;
inline constexpr int kDataSource = 19;
inline constexpr int kDataColumn = 20;
inline constexpr int kCount = 21;
}  // namespace edit_box_property

// Events of the edit box besides the common ones.
namespace edit_box_event {
inline constexpr std::int32_t kTextChanged = 0;
inline constexpr std::int32_t kSpinClicked = 1;
inline constexpr std::int32_t kFocusGained = -7;
inline constexpr std::int32_t kFocusLost = -8;
}  // namespace edit_box_event

// The object behind one edit box: a system edit control with typed input
// modes, an optional spin buttons companion and its own colours.
class EditBoxObject : public ComponentObject, private SpinTarget {
public:
    // In design mode the box stands in the designer: its stored text is what
    // reads back, and HideSelection changes need no new window.
    explicit EditBoxObject(const classdata::EditBoxData& data, bool designMode = false);
    ~EditBoxObject() override;

    // Puts the caret after the current contents, scrolls it into view and
    // inserts the code page 936 text there (not undoable).
    void appendText(std::string_view gbkText);

    // The class's routines; see edit_box_class.h.
    int writeProperty(int index, const RawValue& value);
    void readProperty(int index, RawValue& value);
    std::vector<std::uint8_t> saveState();
    bool wantsKey(unsigned virtualKey) const noexcept;

    // Finishes creation once the system window is attached: font, height,
    // limit, password character, spin buttons, selection and border.
    void applyCreationState();

    const classdata::EditBoxData& data() const noexcept { return data_; }
    HWND spinButtonsHandle() const noexcept;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onCommandNotification(int code) override;
    HBRUSH onControlColour(HDC dc, UINT message) override;

private:
    // What the spin buttons companion reports.
    void onSpin(int direction) override;
    void spinButtonsGone() noexcept override { spin_ = nullptr; }

    void setWindowTextQuietly(std::string_view gbkText);
    // Stores and shows a new content with exactly one change event.
    void showText(std::string_view gbkText);
    // The runtime carries no database facility: a binding never finds its
    // source, and a bound box shows the empty text.
    void rebind();
    void replaceSelection(std::string_view gbkText);
    void selectBytes(std::int32_t start, std::int32_t length);
    void selectEnd();
    void applyFontAndHeight();
    void applyBorder();
    void createSpinButtons();
    void placeSpinButtons();
    void setSpinRange();
    void normaliseOnFocusLoss();
    int lineHeight() const;
    void centreClientArea(RECT& client);
    void paintCentringStrips();
    wchar_t passwordCharacter() const noexcept;
    static int storeIfDifferent(std::int32_t& stored, std::int32_t value) noexcept;
    std::int32_t liveTextLength() const;
    // Byte offsets of the live selection's start and end.
    std::pair<std::int32_t, std::int32_t> liveSelection() const;

    classdata::EditBoxData data_;
    win::UniqueBrush backBrush_;
    win::UniqueFont font_;
    SpinButtons* spin_ = nullptr;
    bool settingText_ = false;
    bool designMode_ = false;
    std::string lastRead_;
    int stripAbove_ = 0;
    int stripBelow_ = 0;
};

}  // namespace veltrano
