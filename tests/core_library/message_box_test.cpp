#include <gtest/gtest.h>

#include <string>

#include "runtime/core_library/core_library.h"
#include "tests/core_library/command_fixture.h"
#include "tests/core_library/dialog_answerer.h"

namespace veltrano::test {
namespace {

using MessageBoxCommandTest = CommandTest;

TEST_F(MessageBoxCommandTest, ShowsANumberUnderTheDefaultCaptionAndMapsOk) {
    BoxAnswerer answerer(IDOK);
    const ValueTriple result = call(&core_library::MessageBox, {integer(42)});
    const AnsweredBox& box = answerer.seen();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, L"信息：");
    EXPECT_EQ(box.text, L"42");
    EXPECT_EQ(result.type, type_code::kInteger);
    EXPECT_EQ(result.low, 0u);
}

TEST_F(MessageBoxCommandTest, YesNoAnswersNoAsSixWithTheGivenCaption) {
    BoxAnswerer answerer(IDNO);
    const ValueTriple result =
        call(&core_library::MessageBox, {text("Clear the module?"), integer(MB_YESNO), text("Confirm")});
    const AnsweredBox& box = answerer.seen();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, L"Confirm");
    EXPECT_EQ(box.text, L"Clear the module?");
    EXPECT_EQ(result.low, 6u);
}

TEST_F(MessageBoxCommandTest, CancelOfOkCancelIsOne) {
    BoxAnswerer answerer(IDCANCEL);
    const ValueTriple result = call(&core_library::MessageBox, {text("x"), integer(MB_OKCANCEL), omitted(), omitted()});
    ASSERT_TRUE(answerer.seen().found);
    EXPECT_EQ(result.low, 1u);
}

TEST_F(MessageBoxCommandTest, WithoutAnActiveWindowTheHiddenOwnerOwnsTheBox) {
    BoxAnswerer answerer(IDOK);
    call(&core_library::MessageBox, {text("owned")});
    const AnsweredBox& box = answerer.seen();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.owner, runtime().hiddenOwner());
}

TEST_F(MessageBoxCommandTest, AValueThatCannotBeShownShowsAnEmptyText) {
    const std::uint8_t bytes[] = {'a', 'b'};
    BoxAnswerer answerer(IDOK);
    call(&core_library::MessageBox, {byteSet(bytes)});
    const AnsweredBox& box = answerer.seen();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.text, L"");
}

}  // namespace
}  // namespace veltrano::test
