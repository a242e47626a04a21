#pragma once

#include <string>
#include <vector>

namespace veltrano::tc {

// One word of a definition line: a bare word or a quoted text (unescaped,
// still UTF-8).
struct Token {
    std::string text;
    bool quoted = false;
};

// A definition line after its first word.
struct Statement {
    int line = 0;
    std::string keyword;
    std::vector<Token> arguments;
};

// A property assignment "Name = value...".
struct Assignment {
    int line = 0;
    std::string property;
    std::vector<Token> value;
};

struct ComponentDefinition {
    int line = 0;
    Token id;
    Token name;
    std::vector<Statement> statements;
    std::vector<Assignment> assignments;
};

struct WindowDefinition {
    std::vector<Statement> header;  // the lines before the first component
    std::vector<ComponentDefinition> components;
};

}  // namespace veltrano::tc
