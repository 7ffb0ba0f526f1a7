// The page's side of the web window: the functions of the JS library
// web_controls.js, which the window calls directly. The page arrives with
// the window's elements (written by write_page.cpp); these attach to them.
// Texts are UTF-8 with a terminating zero; positions and sizes are CSS
// pixels; a control is known by its row in the layout table.
// The page calls back the window's entry points (web_main_window.cpp):
// velmora_text_changed(row), velmora_clicked(row), velmora_viewport_changed().
#pragma once

extern "C" {

// The window, by the name its elements' ids start with: Enter in it runs
// the default button, and the viewport's changes of size are told.
void velmora_page_attach_window(const char* name, int defaultButton);
// The control of the row, by its name: its events go to the window from
// now on, and a button can be pressed.
void velmora_page_attach(int row, const char* name);

// A text box's text into [text, text + size), with its zero where it fits;
// returns the bytes the text needs, without the zero.
int velmora_page_copy_text(int row, char* text, int size);
void velmora_page_set_text(int row, const char* text);
int velmora_page_is_checked(int row);
void velmora_page_check(int row);
void velmora_page_set_caption(int row, const char* text);
// Has screen readers speak the text; an empty one silences the live region.
void velmora_page_speak(const char* text);

// The viewport's size, the window's outer size, and its place in the viewport.
double velmora_page_viewport_width();
double velmora_page_viewport_height();
double velmora_page_window_width();
double velmora_page_window_height();
void velmora_page_set_window_left(int pixels);
void velmora_page_set_window_top(int pixels);

void velmora_page_show_fault(const char* title, const char* text);

} // extern "C"
