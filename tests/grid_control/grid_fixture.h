#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "components/classdata/grid_design_data.h"
#include "grid/control/grid_ctrl.h"
#include "grid/library/grid_command_calls.h"
#include "runtime/kernel/runtime_heap.h"
#include "runtime/kernel/runtime_services.h"

namespace veltrano::grid::test {

struct FiredEvent {
    std::int32_t number = 0;
    std::vector<EventWord> arguments;
};

// A grid made by its class's create routine under a shown parent window,
// with every event it fires recorded.
class GridFixture : public ::testing::Test {
protected:
    static constexpr std::uint32_t kWindowId = 0x52010001;
    static constexpr std::uint32_t kComponentId = 0x6010005;

    GridFixture();
    ~GridFixture() override;

    // A design for the application's kind of table unless a test changes it.
    static classdata::GridDesignData tableDesign();
    // Replaces the grid with one made from this design.
    void recreate(const classdata::GridDesignData& design);

    CGridCtrl& grid() { return *grid_; }
    GridModel& model() { return grid_->model(); }

    // Runs a command with argument 0 naming the grid.
    ValueTriple call(grid_library::GridCommand command, std::initializer_list<ValueTriple> arguments);
    static ValueTriple integer(std::int32_t value);
    static ValueTriple logical(bool value);
    ValueTriple text(const std::string& value);
    std::string cellText(std::int32_t row, std::int32_t column);

    std::vector<FiredEvent> eventsNumbered(std::int32_t number) const;
    // The result every later event of this number gets; none lets it pass
    // without one.
    void answerEvent(std::int32_t number, std::optional<std::uint32_t> answer);
    // The answer the next events 7 get: nothing, or a logical.
    void answerEditRequests(std::optional<bool> answer);

    // The client area rendered through WM_PRINTCLIENT, as 0x00BBGGRR.
    std::vector<COLORREF> render(int& width, int& height);
    static COLORREF pixel(const std::vector<COLORREF>& pixels, int width, int x, int y);
    // Keeps a rendering as a 24-bit picture file beside the test program,
    // for a look by eye; false when it cannot be written.
    static bool savePicture(const std::vector<COLORREF>& pixels, int width, int height, const std::wstring& name);

    RuntimeHeap heap_;
    HWND parent_ = nullptr;
    CGridCtrl* grid_ = nullptr;
    std::vector<FiredEvent> events_;
    std::vector<void*> blocks_;
};

}  // namespace veltrano::grid::test
