// What screen readers learn of controls beyond the standard ones' own:
// names for controls whose text does not say what they are for (text boxes,
// and unit buttons whose symbols would be spelt), and the result label as a
// live region. Set through Dynamic Annotation; each quietly does nothing
// where the system offers no such service. COM must be initialised.
#pragma once

#include <windows.h>

#include <string>

namespace velmora::ui::win32 {

void SetAccessibleName(HWND control, const std::wstring& name);

// A polite UI Automation live region: screen readers speak its text, when
// its owner raises EVENT_OBJECT_LIVEREGIONCHANGED, once they are idle.
void MarkAsPoliteLiveRegion(HWND control);

// The event that has screen readers speak a live region (Windows 8 and
// later; earlier systems pass it by).
constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED

} // namespace velmora::ui::win32
