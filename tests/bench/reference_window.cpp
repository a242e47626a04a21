// The start-up reference: the program's main window as a plain Win32
// program would make it, with no runtime underneath. The windows are those
// of app/window/main_window.vtd as the program shows them once idle (the
// bench driver's "windows" command lists both programs' windows for
// comparison): the same classes (own ones registered with the same class
// styles), places, sizes, styles, fonts, texts and list items, the same
// manifest and common controls, and the same visual style on the themed
// controls. What a plain program does not need is left out: the grid's
// 79 x 3 cells (its window is there, of the same size and kind), the table
// file, the serial port list from the registry.
#include <windows.h>
// The common controls' and theme declarations need the window system's first.
#include <commctrl.h>
#include <ole2.h>
#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <string>

namespace {

constexpr wchar_t kMainClass[] = L"KVWindow";
constexpr wchar_t kLabelClass[] = L"_QL_Label";
constexpr wchar_t kGridClass[] = L"MYGridCtrl";
constexpr wchar_t kTimerClass[] = L"_QL_Timer";
constexpr wchar_t kDialogClass[] = L"_QL_CommonDlg";
constexpr wchar_t kHiddenOwnerClass[] = L"_QL_HideOwner";
constexpr int kIconResource = 1;

enum class Kind { Edit, Button, GroupBox, Label, ComboBox, Grid, Timer, Progress, Dialog };

struct Child {
    Kind kind;
    const wchar_t* text;
    int left, top, width, height;
    DWORD style;    // beyond WS_CHILD | WS_CLIPSIBLINGS
    DWORD exStyle;  // as the program's windows have them
    bool inGroup;   // a child of the group box rather than of the window
    // The edit control drops a border it is created with; the program's log
    // box gets its border afterwards.
    bool borderAfterCreation = false;
};

constexpr DWORD kPushButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
constexpr DWORD kLineEdit = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;

// In the template's order, which is the program's creation order.
constexpr Child kChildren[] = {
    {Kind::Edit, L"", 165, 0, 571, 110,
     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, false, true},
    {Kind::Edit, L"", 160, 64, 88, 32, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, false},
    {Kind::Edit, L"将收到的以FA开头ED结尾的数据复制到这里进行测试。", 8, 115, 600, 24, kLineEdit, WS_EX_CLIENTEDGE,
     false},
    {Kind::Button, L"测试", 615, 115, 50, 25, kPushButton | WS_DISABLED, 0, false},
    {Kind::Button, L"学习", 675, 115, 50, 25, kPushButton | WS_DISABLED, 0, false},
    {Kind::Label, L"时序器", 8, 148, 40, 16, WS_VISIBLE, 0, false},
    {Kind::Edit, L"9600", 56, 145, 60, 24, kLineEdit, WS_EX_CLIENTEDGE, false},
    {Kind::Label, L"投影仪", 126, 148, 40, 16, WS_VISIBLE, 0, false},
    {Kind::Edit, L"9600", 174, 145, 60, 24, kLineEdit, WS_EX_CLIENTEDGE, false},
    {Kind::Label, L"播放器", 249, 148, 40, 16, WS_VISIBLE, 0, false},
    {Kind::Edit, L"9600", 297, 145, 60, 24, kLineEdit, WS_EX_CLIENTEDGE, false},
    {Kind::Label, L"功放", 367, 148, 40, 16, WS_VISIBLE, 0, false},
    {Kind::Edit, L"9600", 415, 145, 60, 24, kLineEdit, WS_EX_CLIENTEDGE, false},
    {Kind::Label, L"扩展区绑定到：", 485, 148, 83, 16, WS_VISIBLE, 0, false},
    {Kind::ComboBox, L"", 570, 145, 75, 24, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, false},
    {Kind::Button, L"设置波特率", 652, 145, 75, 24, kPushButton | WS_DISABLED, 0, false},
    {Kind::Grid, L"", 0, 176, 735, 568, WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_VSCROLL, WS_EX_CLIENTEDGE,
     false},
    {Kind::Button, L"打开文件", 6, 745, 66, 25, kPushButton, 0, false},
    {Kind::Button, L"保存文件", 106, 745, 66, 25, kPushButton, 0, false},
    {Kind::Button, L"另存文件", 206, 745, 66, 25, kPushButton, 0, false},
    {Kind::Button, L"清空模块", 406, 745, 66, 25, kPushButton | WS_DISABLED, 0, false},
    {Kind::Button, L"读取模块", 506, 745, 66, 25, kPushButton | WS_DISABLED, 0, false},
    {Kind::Button, L"写入模块", 606, 745, 66, 25, kPushButton | WS_DISABLED, 0, false},
    {Kind::GroupBox, L"COM", 0, 0, 160, 110, WS_VISIBLE | BS_GROUPBOX | BS_LEFT, 0, false},
    {Kind::Button, L"清除→", 88, 72, 50, 25, kPushButton, 0, true},
    {Kind::Timer, L"", 40, 32, 24, 16, 0, 0, true},
    {Kind::Button, L"开启", 16, 72, 50, 25, kPushButton, 0, true},
    {Kind::ComboBox, L"", 75, 44, 75, 20, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, true},
    {Kind::Label, L"波特率:", 5, 44, 40, 16, WS_VISIBLE, 0, true},
    {Kind::ComboBox, L"", 75, 16, 75, 20, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, true},
    {Kind::Label, L"端口:", 5, 16, 32, 16, WS_VISIBLE, 0, true},
    {Kind::Progress, L"", 0, 771, 740, 16, WS_VISIBLE, 0, false},
    {Kind::Dialog, L"", 576, 80, 48, 48, 0, 0, false},
};

// The program's lists as its start fills them: the binding list, the baud
// rates (the fastest chosen) and the machine's serial ports.
constexpr std::array<const wchar_t*, 4> kBindingItems{L"时序器", L"投影仪", L"播放器", L"功放"};
constexpr std::array<const wchar_t*, 5> kBaudItems{L"9600", L"19200", L"38400", L"57600", L"115200"};
// A drop-down list is created at least this tall, as the program does.
constexpr int kLeastDropDownHeight = 160;

HFONT guiFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

LRESULT CALLBACK mainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK labelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    wchar_t text[64];
    const int length = GetWindowTextW(window, text, 64);
    const HGDIOBJ previous = SelectObject(dc, guiFont());
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text, length, &client, DT_LEFT | DT_TOP | DT_WORDBREAK);
    SelectObject(dc, previous);
    EndPaint(window, &paint);
    return 0;
}

