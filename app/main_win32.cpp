// Velmora on Windows: create the window, load it, show it, run the message
// loop until the window is closed.
#include "ui/win32/win32_main_window.h"

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // For the screen-reader names of the text boxes.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    velmora::ui::win32::Win32MainWindow window(instance);
    velmora::ui::LoadMainWindow(window);
    window.Show(showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The dialog manager gives Tab, arrow keys in unit groups, and Enter.
        if (IsDialogMessageW(window.Handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return static_cast<int>(message.wParam);
}
