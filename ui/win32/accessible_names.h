// Names for screen readers on controls whose own text does not say what
// they are for (text boxes, and unit buttons whose symbols would be spelt).
#pragma once

#include <windows.h>

#include <string>

namespace velmora::ui::win32 {

// Annotates the control through Dynamic Annotation; quietly does nothing
// where the system offers no such service. COM must be initialised.
void SetAccessibleName(HWND control, const std::wstring& name);

} // namespace velmora::ui::win32
