// The library's answers that need no line behind the port.
#include <gtest/gtest.h>

#include <array>

#include "tests/serial/pcomm_library.h"

namespace veltrano::serialtest {
namespace {

// No port of this number exists in the test prefix.
constexpr int kMissingPort = 250;

class PcommApiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library.loaded()) << "DLL\\PCOMM.DLL did not load"; }

    PcommLibrary library;
};

TEST_F(PcommApiTest, EverySerialFunctionIsExportedUnderItsPlainName) {
    for (const char* name :
         {"sio_open", "sio_ioctl", "sio_SetReadTimeouts", "sio_iqueue", "sio_read", "sio_write", "sio_close"}) {
        EXPECT_NE(library.find(name), nullptr) << name;
    }
}

TEST_F(PcommApiTest, NoDecoratedNameIsExported) {
    EXPECT_EQ(library.find("sio_open@4"), nullptr);
    EXPECT_EQ(library.find("_sio_open@4"), nullptr);
    EXPECT_EQ(library.find("sio_read@12"), nullptr);
}

TEST_F(PcommApiTest, PortNumbersOutsideTheRangeAreRefused) {
    for (const int port : {0, -1, PCOMM_MAX_PORT + 1}) {
        EXPECT_EQ(library.open(port), PCOMM_BAD_PORT) << port;
        EXPECT_EQ(library.close(port), PCOMM_BAD_PORT) << port;
        EXPECT_EQ(library.iqueue(port), PCOMM_BAD_PORT) << port;
    }
}

TEST_F(PcommApiTest, PortThatDoesNotExistFailsToOpen) {
    EXPECT_EQ(library.open(kMissingPort), PCOMM_OPEN_FAILED);
    EXPECT_EQ(library.close(kMissingPort), PCOMM_NOT_OPEN);
}

TEST_F(PcommApiTest, OperationsOnAPortNotOpenAreRefused) {
    std::array<char, 4> buffer{};
    EXPECT_EQ(library.ioctl(kMissingPort, 16, 3), PCOMM_NOT_OPEN);
    EXPECT_EQ(library.setReadTimeouts(kMissingPort, 1000, 0), PCOMM_NOT_OPEN);
    EXPECT_EQ(library.iqueue(kMissingPort), PCOMM_NOT_OPEN);
    EXPECT_EQ(library.read(kMissingPort, buffer.data(), 4), PCOMM_NOT_OPEN);
    EXPECT_EQ(library.write(kMissingPort, buffer.data(), 4), PCOMM_NOT_OPEN);
    EXPECT_EQ(library.close(kMissingPort), PCOMM_NOT_OPEN);
}

}  // namespace
}  // namespace veltrano::serialtest
