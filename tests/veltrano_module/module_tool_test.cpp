#include "tools/veltrano_module/module_tool.h"

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <set>
#include <sstream>

#include "tests/veltrano_module/scripted_line.h"

namespace veltrano::module::test {
namespace {

// Ports by name: those in `modules` have an echoing module behind them (at
// their rate), those in `silent` open but stay quiet, any other name cannot
// be opened. The tool opens its ports from several threads at once.
class ScriptedOpener final : public LineOpener {
public:
    std::unique_ptr<ModuleLine> open(const std::string& port, int rate, std::string& reason) override {
        const std::lock_guard lock(mutex_);
        opened.emplace_back(port, rate);
        if (!modules.contains(port) && !silent.contains(port)) {
            reason = "no such port";
            return nullptr;
        }
        auto line = std::make_unique<ScriptedLine>();
        line->echoes = modules.contains(port) && modules.at(port) == rate;
        return line;
    }

    std::map<std::string, int> modules;
    std::set<std::string> silent;
    std::vector<std::pair<std::string, int>> opened;

private:
    std::mutex mutex_;
};

class ListedPorts final : public PortLister {
public:
    std::optional<std::vector<PortInfo>> list(std::string& reason) override {
        if (broken) {
            reason = "no access";
            return std::nullopt;
        }
        return ports;
    }

    std::vector<PortInfo> ports;
    bool broken = false;
};

// The file system is not used by these commands.
class NoFiles final : public grid::file::FileSystem {
public:
    std::optional<grid::file::FileBytes> readFile(const std::string&) override { return std::nullopt; }
    std::unique_ptr<grid::file::FileWriter> createTemporaryBeside(const std::string&, std::string&) override {
        return nullptr;
    }
    bool replaceFile(const std::string&, const std::string&) override { return false; }
    bool removeFile(const std::string&) override { return false; }
};

class ModuleToolTest : public ::testing::Test {
protected:
    int run(const std::vector<std::string>& arguments) {
        out.str({});
        err.str({});
        ToolServices services{opener, lister, files, stop, false, Millis{60}};
        return runModuleTool(arguments, out, err, services);
    }

    ScriptedOpener opener;
    ListedPorts lister;
    NoFiles files;
    std::atomic<bool> stop{false};
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ModuleToolTest, PortsTellUsbAdaptersApart) {
    lister.ports = {{"/dev/ttyUSB0", "FT232R USB UART", 0x0403, 0x6001, "A10K3ZQ"},
                    {"/dev/ttyS0", "ttyS0", {}, {}, ""}};
    ASSERT_EQ(run({"ports"}), 0);
    EXPECT_EQ(out.str(), "/dev/ttyUSB0  FT232R USB UART  USB 0403:6001  serial A10K3ZQ\n/dev/ttyS0  ttyS0\n");
    ASSERT_EQ(run({"ports", "--json"}), 0);
    EXPECT_EQ(out.str(),
              "[\n  {\"port\": \"/dev/ttyUSB0\", \"description\": \"FT232R USB UART\", \"usbVendor\": \"0403\", "
              "\"usbProduct\": \"6001\", \"serialNumber\": \"A10K3ZQ\"},\n  {\"port\": \"/dev/ttyS0\", "
              "\"description\": \"ttyS0\", \"serialNumber\": \"\"}\n]\n");
    lister.broken = true;
    EXPECT_EQ(run({"ports"}), 3);
    EXPECT_EQ(err.str(), "veltrano-module: cannot list the serial ports: no access\n");
}

TEST_F(ModuleToolTest, FindWithoutPortsTriesEveryListedOne) {
    lister.ports = {{"A", "", {}, {}, ""}, {"B", "", {}, {}, ""}, {"C", "", {}, {}, ""}};
    opener.modules = {{"B", 115200}};
    opener.silent = {"A"};
    ASSERT_EQ(run({"find"}), 0) << err.str();
    EXPECT_EQ(out.str(), "A: no module answered\nB: module at 115200\n");
    EXPECT_EQ(err.str(), "veltrano-module: C: cannot open: no such port\n");
}

TEST_F(ModuleToolTest, FindWithRatesTriesTheProgramsRatesInTurn) {
    opener.modules = {{"B", 38400}};
    ASSERT_EQ(run({"find", "--rates", "--port", "B", "--json"}), 0) << err.str();
    EXPECT_EQ(out.str(), "{\"port\": \"B\", \"module\": true, \"rate\": 38400}\n");
    EXPECT_EQ(opener.opened, (std::vector<std::pair<std::string, int>>{{"B", 9600}, {"B", 19200}, {"B", 38400}}));
}

TEST_F(ModuleToolTest, FindWithNoModuleAnywhereEndsWithExit4) {
    opener.silent = {"A"};
    EXPECT_EQ(run({"find", "--port", "A"}), 4);
    EXPECT_EQ(out.str(), "A: no module answered\n");
}

TEST_F(ModuleToolTest, MistakesEndWithExit2AndPointToHelp) {
    EXPECT_EQ(run({"clear"}), 2);
    EXPECT_EQ(err.str(), "veltrano-module: clear needs --port NAME; see veltrano-module --help\n");
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out.str().find("exit codes:"), std::string::npos);
    EXPECT_TRUE(opener.opened.empty());
}

}  // namespace
}  // namespace veltrano::module::test
