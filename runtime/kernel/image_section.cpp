#include "runtime/kernel/image_section.h"

#include <windows.h>

namespace veltrano {

ImageSection imageSectionHolding(const void* address) noexcept {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module)) {
        return {};
    }
    const auto* base = reinterpret_cast<const std::uint8_t*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return {};
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (headers->Signature != IMAGE_NT_SIGNATURE) return {};
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    const auto* target = static_cast<const std::uint8_t*>(address);
    for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section) {
        const std::uint8_t* start = base + section->VirtualAddress;
        const std::uint32_t size = section->Misc.VirtualSize;
        if (target >= start && target < start + size) return {start, size};
    }
    return {};
}

}  // namespace veltrano
