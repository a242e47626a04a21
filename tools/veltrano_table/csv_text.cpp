#include "tools/veltrano_table/csv_text.h"

namespace veltrano::tools {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class CsvParser {
public:
    CsvParser(std::string_view text, char separator) : text_(text), separator_(separator) {
        if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) text_.remove_prefix(kByteOrderMark.size());
    }

    std::optional<std::vector<CsvRecord>> parse(std::string& error) {
        std::vector<CsvRecord> records;
        while (position_ < text_.size()) {
            CsvRecord record;
            record.line = line_;
            if (!readRecord(record.fields, error)) return std::nullopt;
            const bool blank = record.fields.size() == 1 && record.fields[0].empty();
            if (!blank) records.push_back(std::move(record));
        }
        return records;
    }

private:
    // Reads fields up to and including the end of the record.
    bool readRecord(std::vector<std::string>& fields, std::string& error) {
        for (;;) {
            std::string field;
            if (!readField(field, error)) return false;
            fields.push_back(std::move(field));
            if (position_ >= text_.size()) return true;
            const char next = text_[position_++];
            if (next == separator_) continue;
            if (next == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
            ++line_;
            return true;
        }
    }

    bool readField(std::string& field, std::string& error) {
        if (position_ < text_.size() && text_[position_] == '"') return readQuotedField(field, error);
        while (position_ < text_.size()) {
            const char c = text_[position_];
            if (c == separator_ || c == '\r' || c == '\n') break;
            field.push_back(c);
            ++position_;
        }
        return true;
    }

    bool readQuotedField(std::string& field, std::string& error) {
        const int startLine = line_;
        ++position_;
        for (;;) {
            if (position_ >= text_.size()) {
                error = "line " + std::to_string(startLine) + ": a quoted field is never closed";
                return false;
            }
            const char c = text_[position_++];
            if (c == '"') {
                if (position_ < text_.size() && text_[position_] == '"') {
                    field.push_back('"');
                    ++position_;
                    continue;
                }
                break;
            }
            if (c == '\n') ++line_;
            field.push_back(c);
        }
        if (position_ < text_.size() && text_[position_] != separator_ && text_[position_] != '\r' &&
            text_[position_] != '\n') {
            error = "line " + std::to_string(line_) + ": text follows a closing quote";
            return false;
        }
        return true;
    }

    std::string_view text_;
    char separator_;
    std::size_t position_ = 0;
    int line_ = 1;
};

}  // namespace

std::optional<std::vector<CsvRecord>> parseCsv(std::string_view text, std::string& error, char separator) {
    return CsvParser(text, separator).parse(error);
}

std::string csvField(std::string_view value) {
    if (value.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(value);
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"') quoted.push_back('"');
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

}  // namespace veltrano::tools
