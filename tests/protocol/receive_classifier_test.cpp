#include "app/protocol/receive_classifier.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "tests/support/gbk_literal.h"

namespace veltrano::protocol {
namespace {

using veltrano::test::gbk;
using Bytes = std::vector<std::uint8_t>;

const Bytes kEnterEcho{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAA, 0xAA, 0xBD};
const Bytes kExitEcho{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAA, 0xBB, 0xBD};
const Bytes kReadEcho{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, 0xDD, 0xBD};
const Bytes kReadComplete{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, 0xDE, 0xBD};

std::int32_t queued(const Bytes& data) {
    return static_cast<std::int32_t>(data.size());
}

class ReceiveClassifierTest : public ::testing::Test {
protected:
    ReceiveOutcome during(const Bytes& data) { return classifyReceived(data, true, queued(data)); }
    ReceiveOutcome outside(const Bytes& data) { return classifyReceived(data, false, queued(data)); }
};

TEST_F(ReceiveClassifierTest, EnterEchoLogsOnlyTheStatusLine) {
    const auto outcome = outside(kEnterEcho);
    EXPECT_EQ(outcome.kind, ReceiveKind::EnterConfig);
    EXPECT_EQ(outcome.logLine, gbk("模块进入配置模式\r\n"));
    EXPECT_FALSE(outcome.record);
}

TEST_F(ReceiveClassifierTest, TheOtherStatusFramesWhetherExtractingOrNot) {
    for (const bool extracting : {false, true}) {
        const auto exitOutcome = classifyReceived(kExitEcho, extracting, 9);
        EXPECT_EQ(exitOutcome.kind, ReceiveKind::ExitConfig);
        EXPECT_EQ(exitOutcome.logLine, gbk("模块退出配置模式\r\n"));
        const auto started = classifyReceived(kReadEcho, extracting, 9);
        EXPECT_EQ(started.kind, ReceiveKind::ReadBackStarted);
        EXPECT_EQ(started.logLine, gbk("开始从模块提取数据\r\n"));
        const auto complete = classifyReceived(kReadComplete, extracting, 9);
        EXPECT_EQ(complete.kind, ReceiveKind::ReadBackComplete);
        EXPECT_EQ(complete.logLine, gbk("数据提取完成\r\n"));
    }
}

TEST_F(ReceiveClassifierTest, RecordDuringReadBackFillsItsRow) {
    const auto outcome = during(Bytes{0xDA, 0xDB, 0x05, 0x11, 0x22});
    EXPECT_EQ(outcome.kind, ReceiveKind::Other);
    ASSERT_TRUE(outcome.record);
    EXPECT_EQ(outcome.record->row, 5);
    EXPECT_EQ(outcome.record->cellText, "11 22 ");
    EXPECT_EQ(outcome.logLine, "DA DB 05 11 22 \r\n");
}

TEST_F(ReceiveClassifierTest, RecordOutsideReadBackIsOnlyLogged) {
    const auto outcome = outside(Bytes{0xDA, 0xDB, 0x05, 0x11, 0x22});
    EXPECT_EQ(outcome.kind, ReceiveKind::Other);
    EXPECT_FALSE(outcome.record);
    EXPECT_EQ(outcome.logLine, "DA DB 05 11 22 \r\n");
}

TEST_F(ReceiveClassifierTest, HeaderWithoutDataIsOnlyLogged) {
    const auto outcome = during(Bytes{0xDA, 0xDB, 0x05});
    EXPECT_EQ(outcome.kind, ReceiveKind::Other);
    EXPECT_FALSE(outcome.record);
    EXPECT_EQ(outcome.logLine, "DA DB 05 \r\n");
}

TEST_F(ReceiveClassifierTest, ReadShorterThanTheQueueCannotEmptyTheHeader) {
    // The port announced five bytes but gave two: there is no row to fill.
    const auto outcome = classifyReceived(Bytes{0xDA, 0xDB}, true, 5);
    EXPECT_FALSE(outcome.record);
    EXPECT_EQ(outcome.logLine, "DA DB \r\n");
}

TEST_F(ReceiveClassifierTest, RowsOutsideTheTableAreOnlyLogged) {
    EXPECT_FALSE(during(Bytes{0xDA, 0xDB, 0x00, 0x11}).record);
    EXPECT_FALSE(during(Bytes{0xDA, 0xDB, 0x4F, 0x11}).record);
    const auto last = during(Bytes{0xDA, 0xDB, 0x4E, 0x11});
    ASSERT_TRUE(last.record);
    EXPECT_EQ(last.record->row, 78);
}

TEST_F(ReceiveClassifierTest, UnknownCommandFrameAndLearnedCodeAreLogged) {
    const auto unknown = outside(Bytes{0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, 0xCC, 0xBD});
    EXPECT_EQ(unknown.kind, ReceiveKind::Other);
    EXPECT_EQ(unknown.logLine, "AD 66 66 66 66 AA AB CC BD \r\n");
    const auto learned = during(Bytes{0xFA, 0x01, 0x02, 0xED});
    EXPECT_EQ(learned.kind, ReceiveKind::Other);
    EXPECT_FALSE(learned.record);
    EXPECT_EQ(learned.logLine, "FA 01 02 ED \r\n");
}

// A read cut into frames the way the receive step cuts it, with the
// read-back state fixed.
std::vector<Bytes> framesOf(const Bytes& read, bool extracting) {
    std::vector<Bytes> frames;
    std::span<const std::uint8_t> rest(read);
    while (!rest.empty()) {
        const std::size_t length = firstFrameLength(rest, extracting);
        if (length == 0 || length > rest.size()) {
            ADD_FAILURE() << "frame length " << length << " of " << rest.size();
            break;
        }
        frames.emplace_back(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(length));
        rest = rest.subspan(length);
    }
    return frames;
}

Bytes joined(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(ReceivedFramesTest, RecordsThatShareAReadAreCutAtEachLaterRow) {
    const Bytes first{0xDA, 0xDB, 0x05, 0xFA, 0x11, 0xED};
    const Bytes second{0xDA, 0xDB, 0x06, 0xFA, 0x22};
    const Bytes third{0xDA, 0xDB, 0x4E, 0x33};
    EXPECT_EQ(framesOf(joined({first, second, third}), true), (std::vector<Bytes>{first, second, third}));
    EXPECT_EQ(framesOf(joined({first, kReadComplete}), true), (std::vector<Bytes>{first, kReadComplete}));
}

TEST(ReceivedFramesTest, StatusFramesAreCutOffWhereverTheyStand) {
    const Bytes record{0xDA, 0xDB, 0x01, 0xFA, 0xED};
    EXPECT_EQ(framesOf(joined({kEnterEcho, kReadEcho, record}), false),
              (std::vector<Bytes>{kEnterEcho, kReadEcho, record}));
    EXPECT_EQ(framesOf(joined({kReadComplete, Bytes{0x00}}), true), (std::vector<Bytes>{kReadComplete, Bytes{0x00}}));
    const Bytes noise{0x13, 0x00};
    EXPECT_EQ(framesOf(joined({noise, kReadEcho}), false), (std::vector<Bytes>{noise, kReadEcho}));
}

TEST(ReceivedFramesTest, DuringReadBackNoiseIsCutFromTheRecordBehindIt) {
    const Bytes noise{0x13, 0xDA, 0x77};
    const Bytes record{0xDA, 0xDB, 0x09, 0xFA, 0x44, 0xED};
    EXPECT_EQ(framesOf(joined({noise, record}), true), (std::vector<Bytes>{noise, record}));
    EXPECT_EQ(framesOf(joined({noise, record}), false), (std::vector<Bytes>{joined({noise, record})}));
}

TEST(ReceivedFramesTest, ReadsWithoutAClearBoundaryStayWhole) {
    // Code bytes that look like a header of the same or an earlier row, a
    // row outside the table, a header with no data after it, a header at
    // once behind the record's own with no data between, and an unknown
    // command frame.
    const std::vector<Bytes> whole{
        {0xDA, 0xDB, 0x05, 0xFA, 0xDA, 0xDB, 0x05, 0x22, 0xED},
        {0xDA, 0xDB, 0x05, 0xFA, 0xDA, 0xDB, 0x02, 0x22, 0xED},
        {0xDA, 0xDB, 0x05, 0xFA, 0xED, 0xDA, 0xDB, 0x4F, 0x22},
        {0xDA, 0xDB, 0x05, 0xFA, 0xED, 0xDA, 0xDB, 0x06},
        {0xDA, 0xDB, 0x05, 0xDA, 0xDB, 0x06, 0x22},
        {0xFA, 0x01, 0xED, 0xAD, 0x66, 0x66, 0x66, 0x66, 0xAA, 0xAB, 0xCC, 0xBD},
    };
    for (const Bytes& read : whole) {
        EXPECT_EQ(framesOf(read, true).size(), 1u) << classifyReceived(read, true, queued(read)).logLine;
    }
    // Outside a read-back a learned code is only logged, whatever it holds.
    const Bytes learned{0xFA, 0x01, 0xDA, 0xDB, 0x06, 0x22, 0xED};
    EXPECT_EQ(framesOf(learned, false).size(), 1u);
}

}  // namespace
}  // namespace veltrano::protocol
