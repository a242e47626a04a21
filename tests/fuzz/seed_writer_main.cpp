// Writes the generated seeds of the fuzz corpora: fuzz_seed_writer CORPUS_FOLDER
// (tests/fuzz/corpus). Table files come from the writer itself or are laid
// out by hand as older versions wrote them; frames are what the module and
// the program put on the line.
#include <array>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/protocol/frames.h"
#include "grid/file/grid_file_reader.h"
#include "grid/file/grid_file_writer.h"
#include "grid/model/byte_picture_codec.h"
#include "tests/grid_model/application_table.h"
#include "tests/grid_model/column_type_builder.h"
#include "tests/grid_model/file_bytes.h"
#include "tests/grid_model/rich_grid.h"
#include "tests/template/template_builders.h"

namespace {

using namespace veltrano;
using Bytes = std::vector<std::uint8_t>;

class SeedFolder {
public:
    explicit SeedFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
        std::filesystem::create_directories(folder_);
    }

    bool write(const std::string& name, const Bytes& bytes) {
        std::ofstream out(folder_ / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "fuzz_seed_writer: cannot write " << (folder_ / name).string() << "\n";
            return false;
        }
        return true;
    }

    bool write(const std::string& name, std::string_view text) { return write(name, Bytes(text.begin(), text.end())); }

private:
    std::filesystem::path folder_;
};

// A file of an older version with a text, a picture, a font, a colour, the
// state list from version 2 and the rules from versions 3 and 4.
Bytes oldVersionFile(std::int32_t version) {
    std::array<std::int32_t, 13> counts{};
    counts[0] = 1;  // column type
    counts[1] = 1;  // merge
    counts[2] = 2;  // cells
    counts[3] = 1;  // font
    counts[4] = 1;  // background colour
    counts[10] = version >= 2 ? 1 : 0;
    counts[11] = version >= 3 ? 1 : 0;
    counts[12] = version >= 4 ? 1 : 0;
    grid::testing::FileBytes file = grid::testing::oldVersionHeader(version, 4, 3, 1, counts);
    file.ints(4, 22).ints(3, 70);
    file.int32(2).int32(102).text("", 8).text("", 12).int32(0).int32(2).int32(1).text("item", 100);
    file.int32(1).int32(1).int32(1).int32(1).int32(2).int32(2);
    file.int32(0).int32(1).text("old", 256).int32(0).int32(0);
    file.int32(3).int32(2).text("1.5", 256).int32(1).int32(3).raw("PIC");
    file.int32(2).int32(0);
    file.int32(-12).int32(0).int32(0).int32(0).int32(700).raw(std::string_view("\0\0\0\x86\0\0\0\0", 8));
    file.text("Face", 32);
    file.int32(3).int32(1).int32(0x00FF00);
    if (version >= 2) {
        file.int32(2).int32(2).int32(0x22);
    }
    if (version >= 3) {
        file.int32(1).int32(2).int32(501).int32(0);
    }
    if (version >= 4) {
        file.int32(2).int32(1).int32(2).int32(3);
    }
    return file.bytes;
}

// Table seeds are worth little unless they load: a refused seed only
// exercises the first check that refuses it.
bool writeTable(SeedFolder& folder, const std::string& name, const Bytes& bytes, grid::PictureCodec& codec) {
    grid::GridModel loaded;
    const grid::file::GridFileReadResult result = grid::file::readGridFile(bytes, loaded, codec);
    if (!result.ok()) {
        std::cerr << "fuzz_seed_writer: " << name << " does not load: " << result.error->reason << "\n";
        return false;
    }
    return folder.write(name, bytes);
}

