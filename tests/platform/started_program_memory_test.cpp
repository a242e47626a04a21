// Programs the tests start run with everything below 4 GB taken before
// their first instruction (tests/driver/program_driver.cpp). The probe shows
// where its memory lies; it reserves nothing itself.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>

#include "tests/driver/program_driver.h"
#include "tests/support/low_address_space.h"
#include "tests/support/program_folder.h"

namespace veltrano::test {
namespace {

using namespace std::chrono_literals;

// "name 0x... name 0x..." -> name -> address.
std::map<std::wstring, std::uint64_t> addressesIn(const std::wstring& caption) {
    std::map<std::wstring, std::uint64_t> addresses;
    std::wistringstream words(caption);
    std::wstring name;
    std::wstring address;
    while (words >> name >> address) addresses[name] = std::stoull(address, nullptr, 16);
    return addresses;
}

TEST(StartedProgramMemory, EverythingTheProgramIsGivenAfterItsStartLiesAboveFourGigabytes) {
    auto program = driver::RunningProgram::start(folderOfThisProgram() + L"veltrano-low-memory-probe.exe");
    ASSERT_TRUE(program.has_value());
    const HWND probe = program->waitForWindow(L"VeltranoLowMemoryProbe", driver::deadlineIn(30s));
    ASSERT_NE(probe, nullptr);

    const auto addresses = addressesIn(driver::windowText(probe));
    for (const wchar_t* name : {L"process-heap", L"runtime-heap", L"new-heap", L"pages", L"thread-stack"}) {
        ASSERT_EQ(addresses.count(name), 1u) << "the probe shows no address for " << testing::PrintToString(name);
        EXPECT_GE(addresses.at(name), kFourGigabytes) << testing::PrintToString(name);
    }

    EXPECT_GT(program->lowReservedBytes(), std::uint64_t{1} << 30);
    const auto lowest = program->lowestNewAddress();
    ASSERT_TRUE(lowest.has_value());
    EXPECT_GE(*lowest, kFourGigabytes);
}

}  // namespace
}  // namespace veltrano::test
