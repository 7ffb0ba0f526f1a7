#include "ui/win32/accessible_names.h"

#include <initguid.h>
#include <oleacc.h>

namespace velmora::ui::win32 {
namespace {

// UI Automation's LiveSetting property, and its value Polite; the SDK's
// names for them need Windows 8 headers, the program targets Windows 7.
DEFINE_GUID(kLiveSettingProperty, 0xc12bcd8e, 0x2a8e, 0x4950, 0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb);
constexpr LONG kPolite = 1;

template <class Annotate>
void WithAnnotationService(Annotate annotate) {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services))))
        return;
    annotate(*services);
    services->Release();
}

} // namespace

void SetAccessibleName(HWND control, const std::wstring& name) {
    WithAnnotationService([&](IAccPropServices& services) {
        services.SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                name.c_str());
    });
}

void MarkAsPoliteLiveRegion(HWND control) {
    WithAnnotationService([&](IAccPropServices& services) {
        VARIANT polite{};
        polite.vt = VT_I4;
        polite.lVal = kPolite;
        services.SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSettingProperty,
                             polite);
    });
}

} // namespace velmora::ui::win32
