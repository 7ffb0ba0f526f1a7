#include "ui/win32/win32_main_window.h"

#include "ui/screen_units.h"
#include "ui/win32/accessible_names.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>
#include <vector>

namespace velmora::ui::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"VelmoraMainWindow";
constexpr int kFirstControlId = 100;

int CommandId(ControlId id) { return kFirstControlId + static_cast<int>(id); }

std::wstring Wide(std::string_view text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                        nullptr);
    return text;
}

// Windows 10 knows each window's DPI; earlier systems have one for all.
UINT WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr && window != nullptr) return getDpiForWindow(window);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// The outer rectangle around a client rectangle, with the frame at the
// given DPI where Windows can say (Windows 10 on).
void AdjustForFrame(RECT& rect, UINT dpi) {
    using AdjustFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = reinterpret_cast<AdjustFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (adjustForDpi != nullptr)
        adjustForDpi(&rect, kMainWindowStyle, FALSE, 0, dpi);
    else
        AdjustWindowRectEx(&rect, kMainWindowStyle, FALSE, 0);
}

const wchar_t* WindowClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::TextBox: return L"EDIT";
    case ControlKind::Label: return L"STATIC";
    case ControlKind::GroupFrame:
    case ControlKind::OptionButton:
    case ControlKind::PushButton: return L"BUTTON";
    }
    return L"STATIC";
}

DWORD StyleOf(const ControlLayout& layout) {
    switch (layout.kind) {
    case ControlKind::GroupFrame: return BS_GROUPBOX;
    case ControlKind::TextBox: return WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    case ControlKind::OptionButton: return BS_AUTORADIOBUTTON;
    case ControlKind::PushButton:
        return WS_TABSTOP | (layout.id == kWindow.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    case ControlKind::Label: return SS_LEFT;
    }
    return 0;
}

// The control's top-left corner in the window's client area: Windows
// controls are all the window's children, while the layout places some
// inside a frame.
POINT ClientOrigin(const ControlLayout& layout) {
    POINT origin{layout.rect.left, layout.rect.top};
    for (auto container = layout.container; container; container = Layout(*container).container) {
        origin.x += Layout(*container).rect.left;
        origin.y += Layout(*container).rect.top;
    }
    return origin;
}

} // namespace

Win32MainWindow::Win32MainWindow(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);

    const std::wstring title = Wide(kWindow.title);
    window_ = CreateWindowExW(0, kWindowClass, title.c_str(), kMainWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    CreateControls(instance);
    LayOut(WindowDpi(window_));
}

Win32MainWindow::~Win32MainWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
    for (const auto& [key, font] : fonts_) DeleteObject(font);
}

void Win32MainWindow::CreateControls(HINSTANCE instance) {
    bool previousWasOption = false;
    for (const ControlLayout* layout : InTabOrder()) {
        // A new group starts at every control but an option button that
        // follows another: each unit group is one run of option buttons.
        const bool option = layout->kind == ControlKind::OptionButton;
        DWORD style = WS_CHILD | WS_VISIBLE | StyleOf(*layout);
        if (!(option && previousWasOption)) style |= WS_GROUP;
        if (option && !previousWasOption) style |= WS_TABSTOP;
        previousWasOption = option;

        const DWORD extendedStyle = layout->kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
        const std::wstring caption = Wide(layout->caption);
        HWND control = CreateWindowExW(extendedStyle, WindowClassOf(layout->kind), caption.c_str(), style, 0, 0, 0,
                                       0, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(CommandId(layout->id))),
                                       instance, nullptr);
        if (layout->kind == ControlKind::TextBox) SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // no limit
        // The label's name is its text, the result; others are named where
        // their caption does not say what a screen reader should.
        if (layout->kind != ControlKind::Label && layout->accessibleName != layout->caption)
            SetAccessibleName(control, Wide(layout->accessibleName));
        if (layout->id == kWindow.resultLabel) MarkAsPoliteLiveRegion(control);
        controls_[layout->id] = control;
    }
}

