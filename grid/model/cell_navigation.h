#pragma once

#include <cstdint>
#include <optional>

#include "grid/model/cell_address.h"
#include "grid/model/grid_model.h"

namespace veltrano::grid {

// The keys that move the focus, whatever keyboard the control reads them
// from.
enum class NavigationKey { Tab, Enter, PageUp, PageDown, Home, End, Left, Right, Up, Down };

enum class Step : int { Back = -1, Forward = 1 };

// What Enter does outside an edit; the other modes leave the focus alone.
inline constexpr std::int32_t kEnterMovesAcross = 1;
inline constexpr std::int32_t kEnterMovesDown = 2;

struct NavigationRequest {
    NavigationKey key = NavigationKey::Tab;
    bool shift = false;
    bool control = false;
    // How far the page key scrolled the view, in rows (negative: up); the
    // focus follows by as many.
    std::int32_t pagedRows = 0;
};

// The grid's design values that decide where a key goes.
struct NavigationRules {
    bool wholeRowSelection = false;
    std::int32_t enterMode = 0;
};

struct FocusMove {
    CellAddress target;
    bool extendSelection = false;
};

// The next shown (non-zero size) scrolled column or row from the one given,
// which may itself lie outside the grid; -1 when there is none.
std::int32_t nextColumn(const GridModel& model, std::int32_t column, Step step);
std::int32_t nextRow(const GridModel& model, std::int32_t row, Step step);
std::int32_t firstScrolledColumn(const GridModel& model);
std::int32_t lastScrolledColumn(const GridModel& model);

// The far corner of the merged range anchored at the cell, or the cell: a
// move forward starts past the whole range.
CellAddress farCorner(const GridModel& model, CellAddress cell);
// The anchor of the merged range covering the cell, or the cell.
CellAddress anchorOf(const GridModel& model, CellAddress cell);

// Where the key moves the focus; nothing when it stays where it is.
std::optional<FocusMove> navigationTarget(const GridModel& model, CellAddress focus, const NavigationRequest& request,
                                          const NavigationRules& rules);

}  // namespace veltrano::grid
