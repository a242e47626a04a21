#include "tools/veltrano_module/progress_board.h"

#include <gtest/gtest.h>

#include <sstream>

namespace veltrano::module {
namespace {

TEST(ProgressBoard, ALineShowsTheShareDoneAsABar) {
    EXPECT_EQ(progressLine(39, 78, "writing"), "[###############               ] 39/78 writing");
    EXPECT_EQ(progressLine(0, 78, "reading"), "[                              ]  0/78 reading");
    EXPECT_EQ(progressLine(90, 78, "x"), "[##############################] 78/78 x");
}

TEST(ProgressBoard, NothingIsDrawnWhenTheStreamIsNoTerminal) {
    std::ostringstream out;
    {
        ProgressBoard board(out, false, {"COM3"});
        board.update(0, 10, 78, "writing");
    }
    EXPECT_EQ(out.str(), "");
}

TEST(ProgressBoard, EachPortKeepsItsLineAndTheBoardIsRedrawnInPlace) {
    std::ostringstream out;
    ProgressBoard board(out, true, {"/dev/ttyUSB0", "COM3"});
    board.update(1, 78, 78, "writing");
    const std::string first = out.str();
    EXPECT_EQ(first.find("\x1b[2F"), std::string::npos) << "nothing to move back over yet";
    board.update(0, 39, 78, "writing");
    const std::string second = out.str().substr(first.size());
    ASSERT_EQ(second.rfind("\x1b[2F", 0), 0u);
    EXPECT_NE(second.find("/dev/ttyUSB0  [###############"), std::string::npos) << second;
    EXPECT_NE(second.find("COM3          [##############################] 78/78"), std::string::npos) << second;
    board.finish();
    board.update(0, 40, 78, "writing");
    EXPECT_EQ(out.str().size(), first.size() + second.size()) << "a finished board stays as it is";
}

}  // namespace
}  // namespace veltrano::module
