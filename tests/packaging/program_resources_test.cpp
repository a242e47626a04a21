#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/kernel/unique_handle.h"
#include "tests/support/program_folder.h"
#include "tools/emblem/emblem.h"
#include "tools/emblem/ico_writer.h"

namespace veltrano {
namespace {

std::wstring programNextToThisTest() {
    return test::folderOfThisProgram() + L"veltrano.exe";
}

std::vector<std::uint8_t> resourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) {
    HRSRC found = FindResourceW(module, name, type);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
    if (data == nullptr) return {};
    return std::vector<std::uint8_t>(data, data + SizeofResource(module, found));
}

BOOL CALLBACK collectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    auto* list = reinterpret_cast<std::vector<std::wstring>*>(names);
    list->push_back(IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name);
    return TRUE;
}

// The built program's resources, read from its file as the system reads them.
class ProgramResources : public ::testing::Test {
protected:
    win::UniqueModule program;
    HMODULE module = nullptr;

    void SetUp() override {
        program.reset(LoadLibraryExW(programNextToThisTest().c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        module = program.get();
        ASSERT_NE(module, nullptr) << "veltrano.exe is not beside the test";
    }

    std::string manifest() const {
        const auto bytes = resourceBytes(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST_F(ProgramResources, ManifestAsksForVersion6OfTheCommonControls) {
    const std::string text = manifest();
    ASSERT_FALSE(text.empty()) << "no manifest resource 1";
    const auto name = text.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(name, std::string::npos);
    const auto identityStart = text.rfind("<assemblyIdentity", name);
    const auto identityEnd = text.find("/>", name);
    ASSERT_NE(identityStart, std::string::npos);
    const std::string identity = text.substr(identityStart, identityEnd - identityStart);
    EXPECT_NE(identity.find("version=\"6.0.0.0\""), std::string::npos) << identity;
    EXPECT_NE(identity.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos) << identity;
    EXPECT_NE(text.find("<dependentAssembly>"), std::string::npos);
}

TEST_F(ProgramResources, ManifestNamesWindows7To11AndLeavesScalingToTheSystem) {
    const std::string text = manifest();
    for (const char* os : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(text.find(std::string("<supportedOS Id=\"") + os + "\"/>"), std::string::npos) << os;
    }
    EXPECT_NE(text.find(">false</dpiAware>"), std::string::npos);
    EXPECT_EQ(text.find("dpiAwareness"), std::string::npos) << "a newer setting would override dpiAware";
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
}

TEST_F(ProgramResources, VersionResourceGivesProductNameAndVersion) {
    const std::wstring path = programNextToThisTest();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<std::uint8_t> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, sizeof(Translation));
    EXPECT_EQ(translation->language, 0x0804);
    EXPECT_EQ(translation->codePage, 1200);

    auto text = [&](const wchar_t* key) -> std::wstring {
        wchar_t query[64];
        swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language, translation->codePage, key);
        wchar_t* value = nullptr;
        UINT chars = 0;
        if (!VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&value), &chars) || value == nullptr) {
            return L"(missing)";
        }
        return value;
    };
    EXPECT_EQ(text(L"ProductName"), L"Veltrano");
    EXPECT_EQ(text(L"ProductVersion"), L"" VELTRANO_EXPECTED_VERSION);
    EXPECT_EQ(text(L"FileVersion"), L"" VELTRANO_EXPECTED_VERSION);
    EXPECT_EQ(text(L"OriginalFilename"), L"veltrano.exe");

    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    wchar_t numbers[64];
    swprintf(numbers, 64, L"%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
             HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(std::wstring(numbers), L"" VELTRANO_EXPECTED_VERSION);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(ProgramResources, FirstIconGroupIsTheDefaultIconAtFourSizes) {
    std::vector<std::wstring> groups;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(14), collectName, reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_FALSE(groups.empty()) << "no icon group";
    EXPECT_EQ(groups.front(), L"DEFAULT_ICON") << "the file manager shows the first group";

    const auto group = resourceBytes(module, L"DEFAULT_ICON", MAKEINTRESOURCEW(14));
    ASSERT_GE(group.size(), 6u);
    const std::size_t count = static_cast<std::size_t>(group[4] | group[5] << 8);
    ASSERT_EQ(count, 4u);
    ASSERT_EQ(group.size(), 6 + 14 * count);
    const int expected[] = {16, 32, 48, 256};
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = group.data() + 6 + 14 * i;
        const int width = entry[0] == 0 ? 256 : entry[0];
        const int height = entry[1] == 0 ? 256 : entry[1];
        EXPECT_EQ(width, expected[i]);
        EXPECT_EQ(height, expected[i]);
        EXPECT_EQ(entry[6] | entry[7] << 8, 24) << "bits per pixel";
        const WORD id = static_cast<WORD>(entry[12] | entry[13] << 8);
        // Each image is the emblem as drawn now, bit for bit.
        const auto image = resourceBytes(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));
        EXPECT_EQ(image, emblem::encodeIconBitmap24(emblem::drawEmblem(expected[i]))) << "size " << expected[i];
    }
}

TEST_F(ProgramResources, DefaultIconLoadsAtTheWindowSizes) {
    for (int size : {16, 32}) {
        win::UniqueIcon icon(static_cast<HICON>(LoadImageW(module, L"DEFAULT_ICON", IMAGE_ICON, size, size, 0)));
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info));
        win::UniqueBitmap colourBitmap(info.hbmColor);
        win::UniqueBitmap maskBitmap(info.hbmMask);
        ASSERT_TRUE(colourBitmap);
        BITMAP colour{};
        GetObjectW(colourBitmap.get(), sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
    }
}

}  // namespace
}  // namespace veltrano
