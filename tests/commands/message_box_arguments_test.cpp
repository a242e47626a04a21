#include "runtime/commands/message_box_arguments.h"

#include <gtest/gtest.h>

#include <vector>

#include "runtime/commands/system_texts.h"
#include "tests/support/gbk_literal.h"

namespace veltrano::commands {
namespace {

using test::gbk;

TEST(MessageBoxText, ShowsNumbersTextsBoolsAndDates) {
    EXPECT_EQ(message_box::shownText(Value::integer(-5)), "-5");
    EXPECT_EQ(message_box::shownText(Value::real(0.25)), "0.25");
    EXPECT_EQ(message_box::shownText(Value::boolean(true)), gbk("真"));
    EXPECT_EQ(message_box::shownText(Value::dateTime(45000.0)), gbk("2023年3月15日"));
    const std::string text = gbk("是否写入模块？");
    EXPECT_EQ(message_box::shownText(Value::text(text)), text);
}

TEST(MessageBoxText, ShowsNothingForOtherValues) {
    const std::vector<std::uint8_t> bytes{'A', 'B'};
    EXPECT_EQ(message_box::shownText(Value::byteSet(bytes)), "");
    EXPECT_EQ(message_box::shownText(Value::numericArray(bytes)), "");
    EXPECT_EQ(message_box::shownText(Value::subroutine(0x401000)), "");
    EXPECT_EQ(message_box::shownText(Value::other()), "");
}

TEST(MessageBoxCaption, DefaultsToTheInformationCaption) {
    EXPECT_EQ(message_box::caption(std::nullopt), gbk("信息："));
    EXPECT_EQ(message_box::caption(std::string_view("\xB4\xED\xCE\xF3")), "\xB4\xED\xCE\xF3");
    EXPECT_EQ(message_box::caption(std::string_view()), "");
}

TEST(MessageBoxStyle, AddsTaskModalUnlessSystemModal) {
    EXPECT_EQ(message_box::style(std::nullopt), 0x2000u);
    EXPECT_EQ(message_box::style(1), 0x2001u);
    EXPECT_EQ(message_box::style(0x1031), 0x1031u);
    EXPECT_EQ(message_box::style(0x2010), 0x2010u);
    EXPECT_EQ(message_box::style(-1), 0xFFFFFFFFu);
}

TEST(MessageBoxAnswer, MapsTheSystemButtonIds) {
    EXPECT_EQ(message_box::answer(1), 0);
    EXPECT_EQ(message_box::answer(2), 1);
    EXPECT_EQ(message_box::answer(3), 2);
    EXPECT_EQ(message_box::answer(4), 3);
    EXPECT_EQ(message_box::answer(5), 4);
    EXPECT_EQ(message_box::answer(6), 5);
    EXPECT_EQ(message_box::answer(7), 6);
}

TEST(MessageBoxAnswer, UnknownIdsAreMinusOne) {
    EXPECT_EQ(message_box::answer(0), -1);
    EXPECT_EQ(message_box::answer(8), -1);
    EXPECT_EQ(message_box::answer(-1), -1);
}

TEST(SystemTexts, MatchTheCodePageBytesOfTheirWords) {
    EXPECT_EQ(system_text::kRemainderByZero, gbk("不能求余数于零"));
    EXPECT_EQ(system_text::kMessageBoxCaption, gbk("信息："));
    EXPECT_EQ(system_text::kTrue, gbk("真"));
    EXPECT_EQ(system_text::kFalse, gbk("假"));
}

}  // namespace
}  // namespace veltrano::commands
