// The page's side of the web window: the functions of the JS library
// web_controls.js, which the window calls directly. Texts are UTF-8 with a
// terminating zero; positions and sizes are CSS pixels; a control is known
// by its row in the layout table, a parent of -1 being the client area.
// The page calls back the window's entry points (web_main_window.cpp):
// velmora_text_changed(row), velmora_clicked(row), velmora_viewport_changed().
#pragma once

extern "C" {

// The window's frame, named as the layout names it: its elements' ids
// start with the name. faces: the CSS font families of every text.
void velmora_page_build_window(const char* name, const char* title, const char* faces, const char* resultColour,
                               int defaultButton);
// The frame's measures, and the title's font.
void velmora_page_size_window(int clientWidth, int clientHeight, int border, int titleBarHeight,
                              const char* titleFont);

// Each makes its control, which velmora_page_place then puts in the page
// and velmora_page_set_box lays out.
void velmora_page_make_frame(int row, const char* caption);
void velmora_page_make_text_box(int row, const char* spokenName);
// group: the row of the control whose option buttons exclude each other.
void velmora_page_make_option(int row, int group, const char* caption, const char* spokenName);
void velmora_page_make_button(int row, const char* caption);
void velmora_page_make_label(int row);
// Gives the control its id, and puts it last in its parent.
void velmora_page_place(int row, const char* name, int parent);
// The control's place in its parent, its size and its font.
void velmora_page_set_box(int row, int left, int top, int width, int height, const char* font);
// A line on the client area, added where there is none of the name.
void velmora_page_set_line(const char* name, int left, int top, int width, int height);

// A text box's text into [text, text + size), with its zero where it fits;
// returns the bytes the text needs, without the zero.
int velmora_page_copy_text(int row, char* text, int size);
void velmora_page_set_text(int row, const char* text);
int velmora_page_is_checked(int row);
void velmora_page_check(int row);
void velmora_page_focus(int row);
void velmora_page_set_caption(int row, const char* text);
// Has screen readers speak the text; an empty one silences the live region.
void velmora_page_speak(const char* text);

// The viewport's size, and the window's place in it.
double velmora_page_viewport_width();
double velmora_page_viewport_height();
void velmora_page_set_window_left(int pixels);
void velmora_page_set_window_top(int pixels);

void velmora_page_show_fault(const char* title, const char* text);

} // extern "C"
