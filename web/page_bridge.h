// What the page's script does for the WebAssembly side (web/page_library.js).
// Strings are UTF-8; every call returns at once.
#pragma once

#include <cstdint>

extern "C" {
// What changed on screen, as JSON (web/screen_json.h).
void tavrin_js_show(const char* json);
// Shows `width` x `height` pixels of R, G, B, A bytes at (x, y) of a surface.
void tavrin_js_present(int surface, int index, const std::uint8_t* pixels, int x, int y, int width, int height);
// Call tavrin_tick after `delayMs` milliseconds; < 0: no call is needed.
void tavrin_js_wake(int delayMs);
// A box as JSON; its answer comes back through tavrin_answer.
void tavrin_js_box(const char* json);
// A sound: 0 click, 1 trash, 2 jingle.
void tavrin_js_sound(int sound);
// Music piece 0 (free game) or 1 (series): action 0 plays it from its start,
// 1 stops it, 2 lets it repeat, 3 lets it end at its end.
void tavrin_js_music(int piece, int action);
// One of the page's own dialogs: "open", "help" or "about".
void tavrin_js_act(const char* action);
// localStorage: a malloc'd value or null; store returns 0 when refused.
char* tavrin_js_storage_get(const char* key);
int tavrin_js_storage_set(const char* key, const char* value);
void tavrin_js_storage_remove(const char* key);
// Removes every stored key that starts with `prefix`.
void tavrin_js_storage_remove_prefix(const char* prefix);
void tavrin_js_clipboard(const char* text);
// A note the page shows once above the game, beside the status bar.
void tavrin_js_notice(const char* text);
// The board is about to need bundled picture `kind`, which the page fetches
// when first needed and hands over with tavrin_picture.
void tavrin_js_want_picture(int kind);
}
