#include "tools/module_sim/module.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/protocol/frames.h"
#include "app/protocol/slot_table.h"
#include "tools/module_sim/simulator.h"
#include "tools/module_sim/text_files.h"

namespace veltrano::modulesim {
namespace {

Bytes frame(std::string_view text) {
    return protocol::frameBytes(text).value();
}

Bytes slotFrame(int row, std::string_view data) {
    return frame(protocol::slotFrameText(protocol::slotOfRow(row)->position, data));
}

class ModuleTest : public ::testing::Test {
protected:
    ModuleTest() : module(settings()) {}

    static ModuleSettings settings() {
        ModuleSettings s;
        s.recordPace = Millis{35};
        s.learnDelay = Millis{120};
        s.learnedCode = Bytes{0xFA, 0x11, 0xED};
        return s;
    }

    Handled send(const Bytes& bytes) { return module.handle(bytes); }

    void writeRows(const std::vector<std::pair<int, std::string>>& rows) {
        send(frame(protocol::kEnterConfigText));
        for (int block = 1; block <= 4; ++block) {
            send(frame(protocol::blockBeginText(block)));
            for (const auto& [row, data] : rows) {
                if (protocol::slotOfRow(row)->block == block) {
                    send(slotFrame(row, data));
                }
            }
            send(frame(protocol::blockEndText(block)));
        }
        send(frame(protocol::kExitConfigText));
    }