void Win32MainWindow::LayOut(UINT dpi) {
    dpi_ = dpi;
    RECT outer{0, 0, Pixels(kWindow.clientWidth), Pixels(kWindow.clientHeight)};
    AdjustForFrame(outer, dpi);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (auto& [key, font] : fonts_) DeleteObject(font);
    fonts_.clear();
    for (const ControlLayout& layout : kControls) {
        HFONT& font = fonts_[{layout.font.face, layout.font.points, layout.font.weight}];
        if (font == nullptr) {
            LOGFONTW description{};
            description.lfHeight = -static_cast<LONG>(FontPixelSize(layout.font, static_cast<int>(dpi)));
            description.lfWeight = layout.font.weight;
            description.lfCharSet = ANSI_CHARSET;
            description.lfQuality = DEFAULT_QUALITY;
            const std::wstring face = Wide(layout.font.face);
            face.copy(description.lfFaceName, LF_FACESIZE - 1);
            font = CreateFontIndirectW(&description);
        }
        const POINT origin = ClientOrigin(layout);
        HWND control = Control(layout.id);
        SetWindowPos(control, nullptr, Pixels(origin.x), Pixels(origin.y), Pixels(layout.rect.width),
                     Pixels(layout.rect.height), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void Win32MainWindow::Show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(Control(FirstFocusedControl()));
}

int Win32MainWindow::Pixels(double twips) const { return PixelsFromTwips(twips, static_cast<int>(dpi_)); }

float Win32MainWindow::Twips(int pixels) const { return TwipsFromPixels(pixels, static_cast<int>(dpi_)); }

void Win32MainWindow::Forward(ControlId control, ControlEvent event) {
    DispatchEvent(*this, control, event, [this](const std::string& fault) {
        MessageBoxW(window_, Wide(fault).c_str(), Wide(kWindow.title).c_str(), MB_OK | MB_ICONERROR);
    });
}

std::string Win32MainWindow::Text(ControlId textBox) const {
    HWND control = Control(textBox);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

// Edit controls report EN_CHANGE for text the program sets, as for typing.
void Win32MainWindow::SetText(ControlId textBox, const std::string& text) {
    SetWindowTextW(Control(textBox), Wide(text).c_str());
}

bool Win32MainWindow::IsSelected(ControlId optionButton) const {
    return SendMessageW(Control(optionButton), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// BM_SETCHECK neither clears the group nor notifies, so both are done here.
void Win32MainWindow::Select(ControlId optionButton) {
    if (IsSelected(optionButton)) return;
    for (const ControlLayout& other : kControls) {
        if (InOptionGroupOf(other, optionButton))
            SendMessageW(Control(other.id), BM_SETCHECK, other.id == optionButton ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    Forward(optionButton, ControlEvent::Click);
}

void Win32MainWindow::SetCaption(ControlId label, const std::string& caption) {
    SetWindowTextW(Control(label), Wide(caption).c_str());
}

void Win32MainWindow::Announce(ControlId label) {
    NotifyWinEvent(kLiveRegionChanged, Control(label), OBJID_CLIENT, CHILDID_SELF);
}

RECT Win32MainWindow::OuterRect() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return rect;
}

float Win32MainWindow::OuterWidth() const { return Twips(OuterRect().right - OuterRect().left); }
float Win32MainWindow::OuterHeight() const { return Twips(OuterRect().bottom - OuterRect().top); }

void Win32MainWindow::SetLeft(float twips) {
    SetWindowPos(window_, nullptr, Pixels(twips), OuterRect().top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32MainWindow::SetTop(float twips) {
    SetWindowPos(window_, nullptr, OuterRect().left, Pixels(twips), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

float Win32MainWindow::ScreenWidth() const { return Twips(GetSystemMetrics(SM_CXSCREEN)); }
float Win32MainWindow::ScreenHeight() const { return Twips(GetSystemMetrics(SM_CYSCREEN)); }

void Win32MainWindow::Paint() {
    PAINTSTRUCT paint;
    HDC context = BeginPaint(window_, &paint);
    for (const LineLayout& line : kLines) {
        MoveToEx(context, Pixels(line.x1), Pixels(line.y1), nullptr);
        LineTo(context, Pixels(line.x2), Pixels(line.y2));
    }
    EndPaint(window_, &paint);
}

LRESULT CALLBACK Win32MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    // Nothing may unwind into Windows' own code.
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (const std::exception&) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Win32MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam) - kFirstControlId;
        if (id < 0 || id > static_cast<int>(ControlId::cmdCalc)) break;
        if (HIWORD(wParam) == EN_CHANGE) Forward(static_cast<ControlId>(id), ControlEvent::Change);
        if (HIWORD(wParam) == BN_CLICKED) Forward(static_cast<ControlId>(id), ControlEvent::Click);
        return 0;
    }
    case DM_GETDEFID:  // asked by IsDialogMessage when Enter is pressed
        return MAKELRESULT(CommandId(kWindow.defaultButton), DC_HASDEFID);
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == Control(kWindow.resultLabel)) {
            // In High Contrast the user's own text colour, not the layout's red.
            HIGHCONTRASTW contrast{sizeof contrast, 0, nullptr};
            const bool highContrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                                      (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
            const Rgb colour = kWindow.resultTextColour;
            HDC context = reinterpret_cast<HDC>(wParam);
            SetTextColor(context, highContrast ? GetSysColor(COLOR_BTNTEXT) : RGB(colour.red, colour.green, colour.blue));
            SetBkColor(context, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DPICHANGED: {
        LayOut(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace velmora::ui::win32
