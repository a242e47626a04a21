#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "components/classdata/group_box_data.h"
#include "components/support/component_object.h"
#include "runtime/dispatch/property_kind.h"
#include "runtime/kernel/unique_handle.h"

namespace veltrano {

// The group box's own properties, numbered from the first class property (8).
enum class GroupBoxProperty : int { Caption = 0, Alignment, TextColor, BackColor, Font, Count };

// A system group frame. It contains the components placed in it: their
// system windows are its children, so their notifications arrive here and
// the base class hands them on to each child's object.
class GroupBoxObject final : public ComponentObject {
public:
    // Nothing when the class data does not read or the window cannot be made.
    static GroupBoxObject* create(std::span<const std::uint8_t> classData, std::uint32_t style, HWND parent,
                                  std::uint32_t controlId, RECT bounds, std::uint32_t windowId,
                                  std::uint32_t componentId);

    int writeProperty(int index, const RawValue& value);
    bool readProperty(int index, RawValue& value) const;
    std::vector<std::uint8_t> save() const { return classdata::encode(data_); }

    HBRUSH onControlColour(HDC dc, UINT message) override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    explicit GroupBoxObject(classdata::GroupBoxData data);

    void remakeBrush();

    classdata::GroupBoxData data_;
    win::UniqueBrush brush_;
    win::UniqueFont font_;
};

}  // namespace veltrano
