// The library on a real line: a pseudo-terminal mapped to a COM port, with the
// native far end (serial_far_end) on the other side. The driver script starts
// the far end with the same request and reply bytes as below and names the
// port in VELTRANO_SERIAL_PORT.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/serial/pcomm_library.h"

namespace veltrano::serialtest {
namespace {

// Bytes a line that is not raw would translate, swallow or act on: line
// breaks, the interrupt character, zero, 0xFF, flow control, delete.
constexpr std::array<std::uint8_t, 9> kRequest{0x0A, 0x0D, 0x03, 0x00, 0xFF, 0x11, 0x13, 0x7F, 0x5C};
constexpr std::array<std::uint8_t, 5> kReply{0x0D, 0x0A, 0x03, 0x04, 0xFF};

constexpr int kBaud115200 = 16;
constexpr int kMode8N1 = 3;

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

class PcommLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(library.loaded()) << "DLL\\PCOMM.DLL did not load";
        const char* number = std::getenv("VELTRANO_SERIAL_PORT");
        ASSERT_NE(number, nullptr) << "VELTRANO_SERIAL_PORT names the mapped COM port";
        port = std::atoi(number);
        ASSERT_GT(port, 0);
    }

    void openConfigured() {
        ASSERT_EQ(library.open(port), PCOMM_OK);
        ASSERT_EQ(library.ioctl(port, kBaud115200, kMode8N1), PCOMM_OK);
        ASSERT_EQ(library.setReadTimeouts(port, 1000, 0), PCOMM_OK);
    }

    int writeRequest() {
        std::array<std::uint8_t, kRequest.size()> copy = kRequest;
        return library.write(port, reinterpret_cast<char*>(copy.data()), static_cast<int>(copy.size()));
    }

    // Polls the input queue until it holds `count` bytes or five seconds pass.
    int waitForQueued(int count) {
        const ULONGLONG deadline = GetTickCount64() + 5000;
        int queued = library.iqueue(port);
        while (queued >= 0 && queued < count && GetTickCount64() < deadline) {
            Sleep(10);
            queued = library.iqueue(port);
        }
        return queued;
    }

    PcommLibrary library;
    int port = 0;
};

TEST_F(PcommLineTest, WrittenBytesArriveAtFarEnd) {
    openConfigured();
    EXPECT_EQ(writeRequest(), static_cast<int>(kRequest.size()));
    // The far end answers only once it has received exactly the request; the
    // driver also compares everything it recorded with the request.
    EXPECT_EQ(waitForQueued(static_cast<int>(kReply.size())), static_cast<int>(kReply.size()))
        << "the far end did not confirm the request";
    EXPECT_EQ(library.close(port), PCOMM_OK);
}

TEST_F(PcommLineTest, FarEndBytesAreQueuedAndRead) {
    openConfigured();
    ASSERT_EQ(writeRequest(), static_cast<int>(kRequest.size()));
    ASSERT_EQ(waitForQueued(static_cast<int>(kReply.size())), static_cast<int>(kReply.size()));

    std::array<char, 16> buffer{};
    ASSERT_EQ(library.read(port, buffer.data(), static_cast<int>(kReply.size())), static_cast<int>(kReply.size()));
    const std::vector<std::uint8_t> received(buffer.begin(), buffer.begin() + kReply.size());
    EXPECT_EQ(received, std::vector<std::uint8_t>(kReply.begin(), kReply.end()));
    EXPECT_EQ(library.iqueue(port), 0);
    EXPECT_EQ(library.close(port), PCOMM_OK);
}

TEST_F(PcommLineTest, ReadWithNothingWaitingReturnsNothing) {
    openConfigured();
    ASSERT_EQ(library.setReadTimeouts(port, 50, 0), PCOMM_OK);
    std::array<char, 4> buffer{};
    EXPECT_EQ(library.read(port, buffer.data(), static_cast<int>(buffer.size())), 0);
    EXPECT_EQ(library.close(port), PCOMM_OK);
}

TEST_F(PcommLineTest, SecondOpenIsRefusedUntilClosed) {
    ASSERT_EQ(library.open(port), PCOMM_OK);
    EXPECT_EQ(library.open(port), PCOMM_ALREADY_OPEN);
    EXPECT_EQ(library.close(port), PCOMM_OK);
    EXPECT_EQ(library.close(port), PCOMM_NOT_OPEN);
    EXPECT_EQ(library.iqueue(port), PCOMM_NOT_OPEN);
    ASSERT_EQ(library.open(port), PCOMM_OK);
    EXPECT_EQ(library.close(port), PCOMM_OK);
}

TEST_F(PcommLineTest, BadArgumentsOnAnOpenPortAreRefused) {
    openConfigured();
    std::array<char, 4> buffer{};
    EXPECT_EQ(library.ioctl(port, 20, kMode8N1), PCOMM_BAD_ARGUMENT);
    EXPECT_EQ(library.ioctl(port, -1, kMode8N1), PCOMM_BAD_ARGUMENT);
    EXPECT_EQ(library.ioctl(port, kBaud115200, 0x40), PCOMM_BAD_ARGUMENT);
    EXPECT_EQ(library.ioctl(port, kBaud115200, 5 << 3), PCOMM_BAD_ARGUMENT);
    EXPECT_EQ(library.read(port, buffer.data(), -1), PCOMM_BAD_ARGUMENT);
    EXPECT_EQ(library.read(port, nullptr, 4), PCOMM_BAD_ARGUMENT);
    EXPECT_EQ(library.write(port, nullptr, 4), PCOMM_BAD_ARGUMENT);
    EXPECT_EQ(library.write(port, buffer.data(), 0), 0);
    // Refused settings leave the port usable.
    EXPECT_EQ(library.ioctl(port, 12, kMode8N1), PCOMM_OK);
    EXPECT_EQ(library.close(port), PCOMM_OK);
}

// What an installer meets when the module's line has gone (the adapter
// unplugged, the simulator ended) while the port is still mapped: the
// driver script ends the far end before this case runs.
TEST_F(PcommLineTest, OpeningALineWhoseFarEndIsGoneIsRefused) {
    EXPECT_EQ(library.open(port), PCOMM_OPEN_FAILED);
    EXPECT_EQ(library.close(port), PCOMM_NOT_OPEN) << "a refused open must leave nothing open";
    EXPECT_EQ(library.open(port), PCOMM_OPEN_FAILED) << "a second try is refused the same way";
}

TEST_F(PcommLineTest, PortListNamesTheMappedPort) {
    RegistryKey key;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", key.out()), ERROR_SUCCESS);
    std::vector<std::string> ports;
    for (DWORD index = 0;; ++index) {
        std::array<char, 512> name{};
        std::array<BYTE, 512> data{};
        DWORD nameLength = 512;
        DWORD dataLength = 512;
        DWORD type = 0;
        if (RegEnumValueA(key.get(), index, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength) !=
            ERROR_SUCCESS) {
            break;
        }
        const auto* text = reinterpret_cast<const char*>(data.data());
        ports.emplace_back(text, strnlen(text, data.size()));
    }
    const std::string mapped = "COM" + std::to_string(port);
    EXPECT_NE(std::find(ports.begin(), ports.end(), mapped), ports.end()) << mapped << " not listed";
}

}  // namespace
}  // namespace veltrano::serialtest
