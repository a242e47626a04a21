#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "components/classdata/label_data.h"
#include "components/support/component_object.h"
#include "components/support/picture.h"
#include "runtime/dispatch/property_kind.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano {

// The label's own properties, numbered from the first class property (8).
enum class LabelProperty : int {
    Caption = 0,
    TextEffect,
    BorderStyle,
    GradientBorderWidth,
    GradientBorderColor1,
    GradientBorderColor2,
    GradientBorderColor3,
    Font,
    TextColor,
    BackColor,
    BackPicture,
    BackPictureMode,
    GradientBackground,
    GradientBackColor1,
    GradientBackColor2,
    GradientBackColor3,
    Alignment,
    WordWrap,
    VerticalAlignment,
    DataSource,
    DataColumn,
    Count
};

namespace label_event {
// Private message 0x8075 to the label; its parameters are the arguments.
inline constexpr std::int32_t kCustomMessage = 0;
}  // namespace label_event

inline constexpr UINT kLabelCustomMessage = 0x8075;
inline constexpr std::int32_t kSmallestGradientBorderWidth = 5;

// A text the runtime draws itself in a "_QL_Label" window, over a plain,
// gradient or picture background and inside an optional gradient frame.
class LabelObject final : public ComponentObject {
public:
    // Nothing when the class data does not read or the window cannot be made.
    static LabelObject* create(std::span<const std::uint8_t> classData, std::uint32_t style, HWND parent,
                               std::uint32_t controlId, RECT bounds, std::uint32_t windowId, std::uint32_t componentId);

    int writeProperty(int index, const RawValue& value);
    bool readProperty(int index, RawValue& value) const;
    std::vector<std::uint8_t> save() const { return classdata::encode(data_); }

    // Draws the label into `dc`, limited to `clip` (client coordinates).
    void paint(HDC dc, const RECT& clip);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    explicit LabelObject(classdata::LabelData data);

    void paintBackground(HDC dc, const RECT& content, const RECT& clip);
    void paintText(HDC dc, const RECT& content);
    const drawing::Picture* backPicture();
    void dropPicture();
    void setWindowText();
    void rebind();

    classdata::LabelData data_;
    win::UniqueFont font_;
    std::optional<drawing::Picture> picture_;
    bool pictureDecoded_ = false;
};

}  // namespace veltrano