LRESULT CALLBACK gridProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(window, &paint);
    return 0;
}

bool registerClass(HINSTANCE instance, const wchar_t* name, UINT style, WNDPROC procedure, HBRUSH background) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0;
}

bool registerClasses(HINSTANCE instance) {
    constexpr UINT kRedrawing = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    return registerClass(instance, kHiddenOwnerClass, 0, DefWindowProcW, nullptr) &&
           registerClass(instance, kMainClass, kRedrawing, mainProcedure, GetSysColorBrush(COLOR_BTNFACE)) &&
           registerClass(instance, kLabelClass, kRedrawing, labelProcedure, nullptr) &&
           registerClass(instance, kGridClass, CS_DBLCLKS, gridProcedure, nullptr) &&
           registerClass(instance, kTimerClass, CS_DBLCLKS, DefWindowProcW, nullptr) &&
           registerClass(instance, kDialogClass, CS_DBLCLKS, DefWindowProcW, nullptr);
}

const wchar_t* systemClass(Kind kind) {
    switch (kind) {
        case Kind::Edit: return L"EDIT";
        case Kind::Button:
        case Kind::GroupBox: return L"BUTTON";
        case Kind::Label: return kLabelClass;
        case Kind::ComboBox: return L"COMBOBOX";
        case Kind::Grid: return kGridClass;
        case Kind::Timer: return kTimerClass;
        case Kind::Progress: return PROGRESS_CLASSW;
        case Kind::Dialog: return kDialogClass;
    }
    return L"";
}

bool themed(Kind kind) {
    return kind == Kind::Edit || kind == Kind::Button || kind == Kind::GroupBox || kind == Kind::ComboBox ||
           kind == Kind::Progress;
}

