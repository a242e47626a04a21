#include "components/classdata/grid_design_data.h"

namespace veltrano::classdata {

template <>
std::optional<GridDesignData> decode<GridDesignData>(std::span<const std::uint8_t> bytes) {
    GridDesignData d;
    if (bytes.empty()) return d;
    Reader r(bytes);
    std::uint32_t version = 0;
    r.version(GridDesignData::kNewestVersion, version);
    r.u32(d.gridLineColor).u32(d.cellBackColor).u32(d.cellTextColor).u32(d.focusCellColor);
    r.i32(d.gridLines).flag(d.rowsResizable).flag(d.columnsResizable);
    r.i32(d.rowHeight).i32(d.columnWidth);
    // Row and column counts come before the editing flag and the fixed counts.
    r.i32(d.rowCount).i32(d.columnCount);
    r.flag(d.editable);
    r.i32(d.fixedRowCount).i32(d.fixedColumnCount);
    if (version >= 2) r.flag(d.printDialog);
    if (version >= 3) r.flag(d.selectionAllowed);
    if (version >= 4) r.flag(d.storedOption);
    if (version >= 5) r.u32(d.backColor);
    if (version >= 6) r.i32(d.storedSetting).i32(d.frameSetting);
    if (version >= 7) r.i32(d.enterMode);
    if (version >= 8) r.flag(d.fixedCellClickSelects).flag(d.wholeRowSelection).u32(d.selectionBackColor);
    if (version >= 9) r.flag(d.storedFlag);
    if (version >= 10) r.i32(d.gridLineWidth);
    if (version >= 11) r.u32(d.selectionTextColor);
    if (version >= 12) r.flag(d.showZeroValues);
    if (!r.ok()) return std::nullopt;

    if (version == 12 && (d.selectionBackColor & GridDesignData::kExtensionBit) != 0) {
        d.selectionBackColor &= ~GridDesignData::kExtensionBit;
        std::uint32_t marker = 0;
        if (r.tryU32(marker) && marker < 2) {
            r.u32(d.extraColor).i32(d.borderStyle);
            if (!r.ok()) return std::nullopt;
        }
    }
    return d;
}

std::vector<std::uint8_t> encode(const GridDesignData& d) {
    Writer w;
    w.u32(GridDesignData::kNewestVersion);
    w.u32(d.gridLineColor).u32(d.cellBackColor).u32(d.cellTextColor).u32(d.focusCellColor);
    w.i32(d.gridLines).flag(d.rowsResizable).flag(d.columnsResizable);
    w.i32(d.rowHeight).i32(d.columnWidth);
    w.i32(d.rowCount).i32(d.columnCount);
    w.flag(d.editable);
    w.i32(d.fixedRowCount).i32(d.fixedColumnCount);
    w.flag(d.printDialog).flag(d.selectionAllowed).flag(d.storedOption).u32(d.backColor);
    w.i32(d.storedSetting).i32(d.frameSetting).i32(d.enterMode);
    w.flag(d.fixedCellClickSelects).flag(d.wholeRowSelection);
    w.u32(d.selectionBackColor | GridDesignData::kExtensionBit);
    w.flag(d.storedFlag).i32(d.gridLineWidth).u32(d.selectionTextColor).flag(d.showZeroValues);
    w.u32(GridDesignData::kExtensionMarker).u32(d.extraColor).i32(d.borderStyle);
    return w.take();
}

}  // namespace veltrano::classdata
