#include <gtest/gtest.h>

#include <cstdio>

#include "runtime/template/component_record.h"
#include "runtime/template/segment_reader.h"
#include "tools/emblem/emblem.h"
#include "tools/emblem/ico_writer.h"
#include "tools/template_compiler/compiler.h"
#include "tools/template_compiler/gbk.h"
#include "tools/template_compiler/source_emitter.h"

namespace veltrano::tc {
namespace {

constexpr const char* kHeader =
    "window 0x52010001\n"          // 1
    "unitWord2 0x19010002\n"       // 2
    "component 0x06010000 \"\"\n"  // 3
    "  class window\n"             // 4
    "  rect 1 2 300 200\n"         // 5
    "  event 0 onCreated\n"        // 6
    "  Caption = \"标题\"\n";      // 7

class TemplateCompilerTest : public ::testing::Test {
protected:
    std::optional<CompiledWindow> compile(const std::string& components) {
        diagnostics_.clear();
        return compileDefinition(std::string(kHeader) + components, diagnostics_);
    }

    // The single diagnostic expected, on the given line and mentioning `words`.
    void expectError(const std::string& components, int line, const std::string& words) {
        const auto compiled = compile(components);
        EXPECT_FALSE(compiled);
        ASSERT_FALSE(diagnostics_.empty());
        bool found = false;
        for (const Diagnostic& d : diagnostics_) {
            found = found || (d.line == line && d.message.find(words) != std::string::npos);
        }
        EXPECT_TRUE(found) << formatDiagnostics("def", diagnostics_);
    }

