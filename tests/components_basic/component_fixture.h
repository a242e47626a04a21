#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/kernel/component_class.h"
#include "runtime/kernel/runtime_services.h"
#include "runtime/kernel/unique_handle.h"
#include "runtime/kernel/window_object.h"

namespace veltrano::test {

inline constexpr std::uint32_t kWindowId = 0x52010001;
inline constexpr std::uint32_t kComponentId = 0x06010002;

// Pixels a window painted through WM_PRINTCLIENT into a 32-bit memory bitmap.
class Painting {
public:
    Painting(HWND window, int width, int height);
    ~Painting();
    Painting(const Painting&) = delete;
    Painting& operator=(const Painting&) = delete;

    // 0x00BBGGRR, as colours are written to properties.
    std::uint32_t at(int x, int y) const;
    HDC dc() const noexcept { return dc_; }

private:
    HDC dc_ = nullptr;
    win::UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    const std::uint32_t* bits_ = nullptr;
    int width_ = 0;
};

// A plain parent window with a window object (so child notifications reach
// the children's objects) and an event observer recording what is fired.
class ComponentFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND parent() const noexcept { return parent_; }

    WindowObject* create(const ClassDescriptor& descriptor, const std::vector<std::uint8_t>& classData,
                         RECT bounds = {10, 10, 110, 40}, std::uint32_t style = 0);
    int write(const ClassDescriptor& descriptor, WindowObject* object, int property, RawValue value);
    int writeText(const ClassDescriptor& descriptor, WindowObject* object, int property, const std::string& text);
    int writeBytes(const ClassDescriptor& descriptor, WindowObject* object, int property,
                   const std::vector<std::uint8_t>& bytes);
    RawValue read(const ClassDescriptor& descriptor, WindowObject* object, int property);
    std::string readText(const ClassDescriptor& descriptor, WindowObject* object, int property);
    std::vector<std::uint8_t> readBytes(const ClassDescriptor& descriptor, WindowObject* object, int property);
    std::vector<std::uint8_t> save(const ClassDescriptor& descriptor, WindowObject* object);

    static std::wstring windowText(HWND window);
    static LONG_PTR style(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

    // Events fired since SetUp, and the result the observer answers with
    // (none: as if no handler ran).
    static std::vector<SimpleEventRecord> events;
    static bool answerWithResult;
    static std::uint32_t answer;

private:
    static bool observe(SimpleEventRecord* simple, TypedEventRecord* typed);

    HWND parent_ = nullptr;
};

}  // namespace veltrano::test
