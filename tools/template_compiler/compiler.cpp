#include "tools/template_compiler/compiler.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "runtime/template/component_id.h"
#include "runtime/template/component_table.h"
#include "runtime/template/record_writer.h"
#include "runtime/template/segment_reader.h"
#include "runtime/template/segment_writer.h"
#include "runtime/values/class_ids.h"
#include "tools/template_compiler/component_classes.h"
#include "tools/template_compiler/definition_parser.h"
#include "tools/template_compiler/gbk.h"
#include "tools/template_compiler/property_values.h"

namespace veltrano::tc {
namespace {

struct Entry {
    const ComponentDefinition* source = nullptr;
    std::uint32_t id = 0;
    std::string name;  // UTF-8
    const ComponentClass* componentClass = nullptr;
    ComponentRecordData record;
    int parentLine = 0;
    int childrenLine = 0;
};

bool isAsciiIdentifier(std::string_view name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// Component names become C++ identifiers in the generated header; letters
// beyond ASCII (UTF-8 sequences) are allowed there.
bool isComponentIdentifier(std::string_view name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

std::string display(const Entry& entry) {
    return entry.name.empty() ? hex32(entry.id) : "'" + entry.name + "'";
}

class Compiler {
public:
    explicit Compiler(std::vector<Diagnostic>& diagnostics) : diagnostics_(diagnostics) {}

    std::optional<CompiledWindow> run(std::string_view text) {
        const auto definition = parseDefinition(text, diagnostics_);
        if (!definition) return std::nullopt;
        readHeader(definition->header);
        declareEntries(definition->components);
        if (failed()) return std::nullopt;
        for (Entry& entry : entries_) readEntry(entry);
        checkFamilies();
        if (failed()) return std::nullopt;
        return build();
    }

private:
    bool failed() const { return !diagnostics_.empty(); }

    void error(int line, std::string message) { diagnostics_.push_back({line, std::move(message)}); }

    std::optional<std::uint32_t> integerArgument(const Statement& s, std::size_t count) {
        if (s.arguments.size() != count) {
            error(s.line, s.keyword + " takes " + std::to_string(count) + " argument(s)");
            return std::nullopt;
        }
        const auto value = parseInteger(s.arguments[0]);
        if (!value || *value < -0x80000000LL || *value > 0xFFFFFFFFLL) {
            error(s.line, s.keyword + ": '" + s.arguments[0].text + "' is not a 32-bit integer");
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(*value);
    }

    std::optional<std::string> textArgument(const Statement& s) {
        if (s.arguments.size() != 1 || !s.arguments[0].quoted) {
            error(s.line, s.keyword + " takes one quoted text");
            return std::nullopt;
        }
        auto gbk = utf8ToGbk(s.arguments[0].text);
        if (!gbk) error(s.line, s.keyword + ": the text has characters outside code page 936");
        return gbk;
    }

    void readHeader(const std::vector<Statement>& header) {
        std::map<std::string, int> seen;
        bool haveWindow = false;
        for (const Statement& s : header) {
            if (const auto [at, inserted] = seen.emplace(s.keyword, s.line); !inserted) {
                error(s.line, "duplicate '" + s.keyword + "' (first at line " + std::to_string(at->second) + ")");
                continue;
            }
            if (s.keyword == "window") {
                const auto id = integerArgument(s, 1);
                if (!id) continue;
                if (!isWindowId(*id)) {
                    error(s.line, "window id " + hex32(*id) + " is not a valid window id (kind 2 in bits 24-27)");
                    continue;
                }
                window_.windowId = *id;
                haveWindow = true;
            } else if (s.keyword == "unitWord1") {
                if (const auto value = integerArgument(s, 1)) unitWord1_ = *value;
            } else if (s.keyword == "unitWord2") {
                if (const auto value = integerArgument(s, 1)) unitWord2_ = *value;
            } else if (s.keyword == "unitName") {
                if (auto value = textArgument(s)) unitName_ = std::move(*value);
            } else if (s.keyword == "unitComment") {
                if (auto value = textArgument(s)) unitComment_ = std::move(*value);
            } else {
                error(s.line, "unknown keyword '" + s.keyword + "' before the first component");
            }
        }
        if (!haveWindow) error(0, "missing the 'window ID' line");
    }

    void declareEntries(const std::vector<ComponentDefinition>& components) {
        if (components.empty()) {
            error(0, "the window has no entries: the first component is the window itself");
            return;
        }
        std::map<std::uint32_t, int> idLines;
        std::map<std::string, int> nameLines;
        for (const ComponentDefinition& c : components) {
            Entry entry;
            entry.source = &c;
            entry.name = c.name.text;
            const auto id = parseInteger(c.id);
            if (!id || *id <= 0 || *id > 0xFFFFFFFFLL) {
                error(c.line, "'" + c.id.text + "' is not an id");
            } else if (!isComponentId(static_cast<std::uint32_t>(*id)) ||
                       isMenuItemId(static_cast<std::uint32_t>(*id))) {
                error(c.line, "id " + hex32(static_cast<std::uint32_t>(*id)) +
                                  " is not a component id (kind 6 in bits 24-27, a serial in bits 0-23)");
            } else {
                entry.id = static_cast<std::uint32_t>(*id);
                if (const auto [at, inserted] = idLines.emplace(entry.id, c.line); !inserted) {
                    error(c.line,
                          "duplicate id " + hex32(entry.id) + " (first at line " + std::to_string(at->second) + ")");
                }
            }
            if (!entry.name.empty()) {
                if (!isComponentIdentifier(entry.name)) {
                    error(c.line, "name '" + entry.name + "' cannot be an identifier");
                } else if (const auto [at, inserted] = nameLines.emplace(entry.name, c.line); !inserted) {
                    error(c.line,
                          "duplicate name '" + entry.name + "' (first at line " + std::to_string(at->second) + ")");
                }
            }
            const auto gbkName = utf8ToGbk(entry.name);
            if (!gbkName) {
                error(c.line, "name '" + entry.name + "' has characters outside code page 936");
            } else {
                entry.record.name = *gbkName;
            }
            entry.componentClass = findClassOf(c);
            entries_.push_back(std::move(entry));
        }
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].id != 0) indexOfId_.emplace(entries_[i].id, i);
            if (!entries_[i].name.empty()) indexOfName_.emplace(entries_[i].name, i);
            const ComponentClass* cls = entries_[i].componentClass;
            const bool isWindow = cls != nullptr && cls->classId() == class_id::kWindow;
            if (i == 0 && cls != nullptr && !isWindow) {
                error(entries_[i].source->line, "the first entry is the window itself and must be of class window");
            }
            if (i > 0 && isWindow) error(entries_[i].source->line, "only the first entry may be of class window");
        }
    }

    const ComponentClass* findClassOf(const ComponentDefinition& c) {
        const Statement* classLine = nullptr;
        for (const Statement& s : c.statements) {
            if (s.keyword != "class") continue;
            if (classLine != nullptr) {
                error(s.line, "duplicate 'class' (first at line " + std::to_string(classLine->line) + ")");
                return nullptr;
            }
            classLine = &s;
        }
        if (classLine == nullptr) {
            error(c.line, "component without a 'class' line");
            return nullptr;
        }
        if (classLine->arguments.size() != 1 || classLine->arguments[0].quoted) {
            error(classLine->line, "class takes one class name");
            return nullptr;
        }
        const ComponentClass* cls = findClassByName(classLine->arguments[0].text);
        if (cls == nullptr) error(classLine->line, "unknown class '" + classLine->arguments[0].text + "'");
        return cls;
    }

    // The id a reference names: a number (0 allowed when `zeroAllowed`) or a component name.
    std::optional<std::uint32_t> resolve(const Token& token, int line, const std::string& role, bool zeroAllowed) {
        if (!token.quoted) {
            if (const auto number = parseInteger(token)) {
                if (*number == 0 && zeroAllowed) return 0;
                if (*number > 0 && *number <= 0xFFFFFFFFLL &&
                    indexOfId_.count(static_cast<std::uint32_t>(*number)) != 0) {
                    return static_cast<std::uint32_t>(*number);
                }
                error(line, "dangling " + role + " " + token.text + ": no such entry in this window");
                return std::nullopt;
            }
        }
        const auto found = indexOfName_.find(token.text);
        if (found == indexOfName_.end()) {
            error(line, "dangling " + role + " '" + token.text + "': no such component in this window");
            return std::nullopt;
        }
        return entries_[found->second].id;
    }

    std::uint32_t handlerOffset(const std::string& name) {
        for (std::size_t i = 0; i < handlers_.size(); ++i) {
            if (handlers_[i] == name) return static_cast<std::uint32_t>(i) * kHandlerStride;
        }
        handlers_.push_back(name);
        return static_cast<std::uint32_t>(handlers_.size() - 1) * kHandlerStride;
    }

    void readEntry(Entry& entry) {
        const ComponentDefinition& c = *entry.source;
        std::map<std::string, int> seen;
        std::set<std::int32_t> events;
        bool noClassData = false;
        for (const Statement& s : c.statements) {
            if (s.keyword != "event" && s.keyword != "class") {
                if (const auto [at, inserted] = seen.emplace(s.keyword, s.line); !inserted) {
                    error(s.line, "duplicate '" + s.keyword + "' (first at line " + std::to_string(at->second) + ")");
                    continue;
                }
            }
            if (s.keyword == "class") {
                continue;
            } else if (s.keyword == "rect") {
                readRect(s, entry.record);
            } else if (s.keyword == "parent") {
                entry.parentLine = s.line;
                if (s.arguments.size() != 1) {
                    error(s.line, "parent takes one component (0 for the window)");
                } else if (const auto id = resolve(s.arguments[0], s.line, "parent", true)) {
                    if (*id == entry.id) {
                        error(s.line, "a component cannot be its own parent");
                    } else {
                        entry.record.parentId = *id;
                    }
                }
            } else if (s.keyword == "children") {
                entry.childrenLine = s.line;
                for (const Token& t : s.arguments) {
                    const auto id = resolve(t, s.line, "child", true);
                    if (!id) continue;
                    if (*id == entry.id) error(s.line, "a component cannot contain itself");
                    entry.record.childIds.push_back(*id);
                }
            } else if (s.keyword == "eventLink") {
                if (s.arguments.size() != 1) {
                    error(s.line, "eventLink takes one component");
                } else if (const auto id = resolve(s.arguments[0], s.line, "event link", true)) {
                    checkEventLink(entry, *id, s.line);
                }
            } else if (s.keyword == "comment") {
                if (auto text = textArgument(s)) entry.record.comment = std::move(*text);
            } else if (s.keyword == "tag") {
                if (auto text = textArgument(s)) entry.record.tag = std::move(*text);
            } else if (s.keyword == "flags") {
                readFlags(s, entry.record);
            } else if (s.keyword == "mousePointer") {
                readMousePointer(s, entry.record);
            } else if (s.keyword == "event") {
                readEvent(s, entry.record, events);
            } else if (s.keyword == "classdata") {
                if (s.arguments.size() != 1 || s.arguments[0].quoted || s.arguments[0].text != "none") {
                    error(s.line, "expected: classdata none");
                } else {
                    noClassData = true;
                }
            } else {
                error(s.line, "unknown keyword '" + s.keyword + "'");
            }
        }
        if (entry.componentClass == nullptr) return;
        entry.record.classId = entry.componentClass->classId();
        if (noClassData) {
            if (!c.assignments.empty()) {
                error(c.assignments.front().line, "property assigned to a component declared with 'classdata none'");
            }
            return;
        }
        auto builder = entry.componentClass->newBuilder();
        std::set<std::string> assigned;
        for (const Assignment& a : c.assignments) {
            if (!assigned.insert(a.property).second) {
                error(a.line, "property '" + a.property + "' assigned twice");
                continue;
            }
            if (const auto problem = builder->assign(a.property, a.value)) error(a.line, *problem);
        }
        entry.record.classData = builder->encode();
    }

    void readRect(const Statement& s, ComponentRecordData& record) {
        if (s.arguments.size() != 4) {
            error(s.line, "rect takes left, top, width and height");
            return;
        }
        std::int32_t values[4] = {};
        for (std::size_t i = 0; i < 4; ++i) {
            const auto value = parseInteger(s.arguments[i]);
            if (!value || *value < -0x80000000LL || *value > 0x7FFFFFFFLL) {
                error(s.line, "rect: '" + s.arguments[i].text + "' is not a 32-bit signed integer");
                return;
            }
            values[i] = static_cast<std::int32_t>(*value);
        }
        record.left = values[0];
        record.top = values[1];
        record.width = values[2];
        record.height = values[3];
    }

    void readFlags(const Statement& s, ComponentRecordData& record) {
        std::uint32_t flags = 0;
        for (const Token& t : s.arguments) {
            if (t.text == "visible") {
                flags |= record_flag::kVisible;
            } else if (t.text == "disabled") {
                flags |= record_flag::kDisabled;
            } else if (t.text == "tabstop") {
                flags |= record_flag::kTabStop;
            } else if (t.text == "menubar") {
                flags |= record_flag::kMenuBarOption;
            } else if (const auto value = parseInteger(t); value && *value >= 0 && *value <= 0xFFFFFFFFLL) {
                flags |= static_cast<std::uint32_t>(*value);
            } else {
                error(s.line, "unknown flag '" + t.text + "' (visible, disabled, tabstop, menubar or a number)");
            }
        }
        record.flags = flags;
    }

    void readMousePointer(const Statement& s, ComponentRecordData& record) {
        std::vector<std::uint8_t> bytes;
        if (s.arguments.size() == 1 && !s.arguments[0].quoted && s.arguments[0].text != "empty") {
            const auto code = parseInteger(s.arguments[0]);
            if (!code || *code < 0 || *code > 0xFFFFFFFFLL) {
                error(s.line, "mousePointer: '" + s.arguments[0].text + "' is not a pointer code");
                return;
            }
            const auto value = static_cast<std::uint32_t>(*code);
            bytes = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                     static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
        } else if (const auto problem = assignValue(bytes, s.arguments)) {
            error(s.line, "mousePointer: " + *problem);
            return;
        }
        record.mousePointer = std::move(bytes);
    }

    void readEvent(const Statement& s, ComponentRecordData& record, std::set<std::int32_t>& events) {
        if (s.arguments.size() != 2) {
            error(s.line, "expected: event NUMBER HANDLER (or none)");
            return;
        }
        const auto number = parseInteger(s.arguments[0]);
        if (!number || *number < -0x80000000LL || *number > 0x7FFFFFFFLL) {
            error(s.line, "event: '" + s.arguments[0].text + "' is not an event number");
            return;
        }
        const auto event = static_cast<std::int32_t>(*number);
        if (!events.insert(event).second) {
            error(s.line, "event " + std::to_string(event) + " bound twice");
            return;
        }
        const Token& handler = s.arguments[1];
        if (handler.quoted || !isAsciiIdentifier(handler.text)) {
            error(s.line, "event: '" + handler.text + "' is not a handler name");
            return;
        }
        const std::uint32_t offset = handler.text == "none" ? kNoHandler : handlerOffset(handler.text);
        record.bindings.push_back({event, offset});
    }

    void checkEventLink(Entry& entry, std::uint32_t id, int line) {
        if (id == 0) {
            entry.record.eventLink = 0;
            return;
        }
        const Entry& target = entries_[indexOfId_.at(id)];
        if (id == entry.id) {
            error(line, "eventLink: a component cannot link to itself");
        } else if (target.componentClass != entry.componentClass) {
            error(line, "eventLink: " + display(target) + " is of another class");
        } else {
            entry.record.eventLink = id;
        }
    }

    // Parent ids and child lists must tell the same story.
    void checkFamilies() {
        for (const Entry& container : entries_) {
            for (const std::uint32_t child : container.record.childIds) {
                if (child == 0) continue;
                const Entry& member = entries_[indexOfId_.at(child)];
                if (member.record.parentId != container.id) {
                    error(container.childrenLine,
                          "child " + display(member) + " of " + display(container) + " does not name it as its parent");
                }
            }
        }
        for (const Entry& member : entries_) {
            const std::uint32_t parent = member.record.parentId;
            if (parent == 0) continue;
            const Entry& container = entries_[indexOfId_.at(parent)];
            const auto& children = container.record.childIds;
            if (std::find(children.begin(), children.end(), member.id) == children.end()) {
                error(member.parentLine, display(member) + " is missing from the children of " + display(container));
            }
        }
    }

    std::optional<CompiledWindow> build() {
        WindowTemplate windowTemplate;
        windowTemplate.unitWord1 = unitWord1_;
        windowTemplate.unitWord2 = unitWord2_;
        windowTemplate.unitName = unitName_;
        windowTemplate.unitComment = unitComment_;
        window_.lastIdSerial = idSerial(window_.windowId);
        for (const Entry& entry : entries_) {
            const auto record = encodeComponentRecord(entry.record);
            if (!record || !windowTemplate.table.append(entry.id, *record)) {
                error(entry.source->line, "the record of " + display(entry) + " does not fit the format");
                return std::nullopt;
            }
            window_.lastIdSerial = std::max(window_.lastIdSerial, idSerial(entry.id));
            if (!entry.name.empty()) window_.components.push_back({entry.name, entry.id});
        }
        window_.entryId = entries_.front().id;
        window_.entryCount = entries_.size();
        for (std::size_t i = 0; i < handlers_.size(); ++i) {
            window_.handlers.push_back({handlers_[i], static_cast<std::uint32_t>(i) * kHandlerStride});
        }
        TemplateSegment segment;
        segment.windowIds.push_back(window_.windowId);
        segment.templates.push_back(std::move(windowTemplate));
        auto bytes = writeTemplateSegment(segment);
        if (!bytes || !readTemplateSegment(*bytes)) {
            error(0, "the compiled segment does not read back");
            return std::nullopt;
        }
        window_.segment = std::move(*bytes);
        return std::move(window_);
    }

    std::vector<Diagnostic>& diagnostics_;
    CompiledWindow window_;
    std::uint32_t unitWord1_ = 0;
    std::uint32_t unitWord2_ = 0;
    std::string unitName_;
    std::string unitComment_;
    std::vector<Entry> entries_;
    std::map<std::uint32_t, std::size_t> indexOfId_;
    std::map<std::string, std::size_t> indexOfName_;
    std::vector<std::string> handlers_;
};

}  // namespace

std::optional<CompiledWindow> compileDefinition(std::string_view text, std::vector<Diagnostic>& diagnostics) {
    std::vector<Diagnostic> found;
    auto compiled = Compiler(found).run(text);
    std::stable_sort(found.begin(), found.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    diagnostics.insert(diagnostics.end(), found.begin(), found.end());
    return compiled;
}

}  // namespace veltrano::tc
