#include "tools/template_compiler/definition_parser.h"

#include <utility>

namespace veltrano::tc {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Splits one line into tokens; answers an error message or nothing.
std::optional<std::string> tokenize(std::string_view line, std::vector<Token>& tokens) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (isSpace(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        Token token;
        if (line[i] == '"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c != '\\') {
                    token.text += c;
                    continue;
                }
                if (i >= line.size()) break;
                const char e = line[i++];
                switch (e) {
                    case '"': token.text += '"'; break;
                    case '\\': token.text += '\\'; break;
                    case 'n': token.text += '\n'; break;
                    case 'r': token.text += '\r'; break;
                    case 't': token.text += '\t'; break;
                    default: return std::string("unknown escape \\") + e + " in a quoted text";
                }
            }
            if (!closed) return std::string("quoted text without its closing quote");
        } else {
            while (i < line.size() && !isSpace(line[i])) token.text += line[i++];
        }
        tokens.push_back(std::move(token));
    }
    return std::nullopt;
}

}  // namespace

std::optional<WindowDefinition> parseDefinition(std::string_view text, std::vector<Diagnostic>& diagnostics) {
    WindowDefinition definition;
    const std::size_t errorsBefore = diagnostics.size();
    int lineNumber = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line =
            text.substr(start, end == std::string_view::npos ? text.size() - start : end - start);
        start = end == std::string_view::npos ? text.size() + 1 : end + 1;
        ++lineNumber;

        std::vector<Token> tokens;
        if (const auto error = tokenize(line, tokens)) {
            diagnostics.push_back({lineNumber, *error});
            continue;
        }
        if (tokens.empty()) continue;
        if (tokens[0].quoted) {
            diagnostics.push_back({lineNumber, "a line must start with a keyword or a property name"});
            continue;
        }

        if (tokens.size() >= 2 && !tokens[1].quoted && tokens[1].text == "=") {
            if (definition.components.empty()) {
                diagnostics.push_back({lineNumber, "property '" + tokens[0].text + "' outside a component"});
                continue;
            }
            Assignment assignment{lineNumber, tokens[0].text, {tokens.begin() + 2, tokens.end()}};
            definition.components.back().assignments.push_back(std::move(assignment));
            continue;
        }
        if (tokens[0].text == "component") {
            if (tokens.size() != 3) {
                diagnostics.push_back({lineNumber, "expected: component ID NAME (\"\" for no name)"});
                continue;
            }
            definition.components.push_back(ComponentDefinition{lineNumber, tokens[1], tokens[2], {}, {}});
            continue;
        }
        Statement statement{lineNumber, tokens[0].text, {tokens.begin() + 1, tokens.end()}};
        if (definition.components.empty()) {
            definition.header.push_back(std::move(statement));
        } else {
            definition.components.back().statements.push_back(std::move(statement));
        }
    }
    if (diagnostics.size() != errorsBefore) return std::nullopt;
    return definition;
}

}  // namespace veltrano::tc
