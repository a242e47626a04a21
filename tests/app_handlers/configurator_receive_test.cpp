#include "tests/app_handlers/configurator_fixture.h"

namespace veltrano::test {
namespace {

const std::vector<std::uint8_t> kEnterEcho{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAA, 0xAA, 0xBD};
const std::vector<std::uint8_t> kExitEcho{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAA, 0xBB, 0xBD};
const std::vector<std::uint8_t> kReadEcho{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, 0xDD, 0xBD};
const std::vector<std::uint8_t> kReadComplete{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, 0xDE, 0xBD};

class ReceiveStepTest : public ConfiguratorTest {
protected:
    void SetUp() override { startWithOpenPort(); }
};

TEST_F(ReceiveStepTest, FirstTickOnlyNotesWaitingBytes) {
    line.arrive(kEnterEcho);
    app.onReceiveTimerTick();
    EXPECT_TRUE(state.dataWaiting);
    EXPECT_EQ(line.incoming.size(), 9u);
    EXPECT_EQ(window.log, "");
    app.onReceiveTimerTick();
    EXPECT_FALSE(state.dataWaiting);
    EXPECT_TRUE(line.incoming.empty());
    EXPECT_EQ(window.log, gbk("模块进入配置模式\r\n"));
    EXPECT_EQ(window.caretMoves, 0);
}

TEST_F(ReceiveStepTest, EveryBatchNeedsTwoTicks) {
    receive(kExitEcho);
    line.arrive({0xFA, 0x01, 0xED});
    app.onReceiveTimerTick();
    EXPECT_EQ(window.log, gbk("模块退出配置模式\r\n"));
    app.onReceiveTimerTick();
    EXPECT_EQ(window.log, gbk("模块退出配置模式\r\n") + "FA 01 ED \r\n");
    EXPECT_EQ(window.caretMoves, 1);
}

TEST_F(ReceiveStepTest, ReadBackFillsTheTableAndUnlocksAtTheEnd) {
    grid.setCellText(7, 2, "OLD ");
    receive(kReadEcho);
    EXPECT_TRUE(state.extracting);
    EXPECT_TRUE(moduleButtonsDisabled(true));
    EXPECT_FALSE(window.isDisabled(Control::PortButton));
    EXPECT_EQ(grid.cellText(7, 2), "");
    EXPECT_EQ(grid.cellText(7, 1), gbk("通道4开="));
    EXPECT_EQ(window.progress.back(), 1);

    receive({0xDA, 0xDB, 0x05, 0x11, 0x22});
    EXPECT_EQ(grid.cellText(5, 2), "11 22 ");
    EXPECT_EQ(window.progress.back(), 5);
    EXPECT_EQ(window.caretMoves, 1);

    receive(kReadComplete);
    EXPECT_FALSE(state.extracting);
    EXPECT_EQ(window.progress.back(), 0);
    EXPECT_TRUE(moduleButtonsDisabled(false));
    EXPECT_EQ(window.log, gbk("开始从模块提取数据\r\n") + "DA DB 05 11 22 \r\n" + gbk("数据提取完成\r\n"));
}

TEST_F(ReceiveStepTest, ARunOfFramesInOneReadFillsEachRowAndEndsTheReadBack) {
    // The timer fell behind: the echoes, two records and the completion
    // frame all wait in the queue together.
    std::vector<std::uint8_t> burst = kEnterEcho;
    burst.insert(burst.end(), kReadEcho.begin(), kReadEcho.end());
    const std::vector<std::uint8_t> records{0xDA, 0xDB, 0x05, 0xFA, 0x11, 0xED, 0xDA, 0xDB, 0x06, 0xFA, 0x22, 0xED};
    burst.insert(burst.end(), records.begin(), records.end());
    burst.insert(burst.end(), kReadComplete.begin(), kReadComplete.end());
    receive(burst);
    EXPECT_EQ(grid.cellText(5, 2), "FA 11 ED ");
    EXPECT_EQ(grid.cellText(6, 2), "FA 22 ED ");
    EXPECT_FALSE(state.extracting);
    EXPECT_TRUE(moduleButtonsDisabled(false));
    EXPECT_EQ(window.log, gbk("模块进入配置模式\r\n开始从模块提取数据\r\n") +
                              "DA DB 05 FA 11 ED \r\nDA DB 06 FA 22 ED \r\n" + gbk("数据提取完成\r\n"));
}

// Reads that hold more than one frame, as a busy machine's late timer sees
// them: each frame has the effect it has when read alone.
class SharedReadTest : public ReceiveStepTest {
protected:
    static std::vector<std::uint8_t> joined(std::initializer_list<std::vector<std::uint8_t>> parts) {
        std::vector<std::uint8_t> all;
        for (const auto& part : parts) {
            all.insert(all.end(), part.begin(), part.end());
        }
        return all;
    }

