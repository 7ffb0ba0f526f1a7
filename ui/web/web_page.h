// The page's side of the web window: the functions of the JS library
// web_controls.js, which the window calls directly. Texts are UTF-8 with a
// terminating zero; positions and sizes are CSS pixels; a control is known
// by its row in the layout table, a container of -1 being the client area.
// The page calls back the window's entry points (web_main_window.cpp):
// velmora_text_changed(row), velmora_clicked(row), velmora_viewport_changed().
#pragma once

extern "C" {

void velmora_page_build_window(const char* title, int clientWidth, int clientHeight, int border, int titleBarHeight,
                               const char* resultColour, int defaultButton);
void velmora_page_add_frame(int row, const char* name, int container, int left, int top, int width, int height,
                            const char* font, const char* caption);
void velmora_page_add_text_box(int row, const char* name, int container, int left, int top, int width, int height,
                               const char* font, int tabIndex, const char* spokenName);
void velmora_page_add_option(int row, const char* name, int container, int left, int top, int width, int height,
                             const char* font, int tabIndex, const char* caption, const char* spokenName);
void velmora_page_add_button(int row, const char* name, int container, int left, int top, int width, int height,
                             const char* font, int tabIndex, const char* caption);
void velmora_page_add_label(int row, const char* name, int container, int left, int top, int width, int height,
                            const char* font, const char* spokenName);
void velmora_page_add_line(const char* name, int x1, int y1, int x2, int y2);

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

// The viewport's size (horizontal: 1 the width, 0 the height), and the
// window's place in it and its scale, 1 as laid out.
double velmora_page_viewport_size(int horizontal);
void velmora_page_place_window(int horizontal, int pixels);
void velmora_page_scale_window(double scale);

void velmora_page_show_fault(const char* title, const char* text);

} // extern "C"
