#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "runtime/kernel/application_descriptor.h"
#include "runtime/kernel/component_class.h"
#include "runtime/kernel/window_object.h"

namespace veltrano::test {

// Three small classes of a test library: a top-level frame (unit 1), a box
// that contains other components (unit 9) and a text (unit 10) with a text
// property (8), a number (9) and a property whose write asks for a
// re-creation (10). Their class data is the text itself.
inline constexpr std::uint32_t kFrameClass = 0x00010001;
// A tab control (unit 2): a container whose child list is split into pages
// and whose window answers which page it shows.
inline constexpr std::uint32_t kTabClass = 0x00010002;
inline constexpr std::uint32_t kBoxClass = 0x00010009;
inline constexpr std::uint32_t kTextClass = 0x0001000A;

struct CreationRecord {
    std::uint32_t componentId;
    std::uint32_t controlId;
    std::uint32_t style;
    HWND parent;
    bool whileCreatingModalWindow = false;
};

// What the classes saw, for the tests to check.
struct ClassLog {
    std::vector<CreationRecord> creations;
    std::vector<UINT> privateMessages;  // 0x806F, 0x8004, 0x8076 in arrival order
    int destroyed = 0;
    // What the loader told a frame loaded as modal.
    bool markedModal = false;
    int acceleratorCount = 0;  // of the table the loader gave the frame
    std::vector<std::pair<HWND, bool>> disabledForModal;
    // Runs when a frame's window is being destroyed, as a handler of the
    // window's own destruction would.
    std::function<void()> onFrameDestroying;
    // What frames answer when asked how they start, and the page tab
    // controls show.
    int startShowCommand = SW_SHOWNORMAL;
    LRESULT currentPage = 0;
};
ClassLog& classLog();

class TestTextObject final : public WindowObject {
public:
    ~TestTextObject() override;
    std::string text;
    std::int32_t number = 0;
    std::vector<std::uint8_t> font;     // a logical-font record once written
    std::vector<std::uint8_t> pointer;  // a mouse-pointer block in the class's codes

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

extern const LibraryDescriptor kTestLibrary;

}  // namespace veltrano::test
