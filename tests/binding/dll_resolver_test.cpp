#include "runtime/binding/dll_resolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace veltrano {
namespace {

// A fake system: which paths load, what each module exports, and a record
// of every load and release.
class FakeLoader : public ModuleLoader {
public:
    std::map<std::string, std::set<std::string>> modules;  // path -> export names ("#n" for ordinals)
    std::vector<std::string> tried;
    std::vector<std::string> released;

    Module load(const std::string& path) override {
        tried.push_back(path);
        auto it = modules.find(path);
        if (it == modules.end()) return 0;
        handles_.push_back(path);
        return handles_.size();
    }
    Address findByName(Module module, const std::string& name) override {
        return modules[pathOf(module)].count(name) ? 0x1000 + module : 0;
    }
    Address findByOrdinal(Module module, std::uint16_t ordinal) override {
        return modules[pathOf(module)].count("#" + std::to_string(ordinal)) ? 0x2000 + module : 0;
    }
    void release(Module module) override { released.push_back(pathOf(module)); }

    std::string pathOf(Module module) const { return handles_.at(module - 1); }

private:
    std::vector<std::string> handles_;
};

class DllBindingTest : public ::testing::Test {
protected:
    DllSearchPlaces places{"C:\\Veltrano", "C:\\Veltrano\\"};
    FakeLoader loader;
};

TEST_F(DllBindingTest, DeclaredFileIsLookedForBesideTheProgramFirst) {
    loader.modules["C:\\Veltrano\\\\DLL\\PCOMM.DLL"] = {"sio_open"};
    const auto binding = bindDllCommand(loader, places, "\\DLL\\PCOMM.DLL", "sio_open");
    ASSERT_TRUE(binding.has_value());
    EXPECT_EQ(loader.pathOf(binding->module), "C:\\Veltrano\\\\DLL\\PCOMM.DLL");
    EXPECT_EQ(loader.tried, std::vector<std::string>{"C:\\Veltrano\\\\DLL\\PCOMM.DLL"});
}

TEST_F(DllBindingTest, NameWithoutExtensionFallsThroughToTheSystemSearch) {
    loader.modules["Advapi32"] = {"RegEnumValueA"};
    const auto binding = bindDllCommand(loader, places, "Advapi32", "RegEnumValueA");
    ASSERT_TRUE(binding.has_value());
    EXPECT_EQ(loader.tried, (std::vector<std::string>{"C:\\Veltrano\\Advapi32", "C:\\Veltrano\\Advapi32", "Advapi32"}));
    EXPECT_TRUE(loader.released.empty());
}

TEST_F(DllBindingTest, EmptyFileNameSearchesTheStandardLibrariesInOrder) {
    for (const auto& library : standardSystemLibraries()) loader.modules[library] = {};
    loader.modules["Advapi32.dll"] = {"RegOpenKeyA"};
    const auto binding = bindDllCommand(loader, places, "", "RegOpenKeyA");
    ASSERT_TRUE(binding.has_value());
    EXPECT_EQ(loader.pathOf(binding->module), "Advapi32.dll");
    EXPECT_EQ(loader.tried, (std::vector<std::string>{"Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll"}));
    // The three that did not have it are let go again.
    EXPECT_EQ(loader.released, (std::vector<std::string>{"Kernel32.dll", "Gdi32.dll", "User32.dll"}));
}

TEST_F(DllBindingTest, ModuleThatLoadsButLacksTheExportEndsTheSearch) {
    loader.modules["C:\\Veltrano\\\\DLL\\PCOMM.DLL"] = {"sio_open"};
    loader.modules["\\DLL\\PCOMM.DLL"] = {"sio_read"};
    EXPECT_FALSE(bindDllCommand(loader, places, "\\DLL\\PCOMM.DLL", "sio_read").has_value());
    EXPECT_EQ(loader.tried.size(), 1u);
    EXPECT_EQ(loader.released, std::vector<std::string>{"C:\\Veltrano\\\\DLL\\PCOMM.DLL"});
}

// The file dialogs make the user's folder current: a DLL folder at the root
// of its drive is what "\DLL\PCOMM.DLL" would name as given.
TEST_F(DllBindingTest, MissingFolderFailsWithoutLookingBelowTheCurrentDrivesRoot) {
    loader.modules["\\DLL\\PCOMM.DLL"] = {"sio_open"};
    EXPECT_FALSE(bindDllCommand(loader, places, "\\DLL\\PCOMM.DLL", "sio_open").has_value());
    EXPECT_EQ(loader.tried,
              (std::vector<std::string>{"C:\\Veltrano\\\\DLL\\PCOMM.DLL", "C:\\Veltrano\\\\DLL\\PCOMM.DLL"}));
}

TEST_F(DllBindingTest, OnlyBareAndFullyQualifiedNamesGoToTheSystemAsGiven) {
    // Completed by the system from the current directory or drive.
    for (const std::string name :
         {"DLL\\PCOMM.DLL", "..\\x.dll", "sub/x.dll", "\\DLL\\PCOMM.DLL", "/x.dll", "C:x.dll"}) {
        loader.tried.clear();
        loader.modules[name] = {"f"};
        EXPECT_FALSE(bindDllCommand(loader, places, name, "f").has_value()) << name;
        EXPECT_EQ(std::count(loader.tried.begin(), loader.tried.end(), name), 0) << name;
        EXPECT_TRUE(completedFromCurrentDirectory(name)) << name;
    }
    // A bare name (a double-byte character may end in the byte of a
    // backslash), a drive's root path and a network path.
    for (const std::string name :
         {"x.dll", "\xB1\x5C.dll", "D:\\lib\\x.dll", "D:/lib/x.dll", "\\\\server\\share\\x.dll"}) {
        loader.tried.clear();
        loader.modules[name] = {"f"};
        const auto binding = bindDllCommand(loader, places, name, "f");
        ASSERT_TRUE(binding.has_value()) << name;
        EXPECT_EQ(loader.pathOf(binding->module), name);
        EXPECT_EQ(loader.tried.back(), name);
        EXPECT_FALSE(completedFromCurrentDirectory(name)) << name;
    }
}

TEST_F(DllBindingTest, NameWithADriveIsLoadedOnlyAsGiven) {
    loader.modules["D:\\lib\\x.dll"] = {"f"};
    EXPECT_TRUE(bindDllCommand(loader, places, "D:\\lib\\x.dll", "f").has_value());
    EXPECT_EQ(loader.tried, std::vector<std::string>{"D:\\lib\\x.dll"});
}

TEST_F(DllBindingTest, HashAndDecimalNameAnOrdinalByItsLow16Bits) {
    loader.modules["x.dll"] = {"#7"};
    places.runDirectory = "Q:";
    places.moduleDirectory = "Q:\\";
    loader.modules["Q:\\x.dll"] = {"#7"};
    const auto binding = bindDllCommand(loader, places, "x.dll", "#65543");  // 65543 & 0xFFFF == 7
    ASSERT_TRUE(binding.has_value());
    EXPECT_EQ(binding->address, 0x2000u + binding->module);
}

}  // namespace
}  // namespace veltrano
