// The bundled pictures, decoded by the browser. The first frame's three are
// images of the page itself, fetched while the page's script and the wasm
// load and decoded while they start; the goal background is fetched
// when the board first needs it or the player first touches the page.
'use strict';

window.TavrinPictures = (function () {
  const PICTURES = ['hyperroad.webp', 'background_normal.webp', 'background_goal.webp', 'items.webp'];
  const MAX_PICTURE_SIDE = 2048;
  const loads = [];

  // The picture's pixels as R, G, B, A bytes.
  function pixels(image) {
    // (The game checks each picture's size; this only keeps a broken file from costing memory.)
    if (image.naturalWidth > MAX_PICTURE_SIDE || image.naturalHeight > MAX_PICTURE_SIDE) return null;
    const canvas = document.createElement('canvas');
    canvas.width = image.naturalWidth;
    canvas.height = image.naturalHeight;
    const context = canvas.getContext('2d', { willReadFrequently: true });
    context.drawImage(image, 0, 0);
    return context.getImageData(0, 0, canvas.width, canvas.height);
  }

  // A picture that cannot be had leaves the game its plain drawn one (null).
  function load(kind) {
    if (!loads[kind]) {
      let image = document.getElementById('picture' + kind);
      if (!image) {
        image = new Image();
        image.src = 'pictures/' + PICTURES[kind];
      }
      // (Decoded off the page's thread; a picture that cannot be decoded is refused.)
      loads[kind] = image.decode().then(() => pixels(image), () => null);
    }
    return loads[kind];
  }
  [0, 1, 3].forEach(load);
  return { load, loads };
})();