    std::vector<Diagnostic> diagnostics_;
};

TEST_F(TemplateCompilerTest, SmallWindowCompilesToAReadableSegment) {
    const auto compiled = compile(
        "component 0x16000002 分组\n"     // 8
        "  class group-box\n"             // 9
        "  rect 0 0 10 10\n"              // 10
        "  flags visible\n"               // 11
        "  children 按钮 0 0x16000004\n"  // 12
        "component 0x16000003 按钮\n"     // 13
        "  class button\n"                // 14
        "  parent 分组\n"                 // 15
        "  flags visible tabstop\n"       // 16
        "  event 0 onClicked\n"           // 17
        "  event -7 none\n"               // 18
        "  Caption = \"确定\"\n"          // 19
        "component 0x16000004 时钟\n"     // 20
        "  class timer\n"                 // 21
        "  parent 0x16000002\n"           // 22
        "  event 0 onCreated\n"           // 23
        "  classdata none\n");            // 24
    ASSERT_TRUE(compiled) << formatDiagnostics("def", diagnostics_);
    EXPECT_EQ(compiled->windowId, 0x52010001u);
    EXPECT_EQ(compiled->entryId, 0x06010000u);
    EXPECT_EQ(compiled->lastIdSerial, 0x010001u);
    ASSERT_EQ(compiled->handlers.size(), 2u);
    EXPECT_EQ(compiled->handlers[1].name, "onClicked");
    EXPECT_EQ(compiled->handlers[1].offset, 4u);

    const auto read = readTemplateSegment(compiled->segment);
    ASSERT_TRUE(read);
    const ComponentTable& table = read->templates[0].table;
    ASSERT_EQ(table.count(), 4u);
    EXPECT_EQ(read->templates[0].unitWord2, 0x19010002u);
    const auto box = ComponentRecord::parse(*table.recordAt(1));
    EXPECT_EQ(box->name, "\xB7\xD6\xD7\xE9");
    EXPECT_EQ(box->childIds(), (std::vector<std::uint32_t>{0x16000003, 0, 0x16000004}));
    const auto button = ComponentRecord::parse(*table.recordAt(2));
    EXPECT_EQ(button->parentId, 0x16000002u);
    EXPECT_EQ(button->flags, 5u);
    ASSERT_EQ(button->bindingCount, 2u);
    EXPECT_EQ(button->binding(0).handler, 4u);
    EXPECT_EQ(button->binding(1).event, -7);
    EXPECT_EQ(button->binding(1).handler, kNoHandler);
    const auto timer = ComponentRecord::parse(*table.recordAt(3));
    EXPECT_EQ(timer->classDataLength(), 0u);
    EXPECT_EQ(timer->binding(0).handler, 0u);
}

TEST_F(TemplateCompilerTest, DuplicateIdNamesBothLines) {
    expectError("component 0x16000002 a\n  class label\ncomponent 0x16000002 b\n  class label\n", 10,
                "duplicate id 0x16000002 (first at line 8)");
}

TEST_F(TemplateCompilerTest, DuplicateNameNamesBothLines) {
    expectError("component 0x16000002 同名\n  class label\ncomponent 0x16000003 同名\n  class label\n", 10,
                "duplicate name '同名' (first at line 8)");
}

TEST_F(TemplateCompilerTest, DanglingParent) {
    expectError("component 0x16000002 a\n  class label\n  parent 不存在\n", 10, "dangling parent '不存在'");
    expectError("component 0x16000002 a\n  class label\n  parent 0x16000099\n", 10, "dangling parent 0x16000099");
}

TEST_F(TemplateCompilerTest, DanglingChild) {
    expectError("component 0x16000002 box\n  class group-box\n  children gone\n", 10, "dangling child 'gone'");
}

TEST_F(TemplateCompilerTest, UnknownClassAndUnknownProperty) {
    expectError("component 0x16000002 a\n  class slider\n", 9, "unknown class 'slider'");
    expectError("component 0x16000002 a\n  class label\n  Colour = 3\n", 10,
                "unknown property 'Colour' of class label");
}

TEST_F(TemplateCompilerTest, BadPropertyValues) {
    expectError("component 0x16000002 a\n  class label\n  WordWrap = 1\n", 10, "expected true or false");
    expectError("component 0x16000002 a\n  class label\n  Caption = plain\n", 10, "one quoted text");
    expectError("component 0x16000002 a\n  class label\n  TextColor = 0x100000000\n", 10, "does not fit 32 bits");
    expectError("component 0x16000002 a\n  class label\n  Caption = \"😀\"\n", 10, "outside code page 936");
}

TEST_F(TemplateCompilerTest, ParentsAndChildListsMustAgree) {
    expectError("component 0x16000002 box\n  class group-box\n  children a\ncomponent 0x16000003 a\n  class label\n",
                10, "child 'a' of 'box' does not name it as its parent");
    expectError("component 0x16000002 box\n  class group-box\ncomponent 0x16000003 a\n  class label\n  parent box\n",
                12, "'a' is missing from the children of 'box'");
}

TEST_F(TemplateCompilerTest, StructuralMistakes) {
    expectError("component 0x26000002 a\n  class label\n", 8, "is not a component id");
    expectError("component 0x16000002 1a\n  class label\n", 8, "cannot be an identifier");
    expectError("component 0x16000002 a\n  class label\n  rect 1 2 3\n", 10, "rect takes");
    expectError("component 0x16000002 a\n  class label\n  event 0 x\n  event 0 y\n", 11, "event 0 bound twice");
    expectError("component 0x16000002 a\n  class label\n  classdata none\n  Caption = \"x\"\n", 11, "'classdata none'");
    expectError("component 0x16000002 a\n  class window\n", 8, "only the first entry");
    expectError("component 0x16000002 a\n  class label\n  colour red\n", 10, "unknown keyword 'colour'");
    expectError("component 0x16000002 a\n  class label\n  tag \"unclosed\n", 10, "closing quote");
}

TEST_F(TemplateCompilerTest, MissingWindowLine) {
    std::vector<Diagnostic> diagnostics;
    EXPECT_FALSE(compileDefinition("component 0x06010000 \"\"\n  class window\n", diagnostics));
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_NE(diagnostics[0].message.find("'window ID'"), std::string::npos);
}

TEST_F(TemplateCompilerTest, DiagnosticsAreFileAndLine) {
    EXPECT_EQ(formatDiagnostics("w.vtd", {{12, "duplicate name"}, {0, "no window"}}),
              "w.vtd:12: duplicate name\nw.vtd: no window\n");
}

TEST_F(TemplateCompilerTest, HeaderNamesEveryComponentAndHandler) {
    const auto compiled = compile("component 0x16000102 编辑框_显示\n  class edit-box\n  event 0 onChanged\n");
    ASSERT_TRUE(compiled);
    const std::string header = emitHeader(*compiled, {"veltrano::sample", "sample.h", "sample.vtd"});
    EXPECT_NE(header.find("namespace veltrano::sample {"), std::string::npos);
    EXPECT_NE(header.find("inline constexpr std::uint32_t 编辑框_显示 = 0x16000102u;"), std::string::npos);
    EXPECT_NE(header.find("kLastIdSerial = 0x00010001u;"), std::string::npos);
    EXPECT_NE(header.find("onChanged = 1,"), std::string::npos);
    EXPECT_NE(header.find("{\"onChanged\", 0x00000004u},"), std::string::npos);
    const std::string source = emitSource(*compiled, {"veltrano::sample", "sample.h", "sample.vtd"});
    EXPECT_NE(source.find("#include \"sample.h\""), std::string::npos);
    char firstBytes[64];
    std::snprintf(firstBytes, sizeof firstBytes, "0x%02X, 0x%02X, 0x%02X, 0x%02X,", compiled->segment[0],
                  compiled->segment[1], compiled->segment[2], compiled->segment[3]);
    EXPECT_NE(source.find(firstBytes), std::string::npos);
}

TEST(CodePage936Test, ConvertsBothWaysAndRefusesTheUnconvertible) {
    EXPECT_EQ(utf8ToGbk("端口已关闭"), std::string("\xB6\xCB\xBF\xDA\xD2\xD1\xB9\xD8\xB1\xD5"));
    EXPECT_EQ(gbkToUtf8("\xB6\xCB\xBF\xDA"), std::string("端口"));
    EXPECT_FALSE(utf8ToGbk("😀"));
    EXPECT_FALSE(gbkToUtf8("\xB6"));
}

TEST(EmblemTest, IconFileLayout) {
    const auto ico = emblem::encodeIco24(emblem::drawEmblem(219));
    const std::size_t colourRow = 660;
    const std::size_t maskRow = 28;
    ASSERT_EQ(ico.size(), 22u + 40u + colourRow * 219 + maskRow * 219);
    EXPECT_EQ(ico[2], 1);  // icon
    EXPECT_EQ(ico[4], 1);  // one image
    EXPECT_EQ(ico[6], 219);
    EXPECT_EQ(ico[7], 219);
    EXPECT_EQ(ico[12], 24);
    EXPECT_EQ(ico[18], 22);
    EXPECT_EQ(ico[22], 40);
    EXPECT_EQ(ico[22 + 8] | (ico[22 + 9] << 8), 438);
    EXPECT_EQ(ico[22 + 14], 24);

    const std::size_t colours = 22 + 40;
    const std::size_t mask = colours + colourRow * 219;
    // Bottom-left corner (first row stored) lies outside the rounded square.
    EXPECT_EQ(ico[mask] & 0x80, 0x80);
    EXPECT_EQ(ico[colours] | ico[colours + 1] | ico[colours + 2], 0);
    // The middle of the picture is opaque.
    const std::size_t middleRow = 109;
    EXPECT_EQ(ico[mask + middleRow * maskRow + 109 / 8] & (0x80 >> (109 % 8)), 0);
}

TEST(EmblemTest, DrawingIsDeterministic) {
    const auto a = emblem::drawEmblem(64);
    const auto b = emblem::drawEmblem(64);
    EXPECT_EQ(emblem::encodeIco24(a), emblem::encodeIco24(b));
    EXPECT_TRUE(emblem::encodeIco24(emblem::drawEmblem(300)).empty());
}

}  // namespace
}  // namespace veltrano::tc
