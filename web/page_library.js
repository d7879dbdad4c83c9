// The calls the WebAssembly side makes into the page (web/page_bridge.h).
// Everything lands on Module.page (web/site/page.js).
mergeInto(LibraryManager.library, {
  $tavrinString: function (text) {
    if (text === null || text === undefined) return 0;
    var size = lengthBytesUTF8(text) + 1;
    var p = _malloc(size);
    stringToUTF8(text, p, size);
    return p;
  },
  $tavrinString__deps: ['malloc'],

  tavrin_js_show: function (json) {
    Module.page.show(JSON.parse(UTF8ToString(json)));
  },
  tavrin_js_present: function (surface, index, pixels, x, y, width, height) {
    Module.page.present(surface, index, HEAPU8, pixels, x, y, width, height);
  },
  tavrin_js_wake: function (delay) {
    Module.page.wake(delay);
  },
  tavrin_js_box: function (json) {
    Module.page.box(JSON.parse(UTF8ToString(json)));
  },
  tavrin_js_sound: function (sound) {
    Module.page.sound(sound);
  },
  tavrin_js_music: function (piece, action) {
    Module.page.music(piece, action);
  },
  tavrin_js_act: function (action) {
    Module.page.act(UTF8ToString(action));
  },
  tavrin_js_storage_get__deps: ['$tavrinString'],
  tavrin_js_storage_get: function (key) {
    try {
      return tavrinString(window.localStorage.getItem(UTF8ToString(key)));
    } catch (e) {
      return 0;
    }
  },
  tavrin_js_storage_set: function (key, value) {
    return Module.page.storageSet(UTF8ToString(key), UTF8ToString(value)) ? 1 : 0;
  },
  tavrin_js_storage_remove: function (key) {
    try {
      window.localStorage.removeItem(UTF8ToString(key));
    } catch (e) {}
  },
  tavrin_js_storage_remove_prefix: function (prefix) {
    try {
      var p = UTF8ToString(prefix), gone = [];
      for (var i = 0; i < window.localStorage.length; ++i) {
        var k = window.localStorage.key(i);
        if (k !== null && k.lastIndexOf(p, 0) === 0) gone.push(k);
      }
      gone.forEach(function (k) { window.localStorage.removeItem(k); });
    } catch (e) {}
  },
  tavrin_js_clipboard: function (text) {
    Module.page.clipboard(UTF8ToString(text));
  },
  tavrin_js_notice: function (text) {
    Module.page.notice(UTF8ToString(text));
  },
  tavrin_js_want_picture: function (kind) {
    Module.page.wantPicture(kind);
  },
});
