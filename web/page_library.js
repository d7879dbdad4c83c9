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

  tavrin_js_set_text: function (slot, index, text) {
    Module.page.setText(slot, index, UTF8ToString(text));
  },
  tavrin_js_set_flag: function (slot, index, value) {
    Module.page.setFlag(slot, index, value);
  },
  tavrin_js_command: function (command, enabled, checked, visible, caption, toolTip) {
    Module.page.setCommand(command, enabled, checked, visible, UTF8ToString(caption), UTF8ToString(toolTip));
  },
  tavrin_js_timer: function (timer, interval) {
    Module.page.setTimer(timer, interval);
  },
  tavrin_js_present: function (surface, index, pixels, stride, x, y, width, height) {
    Module.page.present(surface, index, HEAPU8, pixels, stride, x, y, width, height);
  },
  tavrin_js_message_box: function (text, title, yesNo, icon) {
    var t = UTF8ToString(text), c = UTF8ToString(title);
    return Asyncify.handleAsync(function () {
      return Module.page.messageBox(t, c, yesNo, icon);
    });
  },
  tavrin_js_input_box__deps: ['$tavrinString'],
  tavrin_js_input_box: function (prompt, title, defaultText) {
    var p = UTF8ToString(prompt), c = UTF8ToString(title), d = UTF8ToString(defaultText);
    return Asyncify.handleAsync(function () {
      return Module.page.inputBox(p, c, d).then(function (answer) { return tavrinString(answer); });
    });
  },
  tavrin_js_high_scores: function (json) {
    var view = JSON.parse(UTF8ToString(json));
    return Asyncify.handleAsync(function () {
      return Module.page.highScores(view);
    });
  },
  tavrin_js_platform_command: function (command) {
    Module.page.platformCommand(command);
  },
  tavrin_js_media: function (device, action, from, to, file) {
    Module.page.media(device, action, from, to, UTF8ToString(file));
  },
  tavrin_js_media_query: function (device, what) {
    return Module.page.mediaQuery(device, what);
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
