#include "components/classdata/combo_box_data.h"

namespace veltrano::classdata {
namespace {

constexpr std::uint16_t kLongCountEscape = 0xFFFF;

}  // namespace

bool readItemList(Reader& reader, std::vector<std::string>& items) {
    std::uint16_t shortCount = 0;
    std::uint32_t count = 0;
    if (!reader.u16(shortCount).ok()) return false;
    count = shortCount;
    if (shortCount == kLongCountEscape && !reader.u32(count).ok()) return false;
    // Every item takes at least its length word.
    if (count > reader.remaining() / 4) {
        reader.fail();
        return false;
    }
    std::vector<std::string> list(count);
    for (std::string& item : list) {
        if (!reader.text(item).ok()) return false;
    }
    items = std::move(list);
    return true;
}

void writeItemList(Writer& writer, const std::vector<std::string>& items) {
    if (items.size() < kLongCountEscape) {
        writer.u16(static_cast<std::uint16_t>(items.size()));
    } else {
        writer.u16(kLongCountEscape).u32(static_cast<std::uint32_t>(items.size()));
    }
    for (const std::string& item : items) writer.text(item);
}

std::vector<std::uint8_t> encodeItemList(const std::vector<std::string>& items) {
    Writer w;
    writeItemList(w, items);
    return w.take();
}

std::optional<std::vector<std::string>> decodeItemList(std::span<const std::uint8_t> bytes) {
    Reader r(bytes);
    std::vector<std::string> items;
    if (!readItemList(r, items)) return std::nullopt;
    return items;
}

template <>
std::optional<ComboBoxData> decode<ComboBoxData>(std::span<const std::uint8_t> bytes) {
    ComboBoxData d;
    if (bytes.empty()) return d;
    Reader r(bytes);
    std::uint32_t version = 0;
    r.version(ComboBoxData::kNewestVersion, version);
    r.i32(d.ComboStyle).i32(d.MaxLength).i32(d.SelStart).i32(d.SelLength).flag(d.Sorted);
    r.i32(d.ItemHeightExtra).u32(d.TextColor).u32(d.BackColor).i32(d.CurrentSelection);
    r.bytes(d.Font).bytes(d.ItemData).text(d.Text);
    if (!r.ok() || !readItemList(r, d.ItemTexts)) return std::nullopt;
    if (version >= 2) r.text(d.DataSource).text(d.DataColumn);
    if (version >= 3) r.flag(d.DataBindingOption);
    if (!r.ok()) return std::nullopt;
    return d;
}

std::vector<std::uint8_t> encode(const ComboBoxData& d) {
    Writer w;
    w.u32(ComboBoxData::kNewestVersion);
    w.i32(d.ComboStyle).i32(d.MaxLength).i32(d.SelStart).i32(d.SelLength).flag(d.Sorted);
    w.i32(d.ItemHeightExtra).u32(d.TextColor).u32(d.BackColor).i32(d.CurrentSelection);
    w.bytes(d.Font).bytes(d.ItemData).text(d.Text);
    writeItemList(w, d.ItemTexts);
    w.text(d.DataSource).text(d.DataColumn).flag(d.DataBindingOption);
    return w.take();
}

}  // namespace veltrano::classdata