bool writeGridSeeds(const std::filesystem::path& corpus) {
    SeedFolder folder(corpus / "grid_file");
    grid::BytePictureCodec codec;
    bool ok = true;

    grid::GridModel small;
    small.setRowCount(3);
    small.setColumnCount(3);
    small.setFixedRowCount(1);
    small.setText(0, 1, "head", false);
    small.setText(1, 1, "AD 66 ", false);
    small.setCheckState(2, 2, 1);
    ok &= writeTable(folder, "small.dat", grid::file::gridFileBytes(small, codec), codec);

    grid::GridModel empty;
    ok &= writeTable(folder, "empty.dat", grid::file::gridFileBytes(empty, codec), codec);

    grid::GridModel table = grid::testing::makeWindowGrid();
    grid::testing::buildApplicationTable(table, codec);
    ok &= writeTable(folder, "application_table.dat", grid::file::gridFileBytes(table, codec), codec);

    ok &= writeTable(folder, "rich.dat", grid::file::gridFileBytes(grid::testing::makeRichGrid(codec), codec), codec);

    grid::GridModel medium;
    medium.setRowCount(40);
    medium.setColumnCount(6);
    medium.setFixedRowCount(1);
    medium.setFixedColumnCount(1);
    medium.addColumnType(grid::testing::TypeOf(2, grid::ColumnKind::Number).decimals(2));
    medium.addColumnType(grid::testing::TypeOf(3, grid::ColumnKind::CheckBox));
    medium.addFormulaRule(grid::FormulaRule{2, 2, grid::FormulaOperator::Multiply, 4});
    medium.addMerge(grid::MergeRecord{1, 0, 1, 0, 9, 0});
    for (std::int32_t row = 1; row < 40; ++row) {
        medium.setText(row, 1, "key " + std::to_string(row), false);
        medium.setText(row, 2, std::to_string(row * 3) + ".25", true);
        medium.setCheckState(row, 3, row % 2);
        if (row % 5 == 0) {
            medium.setTextColour(row, 1, 0x0000FF);
            medium.setFormat(row, 1, grid::kFormatRight);
        }
    }
    ok &= writeTable(folder, "medium.dat", grid::file::gridFileBytes(medium, codec), codec);

    for (std::int32_t version = 1; version <= 5; ++version) {
        ok &= writeTable(folder, "version" + std::to_string(version) + ".dat", oldVersionFile(version), codec);
    }
    return ok;
}

// A grid and the keys walked through it, laid out as the grid-keys check
// reads them.
class KeysSeed {
public:
    enum Key : std::uint8_t { Tab, Enter, PageUp, PageDown, Home, End, Left, Right, Up, Down };
    static constexpr std::uint8_t kSelectionAllowed = 0x01;
    static constexpr std::uint8_t kWholeRow = 0x02;
    static constexpr std::uint8_t kEnterAcross = 0x04;
    static constexpr std::uint8_t kEnterDown = 0x08;
    static constexpr std::uint8_t kShift = 0x01;
    static constexpr std::uint8_t kControl = 0x02;

    KeysSeed(std::uint8_t rows, std::uint8_t columns, std::uint8_t fixedRows, std::uint8_t fixedColumns,
             std::uint8_t flags)
        : layout_{static_cast<std::uint8_t>(rows - 1), static_cast<std::uint8_t>(columns - 1), fixedRows, fixedColumns,
                  flags} {}

