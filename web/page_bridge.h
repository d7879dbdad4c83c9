// What the page's script does for the WebAssembly side (web/page_library.js).
// Strings are UTF-8; every call returns at once except the two boxes, which
// wait for the player (the program is suspended meanwhile).
#pragma once

#include <cstdint>

extern "C" {
void tavrin_js_set_text(int slot, int index, const char* text);
void tavrin_js_set_flag(int slot, int index, int value);
void tavrin_js_command(int command, int enabled, int checked, int visible, const char* caption,
                       const char* toolTip);
void tavrin_js_timer(int timer, int intervalMs); // interval < 0 stops it
// Shows `width` x `height` pixels at (x, y) of a surface whose rows are
// `stride` pixels of 0xAARRGGBB.
void tavrin_js_present(int surface, int index, const std::uint8_t* pixels, int stride, int x, int y, int width,
                       int height);
int tavrin_js_message_box(const char* text, const char* title, int yesNo, int icon);
// Returns a malloc'd UTF-8 answer, or null when the box was cancelled.
char* tavrin_js_input_box(const char* prompt, const char* title, const char* defaultText);
// Shows the high-score window; 1 when its OK button closed it.
int tavrin_js_high_scores(const char* json);
// A command of the page's own dialogs (open, help, version).
void tavrin_js_platform_command(int command);
void tavrin_js_media(int device, int action, int from, int to, const char* file);
int tavrin_js_media_query(int device, int what);
// localStorage: a malloc'd value or null; store returns 0 when refused.
char* tavrin_js_storage_get(const char* key);
int tavrin_js_storage_set(const char* key, const char* value);
void tavrin_js_storage_remove(const char* key);
void tavrin_js_clipboard(const char* text);
// A note the page shows once above the game, beside the status bar.
void tavrin_js_notice(const char* text);
// The board is about to need bundled picture `kind`, which the page fetches
// when first needed and hands over with tavrin_picture.
void tavrin_js_want_picture(int kind);
}

extern "C" {
// Removes every stored key that starts with `prefix`.
void tavrin_js_storage_remove_prefix(const char* prefix);
}
