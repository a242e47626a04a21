#include "tests/components_basic/component_fixture.h"

#include "runtime/kernel/window_object.h"

namespace veltrano::test {
namespace {

constexpr wchar_t kParentClass[] = L"VeltranoComponentTestParent";

void registerParentClass() {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kParentClass, &existing)) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kParentClass;
    RegisterClassExW(&windowClass);
}

}  // namespace

std::vector<SimpleEventRecord> ComponentFixture::events;
bool ComponentFixture::answerWithResult = false;
std::uint32_t ComponentFixture::answer = 0;

Painting::Painting(HWND window, int width, int height) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const std::uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_.get());
    // A colour no test paints, so untouched pixels show.
    RECT all{0, 0, width, height};
    HBRUSH marker = CreateSolidBrush(RGB(1, 2, 3));
    FillRect(dc_, &all, marker);
    DeleteObject(marker);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
}

Painting::~Painting() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
}

std::uint32_t Painting::at(int x, int y) const {
    const std::uint32_t pixel = bits_[static_cast<std::size_t>(y) * width_ + x];
    return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

void ComponentFixture::SetUp() {
    events.clear();
    answerWithResult = false;
    answer = 0;
    services::setEventObserver(&ComponentFixture::observe);
    registerParentClass();
    parent_ = CreateWindowExW(0, kParentClass, L"parent", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 400, 300,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    auto* object = new WindowObject;
    ASSERT_TRUE(object->attach(parent_));
}

void ComponentFixture::TearDown() {
    if (parent_ != nullptr) DestroyWindow(parent_);
    services::setEventObserver(nullptr);
}

bool ComponentFixture::observe(SimpleEventRecord* simple, TypedEventRecord*) {
    if (simple == nullptr) return false;
    events.push_back(*simple);
    if (!answerWithResult) return false;
    simple->resultPresent = 1;
    simple->result = answer;
    return true;
}

WindowObject* ComponentFixture::create(const ClassDescriptor& descriptor, const std::vector<std::uint8_t>& classData,
                                       RECT bounds, std::uint32_t style) {
    auto routine = classRoutine<CreateRoutine>(descriptor, class_interface::kCreate);
    if (routine == nullptr) return nullptr;
    return routine(classData.data(), static_cast<std::uint32_t>(classData.size()), style, parent_, 100, nullptr,
                   bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, kWindowId,
                   kComponentId, 0, 0);
}

int ComponentFixture::write(const ClassDescriptor& descriptor, WindowObject* object, int property, RawValue value) {
    auto routine = classRoutine<WritePropertyRoutine>(descriptor, class_interface::kWriteProperty);
    return routine == nullptr ? -1 : routine(object, property - 8, &value, 0);
}

int ComponentFixture::writeText(const ClassDescriptor& descriptor, WindowObject* object, int property,
                                const std::string& text) {
    return write(descriptor, object, property, RawValue{addressWord(text.c_str()), 0});
}

int ComponentFixture::writeBytes(const ClassDescriptor& descriptor, WindowObject* object, int property,
                                 const std::vector<std::uint8_t>& bytes) {
    return write(descriptor, object, property,
                 RawValue{addressWord(bytes.data()), static_cast<std::uint32_t>(bytes.size())});
}

RawValue ComponentFixture::read(const ClassDescriptor& descriptor, WindowObject* object, int property) {
    RawValue value{0xDEADBEEF, 0xDEADBEEF};
    auto routine = classRoutine<ReadPropertyRoutine>(descriptor, class_interface::kReadProperty);
    if (routine != nullptr) routine(object, property - 8, &value);
    return value;
}

std::string ComponentFixture::readText(const ClassDescriptor& descriptor, WindowObject* object, int property) {
    const char* text = addressFromWord<const char>(read(descriptor, object, property).word1);
    return text == nullptr ? std::string() : std::string(text);
}

std::vector<std::uint8_t> ComponentFixture::readBytes(const ClassDescriptor& descriptor, WindowObject* object,
                                                      int property) {
    const RawValue value = read(descriptor, object, property);
    const auto* bytes = addressFromWord<const std::uint8_t>(value.word1);
    if (bytes == nullptr) return {};
    return std::vector<std::uint8_t>(bytes, bytes + value.word2);
}

std::vector<std::uint8_t> ComponentFixture::save(const ClassDescriptor& descriptor, WindowObject* object) {
    auto routine = classRoutine<SaveStateRoutine>(descriptor, class_interface::kSaveState);
    return routine == nullptr ? std::vector<std::uint8_t>() : routine(object);
}

std::wstring ComponentFixture::windowText(HWND window) {
    wchar_t buffer[256] = {};
    const int length = GetWindowTextW(window, buffer, 256);
    return std::wstring(buffer, static_cast<std::size_t>(length));
}

}  // namespace veltrano::test