    KeysSeed& hidden(std::uint16_t rows, std::uint16_t columns) {
        hidden_ = {static_cast<std::uint8_t>(rows & 0xFF), static_cast<std::uint8_t>(rows >> 8),
                   static_cast<std::uint8_t>(columns & 0xFF), static_cast<std::uint8_t>(columns >> 8)};
        return *this;
    }
    KeysSeed& merge(std::uint8_t top, std::uint8_t left, std::uint8_t extraRows, std::uint8_t extraColumns) {
        merges_.insert(merges_.end(), {top, left, extraRows, extraColumns});
        return *this;
    }
    KeysSeed& focus(std::uint8_t row, std::uint8_t column) {
        focus_ = {row, column};
        return *this;
    }
    KeysSeed& noFocus() {
        focus_ = {0xFF, 0};
        return *this;
    }
    // A block the control holds as its selection, marked selected in the
    // grid as well unless told otherwise.
    KeysSeed& block(std::uint8_t top, std::uint8_t left, std::uint8_t bottom, std::uint8_t right, bool marked = true) {
        block_ = {static_cast<std::uint8_t>(marked ? 0x03 : 0x01), top, left, bottom, right};
        return *this;
    }
    // Texts for the cells in row order from (0, 0), at most eight bytes each.
    KeysSeed& texts(std::initializer_list<std::string_view> texts) {
        for (const std::string_view text : texts) texts_.push_back(std::string(text));
        return *this;
    }
    KeysSeed& key(Key key, std::uint8_t modifiers = 0, std::int8_t pagedRows = 0) {
        keys_.insert(keys_.end(), {key, modifiers, static_cast<std::uint8_t>(pagedRows)});
        return *this;
    }
    KeysSeed& paste(std::string_view text) {
        paste_ = text;
        return *this;
    }

    Bytes bytes() const {
        Bytes bytes(layout_.begin(), layout_.end());
        bytes.insert(bytes.end(), hidden_.begin(), hidden_.end());
        bytes.push_back(static_cast<std::uint8_t>(merges_.size() / 4));
        bytes.insert(bytes.end(), merges_.begin(), merges_.end());
        bytes.insert(bytes.end(), focus_.begin(), focus_.end());
        bytes.insert(bytes.end(), block_.begin(), block_.end());
        bytes.push_back(static_cast<std::uint8_t>(texts_.size()));
        for (const std::string& text : texts_) {
            bytes.push_back(static_cast<std::uint8_t>(text.size()));
            bytes.insert(bytes.end(), text.begin(), text.end());
        }
        bytes.push_back(static_cast<std::uint8_t>(keys_.size() / 3));
        bytes.insert(bytes.end(), keys_.begin(), keys_.end());
        bytes.insert(bytes.end(), paste_.begin(), paste_.end());
        return bytes;
    }

private:
    std::array<std::uint8_t, 5> layout_;
    std::array<std::uint8_t, 4> hidden_{};
    Bytes merges_;
    std::array<std::uint8_t, 2> focus_{};
    Bytes block_{0};
    std::vector<std::string> texts_;
    Bytes keys_;
    std::string paste_;
};

