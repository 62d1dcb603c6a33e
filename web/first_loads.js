// What the first table needs, started as soon as the page's head is read:
// the browser decodes the fonts and pictures and compiles the core's module
// while it reads and lays out the rest of the page. The page script takes
// them from here (BluffwickAssets.first).
'use strict';

BluffwickAssets.first = (() => {
  const Assets = BluffwickAssets;

  function base64Bytes(text) {
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return bytes;
  }

  // A font face, added to the page once loaded.
  async function loadFont(family, font, unicodeRange = 'U+0-10FFFF') {
    // A file of the hosted copy's own, or the single file's bytes: handed
    // over as bytes, not as a data: address, which a slow phone took about
    // 90 ms longer to read.
    const source = font.file ? `url(${font.file})` : base64Bytes(font.data);
    const face = new FontFace(family, source, { unicodeRange });
    await face.load();
    document.fonts.add(face);
  }

  // What the first table does not show: the single file keeps it (the faces'
  // sheets, the whole fixed font, the help and the licence) in a block after
  // its scripts, read once the document is; the hosted copy's texts are a
  // file, its sheets and fonts files of their own.
  let later = null;
  function readLater() {
    later ??= (async () => {
      if (document.readyState === 'loading') {
        await new Promise((done) => document.addEventListener('DOMContentLoaded', done));
      }
      const block = document.getElementById('later');
      if (block) return JSON.parse(block.textContent);
      return (await fetch('bluffwick-texts.json')).json();
    })();
    return later;
  }

  // Each picture sheet decoded by the browser away from the page's thread
  // (an ImageBitmap of the PNG's bytes), started when first wanted: `bitmap`
  // once it is there; `decoded` settles then (or when it never will be).
  const sheets = [];
  // The single file's base64 (its policy lets the page fetch nothing, not
  // even a data: address), or a file of the hosted copy's own.
  async function sheetBytes(number) {
    const sheet = Assets.pictures.sheets[number] ?? (await readLater()).sheets[number];
    if (sheet.data) return new Blob([base64Bytes(sheet.data)], { type: 'image/png' });
    return (await fetch(sheet.file)).blob();
  }
  function sheet(number) {
    let entry = sheets[number];
    if (!entry) {
      entry = sheets[number] = { bitmap: null };
      entry.decoded = sheetBytes(number)
        .then((bytes) => createImageBitmap(bytes))
        .then((bitmap) => {
          entry.bitmap = bitmap;
        })
        .catch(() => {});
    }
    return entry;
  }

  // The module: the single file's bytes, or the hosted copy's file compiled
  // as it streams in (read whole first where the server names no wasm type).
  async function compile() {
    if (Assets.module) return WebAssembly.compile(base64Bytes(Assets.module));
    const file = () => fetch(Assets.moduleFile, { credentials: 'same-origin' });
    try {
      return await WebAssembly.compileStreaming(file());
    } catch {
      return WebAssembly.compile(await (await file()).arrayBuffer());
    }
  }

  // The table's fonts: the proportional one whole, the fixed one's ASCII for
  // the bet box. The whole fixed font, for the help, comes after the first
  // paint and takes over every character (the face added last wins); its
  // ASCII draws alike.
  const fonts = Promise.all([
    loadFont('Bluffwick PGothic', Assets.fonts.proportional),
    loadFont('Bluffwick Gothic', Assets.fonts.fixedAscii, 'U+20-7E'),
  ]);
  // The pictures every table shows: all but the faces.
  const pictures = Promise.all(
    Object.entries(Assets.pictures.index)
      .filter(([id]) => !(id in Assets.pictures.marks))
      .map(([, [number]]) => sheet(number).decoded),
  );
  const module = compile();
  // Left unhandled until the page waits on it.
  module.catch(() => {});
  return {
    fonts,
    sheet,
    pictures,
    module,
    later: readLater,
    laterFonts: async () =>
      loadFont('Bluffwick Gothic', Assets.fonts.fixed ?? (await readLater()).fonts.fixed),
  };
})();
