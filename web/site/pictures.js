// The bundled pictures, decoded by the browser: the first frame's three
// are fetched and decoded while the page's script and the wasm load (this
// script is small and runs first), the goal background when the board first
// needs it or the player first touches the page.
'use strict';

window.TavrinPictures = (function () {
  const PICTURES = ['hyperroad.webp', 'background_normal.webp', 'background_goal.webp', 'items.webp'];
  const MAX_PICTURE_SIDE = 2048;
  const loads = [];

  function load(kind) {
    if (!loads[kind]) {
      loads[kind] = fetch('pictures/' + PICTURES[kind])
        .then((r) => (r.ok ? r.blob() : Promise.reject(new Error(PICTURES[kind]))))
        .then((blob) => createImageBitmap(blob, { colorSpaceConversion: 'none', premultiplyAlpha: 'none' }))
        .then((bitmap) => {
          // (The game checks each picture's size; this only keeps a broken file from costing memory.)
          if (bitmap.width > MAX_PICTURE_SIDE || bitmap.height > MAX_PICTURE_SIDE) throw new Error(PICTURES[kind]);
          const canvas = document.createElement('canvas');
          canvas.width = bitmap.width;
          canvas.height = bitmap.height;
          const context = canvas.getContext('2d', { willReadFrequently: true });
          context.drawImage(bitmap, 0, 0);
          bitmap.close();
          return context.getImageData(0, 0, canvas.width, canvas.height);
        })
        .catch(() => null); // the game keeps its plain drawn picture
    }
    return loads[kind];
  }
  [0, 1, 3].forEach(load);
  return { load, loads };
})();
