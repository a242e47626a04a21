#include "tests/grid_control/grid_fixture.h"

#include <map>
#include <optional>

#include "grid/control/grid_class.h"
#include "runtime/kernel/runtime_text.h"
#include "runtime/values/class_ids.h"
#include "tests/support/program_folder.h"

namespace veltrano::grid::test {
namespace {

constexpr wchar_t kParentClass[] = L"VeltranoGridTestParent";

// The observer is a plain function; it reaches the running fixture here.
struct ObserverTarget {
    std::vector<FiredEvent>* events = nullptr;
    std::optional<bool> editAnswer;
    std::map<std::int32_t, std::uint32_t> answers;
};
ObserverTarget observerTarget;

bool observeEvent(SimpleEventRecord* simple, TypedEventRecord* typed) {
    if (observerTarget.events == nullptr) return false;
    if (simple != nullptr) {
        FiredEvent fired{simple->eventNumber,
                         std::vector<EventWord>(simple->arguments, simple->arguments + simple->argumentCount)};
        observerTarget.events->push_back(fired);
        if (simple->eventNumber == grid_event::kEditRequested && observerTarget.editAnswer) {
            simple->resultPresent = 1;
            simple->result = *observerTarget.editAnswer ? 1 : 0;
        }
        if (const auto answer = observerTarget.answers.find(simple->eventNumber);
            answer != observerTarget.answers.end()) {
            simple->resultPresent = 1;
            simple->result = answer->second;
        }
        return true;
    }
    if (typed != nullptr) observerTarget.events->push_back(FiredEvent{typed->eventNumber, {}});
    return true;
}

HWND makeParent() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kParentClass;
    RegisterClassExW(&windowClass);
    HWND parent = CreateWindowExW(0, kParentClass, L"grid test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 640, 480,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(parent, SW_SHOW);
    return parent;
}

}  // namespace

GridFixture::GridFixture() : heap_(GetProcessHeap(), nullptr), parent_(makeParent()) {
    observerTarget = ObserverTarget{&events_, std::nullopt, {}};
    services::setEventObserver(&observeEvent);
    recreate(tableDesign());
}

GridFixture::~GridFixture() {
    for (void* block : blocks_) heap_.free(block);
    if (parent_ != nullptr) DestroyWindow(parent_);
    services::setEventObserver(nullptr);
    observerTarget = ObserverTarget{};
}

classdata::GridDesignData GridFixture::tableDesign() {
    classdata::GridDesignData design;
    design.rowCount = 20;
    design.columnCount = 4;
    design.fixedRowCount = 1;
    design.fixedColumnCount = 1;
    design.rowHeight = 24;
    design.columnWidth = 80;
    design.gridLineColor = 0x00808080;
    design.cellBackColor = 0x00FFFFFF;
    design.backColor = 0x0000C000;
    design.selectionAllowed = true;
    design.borderStyle = 0;
    return design;
}

void GridFixture::recreate(const classdata::GridDesignData& design) {
    if (grid_ != nullptr) delete grid_;
    grid_ = nullptr;
    const std::vector<std::uint8_t> bytes = classdata::encode(design);
    const auto create = classRoutine<CreateRoutine>(kGridClass, class_interface::kCreate);
    WindowObject* made = create(bytes.data(), static_cast<std::uint32_t>(bytes.size()), WS_VISIBLE | WS_TABSTOP,
                                parent_, 5, nullptr, 10, 10, 400, 300, kWindowId, kComponentId, 0, 0);
    grid_ = gridFromObject(made);
    ASSERT_NE(grid_, nullptr);
    events_.clear();
}

ValueTriple GridFixture::call(grid_library::GridCommand command, std::initializer_list<ValueTriple> arguments) {
    std::vector<ValueTriple> all{ValueTriple{kWindowId, kComponentId, class_id::kGrid}};
    all.insert(all.end(), arguments.begin(), arguments.end());
    ValueTriple result{};
    grid_library::runGridCommand(command, *grid_, heap_, &result, static_cast<std::uint32_t>(all.size()), all.data());
    if ((result.type == type_code::kText || result.type == type_code::kByteSet) && result.low != 0) {
        blocks_.push_back(result.address<void>());
    }
    return result;
}

ValueTriple GridFixture::integer(std::int32_t value) {
    return ValueTriple{static_cast<std::uint32_t>(value), 0, type_code::kInteger};
}

ValueTriple GridFixture::logical(bool value) {
    return ValueTriple{value ? 1u : 0u, 0, type_code::kBool};
}

ValueTriple GridFixture::text(const std::string& value) {
    char* block = newText(heap_, value);
    if (block != nullptr) blocks_.push_back(block);
    return ValueTriple::ofAddress(block, type_code::kText);
}

std::string GridFixture::cellText(std::int32_t row, std::int32_t column) {
    const Cell* cell = model().cell(row, column);
    return cell != nullptr ? cell->text : std::string("<invalid>");
}

std::vector<FiredEvent> GridFixture::eventsNumbered(std::int32_t number) const {
    std::vector<FiredEvent> found;
    for (const FiredEvent& fired : events_) {
        if (fired.number == number) found.push_back(fired);
    }
    return found;
}

void GridFixture::answerEvent(std::int32_t number, std::optional<std::uint32_t> answer) {
    if (answer) {
        observerTarget.answers[number] = *answer;
    } else {
        observerTarget.answers.erase(number);
    }
}

void GridFixture::answerEditRequests(std::optional<bool> answer) {
    observerTarget.editAnswer = answer;
}

std::vector<COLORREF> GridFixture::render(int& width, int& height) {
    RECT client{};
    GetClientRect(grid_->handle(), &client);
    width = client.right;
    height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(grid_->handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t at = 0; at < pixels.size(); ++at) {
        const std::uint32_t bgra = source[at];
        pixels[at] = RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

bool GridFixture::savePicture(const std::vector<COLORREF>& pixels, int width, int height, const std::wstring& name) {
    const std::wstring path = veltrano::test::folderOfThisProgram() + name;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = rows.data() + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const COLORREF colour = pixel(pixels, width, x, y);
            row[3 * x] = GetBValue(colour);
            row[3 * x + 1] = GetGValue(colour);
            row[3 * x + 2] = GetRValue(colour);
        }
    }
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(rows.size());
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + info.biSizeImage;
    win::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), &header, sizeof header, &written, nullptr) &&
           WriteFile(file.get(), &info, sizeof info, &written, nullptr) &&
           WriteFile(file.get(), rows.data(), info.biSizeImage, &written, nullptr) && written == info.biSizeImage;
}

COLORREF GridFixture::pixel(const std::vector<COLORREF>& pixels, int width, int x, int y) {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
}

}  // namespace veltrano::grid::test