    void startReadBack() {
        receive(kReadEcho);
        ASSERT_TRUE(state.extracting);
        window.log.clear();
        window.progress.clear();
    }
};

TEST_F(SharedReadTest, TwoStatusFramesAreEachRecognised) {
    grid.setCellText(7, 2, "OLD ");
    receive(joined({kEnterEcho, kReadEcho}));
    EXPECT_EQ(window.log, gbk("模块进入配置模式\r\n开始从模块提取数据\r\n"));
    EXPECT_EQ(window.caretMoves, 0) << "no hex line";
    EXPECT_TRUE(state.extracting);
    EXPECT_TRUE(moduleButtonsDisabled(true));
    EXPECT_EQ(grid.cellText(7, 2), "");
    EXPECT_EQ(window.progress, std::vector<int>{1});
}

TEST_F(SharedReadTest, RecordsSharingAReadFillTheirOwnRows) {
    startReadBack();
    receive({0xDA, 0xDB, 0x01, 0xFA, 0xED, 0xDA, 0xDB, 0x02, 0xFA, 0x02, 0xED});
    EXPECT_EQ(grid.cellText(1, 2), "FA ED ");
    EXPECT_EQ(grid.cellText(2, 2), "FA 02 ED ");
    EXPECT_EQ(window.progress, (std::vector<int>{1, 2}));
    EXPECT_EQ(window.log, "DA DB 01 FA ED \r\nDA DB 02 FA 02 ED \r\n");
}

TEST_F(SharedReadTest, CompletionFrameFollowedByMoreStillEndsTheReadBack) {
    startReadBack();
    receive(joined({{0xDA, 0xDB, 0x4E, 0x33}, kReadComplete, {0x00}}));
    EXPECT_EQ(grid.cellText(78, 2), "33 ");
    EXPECT_FALSE(state.extracting);
    EXPECT_TRUE(moduleButtonsDisabled(false));
    EXPECT_EQ(window.log, "DA DB 4E 33 \r\n" + gbk("数据提取完成\r\n") + "00 \r\n");
}

TEST_F(SharedReadTest, CodeHoldingAnEarlierRowsHeaderStaysInItsCell) {
    startReadBack();
    receive({0xDA, 0xDB, 0x05, 0xFA, 0xDA, 0xDB, 0x02, 0x22, 0xED});
    EXPECT_EQ(grid.cellText(5, 2), "FA DA DB 02 22 ED ");
    EXPECT_EQ(grid.cellText(2, 2), "");
}

TEST_F(ReceiveStepTest, HeaderWithoutDataDuringReadBackIsOnlyLogged) {
    receive(kReadEcho);
    window.log.clear();
    receive({0xDA, 0xDB, 0x05});
    EXPECT_EQ(grid.cellText(5, 2), "");
    EXPECT_EQ(window.progress.back(), 1);
    EXPECT_EQ(window.log, "DA DB 05 \r\n");
}

TEST_F(ReceiveStepTest, ReadShorterThanTheQueueFillsNoCell) {
    receive(kReadEcho);
    window.log.clear();
    line.readLimit = 2;
    receive({0xDA, 0xDB, 0x05, 0x11, 0x22});
    EXPECT_EQ(window.log, "DA DB \r\n");
    EXPECT_EQ(grid.cellText(5, 2), "");
    line.readLimit.reset();
    app.onReceiveTimerTick();
    app.onReceiveTimerTick();
    EXPECT_EQ(window.log, "DA DB \r\n05 11 22 \r\n");
    EXPECT_EQ(grid.cellText(5, 2), "");
    EXPECT_EQ(window.progress.back(), 1);
}

TEST_F(ReceiveStepTest, RecordOutsideReadBackIsOnlyLogged) {
    receive({0xDA, 0xDB, 0x05, 0x11, 0x22});
    EXPECT_EQ(grid.cellText(5, 2), "");
    EXPECT_TRUE(window.progress.empty());
    EXPECT_EQ(window.log, "DA DB 05 11 22 \r\n");
}

TEST_F(ReceiveStepTest, NothingHappensWhileThePortIsClosed) {
    app.onOpenClosePortClicked();
    const int queries = line.queueQueries;
    line.arrive(kEnterEcho);
    app.onReceiveTimerTick();
    app.onReceiveTimerTick();
    EXPECT_EQ(line.queueQueries, queries);
    EXPECT_EQ(line.incoming.size(), 9u);
}

TEST_F(ReceiveStepTest, ClosingDuringReadBackKeepsButtonsLockedUntilReopened) {
    receive(kReadEcho);
    app.onOpenClosePortClicked();
    EXPECT_TRUE(moduleButtonsDisabled(true));
    app.onOpenClosePortClicked();
    EXPECT_TRUE(moduleButtonsDisabled(false));
    EXPECT_TRUE(state.extracting);
}

}  // namespace
}  // namespace veltrano::test