bool writeGridKeysSeeds(const std::filesystem::path& corpus) {
    SeedFolder folder(corpus / "grid_keys");
    using K = KeysSeed;
    // The configurator's kind of table: a header row, fixed group and key
    // columns with merged groups, codes pasted into the one scrolled column.
    const KeysSeed table = KeysSeed(12, 3, 1, 2, K::kSelectionAllowed | K::kEnterDown)
                               .merge(1, 0, 4, 0)
                               .merge(6, 0, 5, 0)
                               .focus(2, 2)
                               .block(4, 2, 7, 2)
                               .texts({"dev", "fn", "data", "seq", "ch1", "FA 20", "", "ch1", "FA 21"})
                               .key(K::Down)
                               .key(K::Enter)
                               .key(K::Tab)
                               .key(K::Tab, K::kShift)
                               .key(K::PageDown, 0, 5)
                               .key(K::End, K::kControl)
                               .paste("FA 20 DF 03 FC ED\r\nFA 20 DF 04 FB ED\r\n");
    const KeysSeed hiddenEdges = KeysSeed(8, 6, 1, 1, K::kSelectionAllowed)
                                     .hidden(0x0082, 0x0022)
                                     .focus(3, 3)
                                     .block(2, 1, 7, 5, false)
                                     .texts({"", "", "", "", "", "", "", "a", "b", "c", "d", "e"})
                                     .key(K::End, K::kControl)
                                     .key(K::Home)
                                     .key(K::PageDown, K::kShift, 10)
                                     .key(K::PageUp, 0, -10)
                                     .key(K::Right)
                                     .paste("a\tb\tc\r\nd\r\ne\tf");
    const KeysSeed wholeRow = KeysSeed(6, 4, 1, 1, K::kSelectionAllowed | K::kWholeRow | K::kEnterDown)
                                  .focus(2, 1)
                                  .block(2, 0, 2, 3)
                                  .key(K::Tab)
                                  .key(K::Enter)
                                  .key(K::Left)
                                  .key(K::Down, K::kShift)
                                  .key(K::End)
                                  .paste("\r\n\r\n");
    const KeysSeed fixedOnly = KeysSeed(3, 3, 3, 1, 0)
                                   .focus(1, 2)
                                   .texts({"h0", "h1", "h2", "a", "b", "c"})
                                   .key(K::PageDown, 0, 4)
                                   .key(K::PageUp, 0, -4)
                                   .key(K::Down)
                                   .key(K::Home, K::kControl);
    const KeysSeed singleCell = KeysSeed(1, 1, 0, 0, K::kSelectionAllowed | K::kEnterAcross)
                                    .focus(0, 0)
                                    .texts({"only"})
                                    .key(K::Tab)
                                    .key(K::Enter)
                                    .key(K::End, K::kControl)
                                    .paste("");
    const KeysSeed separators = KeysSeed(4, 4, 0, 0, 0)
                                    .focus(1, 1)
                                    .block(0, 0, 2, 2)
                                    .texts({"a\tb", "\"q\"", "two\r\nl", "", "x\ry", "z\n"})
                                    .key(K::Up)
                                    .paste("\"a\tb\"\r\r\n\n\tlast\t");
    const KeysSeed noFocus = KeysSeed(5, 5, 1, 1, K::kSelectionAllowed).noFocus().key(K::Down).key(K::Tab);
    const KeysSeed mergedBlock = KeysSeed(9, 9, 1, 1, K::kSelectionAllowed | K::kEnterAcross)
                                     .merge(3, 3, 2, 3)
                                     .focus(3, 2)
                                     .key(K::Right)
                                     .key(K::Right)
                                     .key(K::Down)
                                     .key(K::Up)
                                     .key(K::Enter)
                                     .key(K::Left, K::kShift);
    const KeysSeed twoFixedColumns = KeysSeed(6, 6, 2, 2, K::kSelectionAllowed)
                                         .focus(3, 0)
                                         .key(K::Right)
                                         .key(K::Tab)
                                         .key(K::Left)
                                         .key(K::Tab, K::kShift);
    bool ok = folder.write("application_table.bin", table.bytes());
    ok &= folder.write("hidden_edges.bin", hiddenEdges.bytes());
    ok &= folder.write("whole_row.bin", wholeRow.bytes());
    ok &= folder.write("fixed_rows_only.bin", fixedOnly.bytes());
    ok &= folder.write("single_cell.bin", singleCell.bytes());
    ok &= folder.write("separators_in_cells.bin", separators.bytes());
    ok &= folder.write("no_focus.bin", noFocus.bytes());
    ok &= folder.write("merged_block.bin", mergedBlock.bytes());
    ok &= folder.write("two_fixed_columns.bin", twoFixedColumns.bytes());
    ok &= folder.write("empty.bin", Bytes{});
    return ok;
}

bool writeTemplateSeeds(const std::filesystem::path& corpus) {
    SeedFolder folder(corpus / "template");
    bool ok = folder.write("sample_window.segment", test::writeSegment({0x52010001}, {test::sampleWindow()}));
    ok &= folder.write("two_windows.segment",
                       test::writeSegment({0x52010001, 0x52010002}, {test::sampleWindow(), test::sampleWindow()}));
    ok &= folder.write("no_windows.segment", test::writeSegment({}, {}));
    return ok;
}

