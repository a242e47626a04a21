// The far end used by the Windows serial tests, checked natively: a program
// that opens the published link plays the part of the Windows side.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tools/posix/unique_fd.h"

extern char** environ;

namespace veltrano::serialtest {
using veltrano::posix::UniqueFd;
namespace {

using Bytes = std::vector<std::uint8_t>;

class FarEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string pattern = ::testing::TempDir() + "far_end_XXXXXX";
        std::vector<char> folder(pattern.begin(), pattern.end());
        folder.push_back('\0');
        ASSERT_NE(mkdtemp(folder.data()), nullptr);
        directory = folder.data();
        link = directory + "/line";
        record = directory + "/record.bin";
    }

    void TearDown() override {
        stop();
        ::unlink(record.c_str());
        ::rmdir(directory.c_str());
    }

    void start(std::vector<std::string> extra) {
        std::vector<std::string> arguments{VELTRANO_FAR_END, "--link", link, "--record", record, "--timeout", "20"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        std::vector<char*> argv;
        for (auto& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        ASSERT_EQ(posix_spawn(&child, VELTRANO_FAR_END, nullptr, nullptr, argv.data(), environ), 0);
        ASSERT_TRUE(waitForLink());
    }

    bool waitForLink() const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        struct stat info {};
        while (::lstat(link.c_str(), &info) != 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    // Stops the far end and returns its exit status.
    int stop() {
        if (child <= 0) {
            return -1;
        }
        ::kill(child, SIGTERM);
        int status = 0;
        ::waitpid(child, &status, 0);
        child = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    UniqueFd openLine(bool raw) const {
        UniqueFd fd(::open(link.c_str(), O_RDWR | O_NOCTTY));
        if (fd.valid() && raw) {
            termios settings{};
            tcgetattr(fd.get(), &settings);
            cfmakeraw(&settings);
            tcsetattr(fd.get(), TCSANOW, &settings);
        }
        return fd;
    }

    static Bytes readFor(int fd, std::size_t wanted, std::chrono::milliseconds limit) {
        Bytes bytes;
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (bytes.size() < wanted) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                break;
            }
            pollfd wait{fd, POLLIN, 0};
            if (::poll(&wait, 1, static_cast<int>(left.count())) <= 0) {
                break;
            }
            std::array<std::uint8_t, 64> chunk{};
            const ssize_t count = ::read(fd, chunk.data(), chunk.size());
            if (count <= 0) {
                break;
            }
            bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + count);
        }
        return bytes;
    }

    // The record once it holds `size` bytes, or as it is after five seconds.
    Bytes recordedOnce(std::size_t size) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        Bytes bytes = recorded();
        while (bytes.size() < size && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            bytes = recorded();
        }
        return bytes;
    }

    Bytes recorded() const {
        std::ifstream file(record, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    std::string directory;
    std::string link;
    std::string record;
    pid_t child = -1;
};

const Bytes kRequest{0x0A, 0x0D, 0x03, 0x00, 0xFF, 0x11, 0x13, 0x7F, 0x5C};
const Bytes kReply{0x0D, 0x0A, 0x03, 0x04, 0xFF};

TEST_F(FarEndTest, ExpectedBytesAreRecordedAndAnswered) {
    start({"--expect", "0A0D0300FF11137F5C", "--reply", "0D0A0304FF"});
    const UniqueFd line = openLine(true);
    ASSERT_TRUE(line.valid());
    ASSERT_EQ(::write(line.get(), kRequest.data(), kRequest.size()), static_cast<ssize_t>(kRequest.size()));
    EXPECT_EQ(readFor(line.get(), kReply.size(), std::chrono::seconds(5)), kReply);
    EXPECT_EQ(stop(), 0);
    EXPECT_EQ(recorded(), kRequest);
}

TEST_F(FarEndTest, OtherBytesGetNoAnswer) {
    start({"--expect", "0A0D0300FF11137F5C", "--reply", "0D0A0304FF"});
    const UniqueFd line = openLine(true);
    ASSERT_TRUE(line.valid());
    const Bytes wrong{0x0A, 0x0D, 0x04};
    ASSERT_EQ(::write(line.get(), wrong.data(), wrong.size()), 3);
    EXPECT_TRUE(readFor(line.get(), 1, std::chrono::milliseconds(300)).empty());
    EXPECT_EQ(stop(), 3);
    EXPECT_EQ(recorded(), wrong);
}

TEST_F(FarEndTest, LineLeftInItsDefaultModeTranslatesLineBreaks) {
    // The far end leaves the line as the system made it, so a library that
    // forgets to make the line raw fails the Windows tests.
    start({});
    const UniqueFd line = openLine(false);
    ASSERT_TRUE(line.valid());
    const Bytes lineBreak{0x0A};
    ASSERT_EQ(::write(line.get(), lineBreak.data(), lineBreak.size()), 1);
    EXPECT_EQ(recordedOnce(2), (Bytes{0x0D, 0x0A}));
    EXPECT_EQ(stop(), 0);
}

TEST_F(FarEndTest, LinkIsRemovedWhenTheFarEndStops) {
    start({});
    EXPECT_EQ(stop(), 0);
    struct stat info {};
    EXPECT_NE(::lstat(link.c_str(), &info), 0);
}

}  // namespace
}  // namespace veltrano::serialtest