    Module module;
};

TEST_F(ModuleTest, EnterAndExitAreEchoedAtOnce) {
    const auto entered = send(frame(protocol::kEnterConfigText));
    ASSERT_EQ(entered.replies.size(), 1u);
    EXPECT_EQ(entered.replies[0].bytes, frame(protocol::kEnterConfigText));
    EXPECT_EQ(entered.replies[0].delay, Millis{0});
    EXPECT_TRUE(module.inConfiguration());
    const auto left = send(frame(protocol::kExitConfigText));
    ASSERT_EQ(left.replies.size(), 1u);
    EXPECT_EQ(left.replies[0].bytes, frame(protocol::kExitConfigText));
    EXPECT_FALSE(module.inConfiguration());
}

TEST_F(ModuleTest, SlotFramesAreFiledUnderTheirRow) {
    writeRows({{21, "AA01"}, {54, "BB02"}, {67, "CC03"}, {1, "DD04"}});
    const std::map<int, Bytes> expected{{1, {0xDD, 0x04}}, {21, {0xAA, 0x01}}, {54, {0xBB, 0x02}}, {67, {0xCC, 0x03}}};
    EXPECT_EQ(module.store(), expected);
}

TEST_F(ModuleTest, SamePositionInAnotherBlockIsAnotherRow) {
    send(frame(protocol::blockBeginText(2)));
    EXPECT_EQ(send(slotFrame(26, "01")).note, "row=26");
    send(frame(protocol::blockEndText(2)));
    send(frame(protocol::blockBeginText(4)));
    EXPECT_EQ(send(frame("ADBD3D000102")).note, "row=67");
    EXPECT_EQ(module.store().size(), 2u);
}

TEST_F(ModuleTest, SlotOutsideABlockOrAtAnUnusedPositionIsRejected) {
    EXPECT_EQ(send(slotFrame(1, "01")).note, "rejected:no-block");
    send(frame(protocol::blockBeginText(1)));
    EXPECT_EQ(send(frame("ADBD3D000201")).note, "rejected:no-row");
    send(frame(protocol::blockEndText(1)));
    EXPECT_EQ(send(slotFrame(1, "01")).note, "rejected:no-block");
    EXPECT_TRUE(module.store().empty());
}

TEST_F(ModuleTest, ReadRequestAnswersEchoRecordsInRowOrderAndComplete) {
    writeRows({{67, "CC03"}, {5, "1122"}, {46, "EE"}});
    const auto handled = send(frame(protocol::kReadRequestText));
    ASSERT_EQ(handled.replies.size(), 5u);
    EXPECT_EQ(handled.replies[0].bytes, frame(protocol::kReadRequestText));
    EXPECT_EQ(handled.replies[0].delay, Millis{0});
    EXPECT_EQ(handled.replies[1].bytes, (Bytes{0xDA, 0xDB, 0x05, 0x11, 0x22}));
    EXPECT_EQ(handled.replies[2].bytes, (Bytes{0xDA, 0xDB, 0x2E, 0xEE}));
    EXPECT_EQ(handled.replies[3].bytes, (Bytes{0xDA, 0xDB, 0x43, 0xCC, 0x03}));
    EXPECT_EQ(handled.replies[4].bytes, frame(protocol::kReadCompleteText));
    for (std::size_t i = 1; i < handled.replies.size(); ++i) {
        EXPECT_EQ(handled.replies[i].delay, Millis{35});
    }
}

TEST_F(ModuleTest, SilentReadbackLeavesOutTheCompleteFrame) {
    auto quiet = settings();
    quiet.silentReadback = true;
    Module silent(quiet);
    silent.replaceStore({{3, {0x01}}});
    const auto handled = silent.handle(frame(protocol::kReadRequestText));
    ASSERT_EQ(handled.replies.size(), 2u);
    EXPECT_EQ(handled.replies[1].bytes, (Bytes{0xDA, 0xDB, 0x03, 0x01}));
}

TEST_F(ModuleTest, DroppedRowIsTakenButNeverStoredOrReadBack) {
    auto lossy = settings();
    lossy.dropRow = 21;
    module = Module(lossy);
    writeRows({{1, "01"}, {21, "FA21ED"}, {22, "02"}});
    EXPECT_EQ(module.store(), (std::map<int, Bytes>{{1, {0x01}}, {22, {0x02}}}));
    const auto handled = send(frame(protocol::kReadRequestText));
    ASSERT_EQ(handled.replies.size(), 4u) << "echo, rows 1 and 22, read-complete";
    EXPECT_EQ(handled.replies[2].bytes, (Bytes{0xDA, 0xDB, 22, 0x02}));
}

TEST_F(ModuleTest, ClearEmptiesTheStoreWithoutAnEcho) {
    writeRows({{1, "01"}, {78, "02"}});
    ASSERT_EQ(module.store().size(), 2u);
    const auto handled = send(frame(protocol::kClearText));
    EXPECT_TRUE(handled.replies.empty());
    EXPECT_TRUE(module.store().empty());
}

TEST_F(ModuleTest, RewritingARowReplacesItsDataAndEmptyDataErasesIt) {
    writeRows({{10, "0102"}});
    writeRows({{10, "03"}});
    EXPECT_EQ(module.store().at(10), (Bytes{0x03}));
    send(frame(protocol::blockBeginText(1)));
    send(frame("ADBD3D01C3"));
    EXPECT_EQ(module.store().count(10), 0u);
}

TEST_F(ModuleTest, LearnAnswersWithTheLearnedCodeAfterItsDelay) {
    const auto handled = send(frame(protocol::kLearnText));
    EXPECT_EQ(handled.frame.kind, FrameKind::Learn);
    ASSERT_EQ(handled.replies.size(), 1u);
    EXPECT_EQ(handled.replies[0].bytes, (Bytes{0xFA, 0x11, 0xED}));
    EXPECT_EQ(handled.replies[0].delay, Millis{120});
    EXPECT_EQ(module.learnRequests(), 1);
}

TEST_F(ModuleTest, FragmentsAndUnknownCommandsChangeNothing) {
    writeRows({{2, "01"}});
    EXPECT_EQ(send(Bytes{0xAD, 0x66, 0x66}).frame.kind, FrameKind::Fragment);
    EXPECT_EQ(send(Bytes{0xAD, 0xBD, 0x3D, 0x00}).frame.kind, FrameKind::Fragment);
    EXPECT_EQ(send(Bytes{0xAD, 0x66, 0x77, 0x88, 0x66, 0x00}).frame.kind, FrameKind::Fragment);
    const auto unknown = send(frame("AD66666666AAAB00BD"));
    EXPECT_EQ(unknown.frame.kind, FrameKind::UnknownCommand);
    EXPECT_TRUE(unknown.replies.empty());
    EXPECT_EQ(module.store().size(), 1u);
    EXPECT_TRUE(module.typedCodes().empty());
}

TEST_F(ModuleTest, StatusListsTheState) {
    writeRows({{5, "1122"}});
    send(frame(protocol::portSettingText(protocol::PortRates{9600, 9600, 9600, 9600}, 1)));
    send(Bytes{0xFA, 0x01, 0xED});
    const std::string status = formatStatus(module, false);
    EXPECT_NE(status.find("frames 13\n"), std::string::npos) << status;
    EXPECT_NE(status.find("configuring 0\n"), std::string::npos);
    EXPECT_NE(status.find("port-setting 9600 9600 9600 9600 1\n"), std::string::npos);
    EXPECT_NE(status.find("typed FA01ED\n"), std::string::npos);
    EXPECT_NE(status.find("row 5 1122\n"), std::string::npos);
}

TEST(StoreFileTest, FormatAndParseRoundTrip) {
    const std::map<int, Bytes> store{{1, {0xFA, 0x00}}, {78, {0xED}}};
    EXPECT_EQ(formatStore(store), "1 FA00\n78 ED\n");
    EXPECT_EQ(parseStore("# saved\n1 fa 00\n\n78 ED\r\n"), store);
}

TEST(StoreFileTest, MalformedLinesAreRefused) {
    EXPECT_FALSE(parseStore("0 01\n"));
    EXPECT_FALSE(parseStore("79 01\n"));
    EXPECT_FALSE(parseStore("5 0G\n"));
    EXPECT_FALSE(parseStore("5 012\n"));
    EXPECT_FALSE(parseStore("5\n"));
    EXPECT_FALSE(parseStore("5 \n"));
    EXPECT_FALSE(parseStore("x5 01\n"));
    EXPECT_FALSE(parseStore("999999999999 01\n"));
}

}  // namespace
}  // namespace veltrano::modulesim