void fillList(HWND box, const wchar_t* const* items, std::size_t count, int selected) {
    for (std::size_t i = 0; i < count; ++i) SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
    if (selected >= 0) SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void fillPortList(HWND box) {
    HKEY ports = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &ports) != ERROR_SUCCESS) {
        return;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        wchar_t port[64];
        DWORD nameLength = 256;
        DWORD portBytes = sizeof port - sizeof(wchar_t);
        DWORD type = 0;
        const LSTATUS status =
            RegEnumValueW(ports, index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(port), &portBytes);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS || type != REG_SZ) continue;
        port[portBytes / sizeof(wchar_t)] = 0;
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(port));
    }
    RegCloseKey(ports);
}

// A combo box's own edit and list windows carry the style as well.
BOOL CALLBACK styleComboPart(HWND part, LPARAM) {
    SetWindowTheme(part, L"Explorer", nullptr);
    return TRUE;
}

bool createChildren(HWND window, HINSTANCE instance) {
    HWND group = nullptr;
    std::array<HWND, 3> lists{};
    std::size_t listCount = 0;
    // The program numbers its controls down from the first.
    int id = 420;
    for (const Child& child : kChildren) {
        const HWND parent = child.inGroup ? group : window;
        int height = child.height;
        if (child.kind == Kind::ComboBox) height = std::max(height, kLeastDropDownHeight);
        HWND made =
            CreateWindowExW(child.exStyle, systemClass(child.kind), child.text,
                            WS_CHILD | WS_CLIPSIBLINGS | child.style, child.left, child.top, child.width, height,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        if (made == nullptr) return false;
        id -= 10;
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont()), FALSE);
        if (child.borderAfterCreation) {
            SetWindowLongPtrW(made, GWL_STYLE, GetWindowLongPtrW(made, GWL_STYLE) | WS_BORDER);
            SetWindowPos(made, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        if (themed(child.kind)) {
            SetWindowTheme(made, L"Explorer", nullptr);
            if (child.kind == Kind::ComboBox) {
                EnumChildWindows(made, &styleComboPart, 0);
                COMBOBOXINFO parts{};
                parts.cbSize = sizeof parts;
                if (GetComboBoxInfo(made, &parts) && parts.hwndList != nullptr) styleComboPart(parts.hwndList, 0);
                lists[listCount++] = made;
            }
        }
        if (child.kind == Kind::GroupBox) group = made;
        if (child.kind == Kind::Grid) {
            SCROLLINFO scroll{sizeof scroll, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 97 * 24, 568, 0, 0};
            SetScrollInfo(made, SB_VERT, &scroll, FALSE);
        }
    }
    fillList(lists[0], kBindingItems.data(), kBindingItems.size(), 0);
    fillList(lists[1], kBaudItems.data(), kBaudItems.size(), static_cast<int>(kBaudItems.size()) - 1);
    fillPortList(lists[2]);
    return true;
}

void setIcons(HWND window, HINSTANCE instance) {
    const auto icon = [&](int size) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, size, size, 0));
    };
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon(GetSystemMetrics(SM_CXICON))));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon(GetSystemMetrics(SM_CXSMICON))));
}

// The program's caption names the table file beside it.
std::wstring caption() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.resize(folder.rfind(L'\\') + 1);
    return L"Veltrano - " + folder + L"data.dat";
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    if (FAILED(OleInitialize(nullptr))) return 1;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
    if (!InitCommonControlsEx(&controls) || !registerClasses(instance)) return 1;
    HWND hiddenOwner =
        CreateWindowExW(WS_EX_TOOLWINDOW, kHiddenOwnerClass, L"", 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (hiddenOwner == nullptr) return 1;

    constexpr int kWidth = 740;
    constexpr int kHeight = 818;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    const std::wstring title = caption();
    HWND window = CreateWindowExW(0, kMainClass, title.c_str(),
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, left, top,
                                  kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    setIcons(window, instance);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont()), FALSE);
    if (!createChildren(window, instance)) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyWindow(hiddenOwner);
    OleUninitialize();
    return static_cast<int>(message.wParam);
}