bool writeHexSeeds(const std::filesystem::path& corpus) {
    SeedFolder folder(corpus / "hex");
    const std::array<std::pair<const char*, std::string_view>, 12> texts{{
        {"enter_frame.txt", protocol::kEnterConfigText},
        {"learn_frame.txt", protocol::kLearnText},
        {"spaced.txt", "AD 66 66 66 66 AA AB DD BD "},
        {"lower_case.txt", " fa fd 01 01 "},
        {"full_width_spaces.txt",
         "\xA1\xA1"
         "DA DB 05 11\xA1\xA1"},
        {"odd_length.txt", "ABC"},
        {"invalid_letter.txt", "AG"},
        {"double_byte.txt", "\xD7\xD4\xB6\xA8"},
        {"lead_byte_at_end.txt", "AD\xB0"},
        {"empty.txt", ""},
        {"only_spaces.txt", "   "},
        {"long_code.txt", "FA ED 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF 01 23 45 67 89 AB CD EF"},
    }};
    bool ok = true;
    for (const auto& [name, text] : texts) {
        ok &= folder.write(name, text);
    }
    ok &=
        folder.write("port_setting.txt", protocol::portSettingText(protocol::PortRates{9600, 19200, 38400, 115200}, 2));
    ok &= folder.write("slot_frame.txt", protocol::slotFrameText(0x0102, "FA ED 12 34"));
    return ok;
}

// A read as the receive check takes it: a control byte (bit 0: a read-back
// is in progress; the byte as a signed number, halved, is added to the
// read's length to give what the port reported as queued), then the bytes.
Bytes read(std::uint8_t control, std::string_view frameText) {
    Bytes bytes{control};
    const auto frame = protocol::frameBytes(frameText);
    if (frame) {
        bytes.insert(bytes.end(), frame->begin(), frame->end());
    }
    return bytes;
}

bool writeReceiveSeeds(const std::filesystem::path& corpus) {
    SeedFolder folder(corpus / "receive");
    constexpr std::uint8_t kExtracting = 0x01;
    constexpr std::uint8_t kIdle = 0x00;
    // -8 halved: the port reported four bytes fewer than were read.
    constexpr std::uint8_t kExtractingShortQueue = 0xF1;
    const std::array<std::pair<const char*, Bytes>, 16> reads{{
        {"enter_echo.bin", read(kIdle, protocol::kEnterConfigText)},
        {"exit_echo.bin", read(kIdle, protocol::kExitConfigText)},
        {"read_echo.bin", read(kExtracting, protocol::kReadRequestText)},
        {"read_complete.bin", read(kExtracting, protocol::kReadCompleteText)},
        {"clear_echo.bin", read(kIdle, protocol::kClearText)},
        {"block_begin.bin", read(kIdle, protocol::blockBeginText(1))},
        {"record.bin", read(kExtracting, "DADB05FAED1122")},
        {"record_last_row.bin", read(kExtracting, "DADB4EFAED")},
        {"record_row_zero.bin", read(kExtracting, "DADB00FAED")},
        {"record_header_only.bin", read(kExtracting, "DADB05")},
        {"record_short_queue.bin", read(kExtractingShortQueue, "DADB05FA")},
        {"record_outside_read_back.bin", read(kIdle, "DADB05FAED")},
        {"two_records.bin", read(kExtracting, "DADB01FAEDDADB02FAED")},
        {"learned_code.bin", read(kIdle, "FAED0102030405060708")},
        {"echo_and_noise.bin", read(kExtracting, "AD66666666AAABDEBD00")},
        {"noise.bin", Bytes{kExtracting, 0x00, 0xFF, 0x7F, 0x80, 0xDA, 0x0D, 0x0A}},
    }};
    bool ok = true;
    for (const auto& [name, bytes] : reads) {
        ok &= folder.write(name, bytes);
    }
    ok &= folder.write("empty_read.bin", Bytes{kExtracting});
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_seed_writer CORPUS_FOLDER\n";
        return 2;
    }
    const std::filesystem::path corpus(argv[1]);
    const bool ok = writeGridSeeds(corpus) & writeGridKeysSeeds(corpus) & writeTemplateSeeds(corpus) &
                    writeHexSeeds(corpus) & writeReceiveSeeds(corpus);
    return ok ? 0 : 1;
}
