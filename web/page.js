// The page around the game core: the table drawn on a canvas at the screen's
// resolution, the seven controls, the keys, the round timer, the menu and the
// table's accessible names. The game itself runs in the core; this only shows
// what it asks for and hands it the player's actions.
'use strict';

(() => {
  const Assets = BluffwickAssets;
  const ClientWidth = 634;
  const ClientHeight = 436;

  // Where things sit on the table, in table pixels, as the program has them.
  const Layout = {
    slotLeft: (slot) => 200 + 85 * (slot % 5),
    slotTop: (slot) => (slot < 5 ? 20 : 310),
    cardWidth: 76,
    cardHeight: 108,
    moneyTensLeft: 552,
    moneyOnesLeft: 584,
    moneyTop: [149, 248],  // computer, player
    mouthLeft: 15,
    mouthTop: { 182: 7, 183: 10, 184: 5 },
    speech: { left: 23, top: 130, right: 165, bottom: 280 },
    stripLeft: 300,
    stripRight: 540,
    stripHeight: 35,
    stripTop: [155, 255],  // computer, player
  };
  const Picture = { table: 101, cardFirst: 102, back: 154, blankDigit: 166, digitFirst: 167, empty: 178 };
  const FaceWhiteIndex = 1;
  const MarkCyanIndex = 7;
  const Control = { start: 100, change: 101, up: 102, down: 103, ok: 104, fold: 105, betBox: 106 };
  const RoundSelecting = 1;

  const surface = document.getElementById('surface');
  const context = surface.getContext('2d', { alpha: false });
  const tableElement = document.getElementById('table');
  const betBox = document.getElementById('betBox');
  const speechLive = document.getElementById('speechLive');
  const controlElements = {};
  for (const element of document.querySelectorAll('[data-control]')) {
    controlElements[Number(element.dataset.control)] = element;
  }
  controlElements[Control.betBox] = betBox;
  for (const button of document.querySelectorAll('button.caption')) {
    button.innerHTML = `<span>${button.innerHTML}</span>`;
  }

  // ---- Pictures: the program's own bitmaps, decoded from their palettes.

  function base64Bytes(text) {
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return bytes;
  }

  async function gunzip(bytes) {
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  // An 8-bit (or 4-bit) palette BMP: its indices, top row first, and its colours.
  function decodeBmp(bytes) {
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    const pixelsAt = view.getUint32(10, true);
    const headerSize = view.getUint32(14, true);
    const width = view.getInt32(18, true);
    const rawHeight = view.getInt32(22, true);
    const bits = view.getUint16(28, true);
    const colourCount = view.getUint32(46, true) || 1 << bits;
    const height = Math.abs(rawHeight);
    const palette = [];
    for (let i = 0; i < colourCount; ++i) {
      const at = 14 + headerSize + 4 * i;
      palette.push([bytes[at + 2], bytes[at + 1], bytes[at]]);
    }
    const stride = Math.ceil((width * bits) / 32) * 4;
    const indices = new Uint8Array(width * height);
    for (let y = 0; y < height; ++y) {
      const row = pixelsAt + stride * (rawHeight > 0 ? height - 1 - y : y);
      for (let x = 0; x < width; ++x) {
        indices[y * width + x] =
          bits === 8 ? bytes[row + x] : (bytes[row + (x >> 1)] >> (x & 1 ? 0 : 4)) & 15;
      }
    }
    return { width, height, palette, indices };
  }

  // The picture as a canvas of its own, at one device pixel per table pixel;
  // `swap` recolours one palette index as another (the selection mark).
  function pictureCanvas(bmp, swap) {
    const canvas = document.createElement('canvas');
    canvas.width = bmp.width;
    canvas.height = bmp.height;
    const c = canvas.getContext('2d');
    const image = c.createImageData(bmp.width, bmp.height);
    for (let i = 0; i < bmp.indices.length; ++i) {
      let index = bmp.indices[i];
      if (swap && index === swap.from) index = swap.to;
      const [r, g, b] = bmp.palette[index];
      image.data.set([r, g, b, 255], i * 4);
    }
    c.putImageData(image, 0, 0);
    return canvas;
  }

  const bitmaps = {};
  const pictures = {};
  const markedFaces = {};
  function picture(id, marked) {
    if (!marked) return (pictures[id] ??= pictureCanvas(bitmaps[id]));
    return (markedFaces[id] ??= pictureCanvas(bitmaps[id], { from: FaceWhiteIndex, to: MarkCyanIndex }));
  }

  async function loadPictures() {
    const all = await gunzip(base64Bytes(Assets.pictures.data));
    for (const [id, offset, length] of Assets.pictures.index) {
      bitmaps[id] = decodeBmp(all.subarray(offset, offset + length));
    }
  }

  async function loadFonts() {
    for (const [family, data] of [['Bluffwick PGothic', Assets.fonts.proportional],
      ['Bluffwick Gothic', Assets.fonts.fixed]]) {
      const face = new FontFace(family, base64Bytes(data).buffer);
      await face.load();
      document.fonts.add(face);
    }
  }

  // ---- What the table shows, kept so that it can be drawn again at any scale.

  const shown = {
    slots: Array.from({ length: 10 }, () => ({ picture: Picture.back, card: -1 })),
    marked: new Array(52).fill(false),
    mouths: [183],
    money: [20, 20],
    speech: null,  // Shift-JIS bytes, or null for the table picture's own bubble
    names: [null, null],  // { category, bytes } by side
  };

  let scale = 1;  // device pixels per table pixel
  let whole = 1;  // the largest whole multiple of the table that fits the window

  function fitToWindow() {
    const menuHeight = document.getElementById('menuBar').offsetHeight;
    whole = Math.max(1, Math.floor(Math.min(innerWidth / ClientWidth, (innerHeight - menuHeight) / ClientHeight)));
    document.documentElement.style.setProperty('--k', String(whole));
    scale = whole * (window.devicePixelRatio || 1);
    surface.width = Math.round(ClientWidth * scale);
    surface.height = Math.round(ClientHeight * scale);
    placeParts();
    drawTable();
  }

  function drawPicture(id, x, y, marked) {
    const canvas = picture(id, marked);
    // Whole scales repeat each pixel exactly; other scales are filtered.
    context.imageSmoothingEnabled = !Number.isInteger(scale);
    context.imageSmoothingQuality = 'high';
    context.drawImage(canvas, x * scale, y * scale, canvas.width * scale, canvas.height * scale);
  }

  function fillTableRect(colour, left, top, right, bottom) {
    context.fillStyle = colour;
    context.fillRect(left * scale, top * scale, (right - left) * scale, (bottom - top) * scale);
  }

  // GDI's font height is the cell (ascent plus descent); the canvas takes the em.
  function fontPixels(cellHeight, font) {
    return (cellHeight * font.unitsPerEm) / (font.ascent + font.descent);
  }

  function drawSpeech() {
    const box = Layout.speech;
    fillTableRect('#ffffff', box.left, box.top, box.right, box.bottom);
    if (!shown.speech || shown.speech.length === 0) return;
    const text = TableRecord.decode(shown.speech);
    const metrics = Assets.speech;
    context.save();
    context.beginPath();
    context.rect(box.left * scale, box.top * scale, (box.right - box.left) * scale, (box.bottom - box.top) * scale);
    context.clip();
    context.fillStyle = '#000000';
    context.textBaseline = 'alphabetic';
    // Bold is asked for, but the Japanese face has no bold: the program draws it regular.
    context.font = `${fontPixels(metrics.height, Assets.proportional) * scale}px "Bluffwick PGothic"`;
    let lines = Assets.speechLines[text];
    if (!lines) {
      lines = breakSpeech(text);
      window.bluffwick.unlistedSpeech.push(text);
    }
    lines.forEach((line, k) => {
      context.fillText(line, box.left * scale, (box.top + k * metrics.line + metrics.ascent) * scale);
    });
    context.restore();
  }

  // A text the table of lines does not know (none should reach here): broken
  // as the program breaks it, at "\n", after the last space that fits, or
  // inside a word too long for the line.
  function breakSpeech(text) {
    const width = (Layout.speech.right - Layout.speech.left) * scale;
    const lines = [];
    for (const paragraph of text.split('\n')) {
      let rest = paragraph;
      do {
        let fit = 0;
        while (fit < rest.length && context.measureText(rest.slice(0, fit + 1)).width <= width) ++fit;
        if (fit === rest.length) {
          lines.push(rest);
          break;
        }
        let cut = rest.lastIndexOf(' ', fit);
        if (cut <= 0) cut = Math.max(fit, 1);
        lines.push(rest.slice(0, cut));
        rest = rest.slice(cut).replace(/^ +/, '');
      } while (rest.length > 0);
    }
    return lines;
  }

  function drawHandNames() {
    if (!shown.names[0] && !shown.names[1]) return;
    for (const side of [1, 0]) {
      const top = Layout.stripTop[side];
      fillTableRect('#c2c2c2', Layout.stripLeft, top, Layout.stripRight, top + Layout.stripHeight);
    }
    for (const side of [0, 1]) {
      const name = shown.names[side];
      if (!name) continue;
      // The 28-pixel font, 10 pixels a character (8 for the longest name).
      const font = Assets.proportional;
      const size = fontPixels(28, font);
      const natural = (font.averageWidth * size) / font.unitsPerEm;
      const squeeze = (name.category === 10 ? 8 : 10) / natural;
      const ascent = Math.round((28 * font.ascent) / (font.ascent + font.descent));
      context.save();
      context.fillStyle = '#0000ff';
      context.textBaseline = 'alphabetic';
      context.font = `${size * scale}px "Bluffwick PGothic"`;
      context.translate(Layout.stripLeft * scale, (Layout.stripTop[side] + ascent) * scale);
      context.scale(squeeze, 1);
      context.fillText(TableRecord.decode(name.bytes), 0, 0);
      context.restore();
    }
  }

  function drawCounter(value, top) {
    drawPicture(value < 10 ? Picture.blankDigit : Picture.digitFirst + Math.floor(value / 10), Layout.moneyTensLeft, top);
    drawPicture(Picture.digitFirst + (value % 10), Layout.moneyOnesLeft, top);
  }

  // The whole table from what it shows, as the program draws it at a new scale.
  function drawTable() {
    if (!bitmaps[Picture.table]) return;
    drawPicture(Picture.table, 0, 0);
    shown.slots.forEach((slot, k) => {
      const marked = slot.card >= 0 && shown.marked[slot.card] && slot.picture !== Picture.back &&
        slot.picture !== Picture.empty;
      drawPicture(slot.picture, Layout.slotLeft(k), Layout.slotTop(k), marked);
    });
    drawCounter(shown.money[0], Layout.moneyTop[0]);
    drawCounter(shown.money[1], Layout.moneyTop[1]);
    for (const mouth of shown.mouths) drawPicture(mouth, Layout.mouthLeft, Layout.mouthTop[mouth]);
    if (shown.speech) drawSpeech();
    drawHandNames();
  }

  // ---- The table operations the core asks for.

  let core = null;
  let timer = null;
  let timerPeriod = 0;
  let repaintPending = false;
  let speechChanged = false;

  // RoundTimer repeats with its period until it is armed again or stopped, as
  // a window timer does; each tick is one step of the deal.
  function fireTimer() {
    timer = setTimeout(fireTimer, timerPeriod);
    core._TickWebTimer();
  }
  function stopTimer() {
    if (timer !== null) clearTimeout(timer);
    timer = null;
    timerPeriod = 0;
  }

  const setSlot = (slot, pictureId, card) => {
    if (slot >= 0 && slot < 10) shown.slots[slot] = { picture: pictureId, card };
  };

  const pageTable = {
    showSpeech(bytes) {
      shown.speech = bytes;
      speechChanged = true;
    },
    clearSpeech() { shown.speech = new Uint8Array(0); },
    drawMouth(mouth) {
      shown.mouths = shown.mouths.filter((m) => m !== mouth).concat([mouth]);
    },
    drawCardFace(slot, card) { setSlot(slot, Picture.cardFirst + card, card); },
    drawCardBack(slot) { setSlot(slot, Picture.back, -1); },
    drawEmptySlot(slot) { setSlot(slot, Picture.empty, -1); },
    drawMoney(computerMoney, playerMoney) { shown.money = [computerMoney, playerMoney]; },
    showHandName(side, category, bytes) { shown.names[side] = { category, bytes }; },
    markCard(slot, card, marked) {
      shown.marked[card] = marked;
      setSlot(slot, Picture.cardFirst + card, card);
    },
    clearCardMark(card) { shown.marked[card] = false; },
    clearHandNames() { shown.names = [null, null]; },
    requestRepaint() {
      if (repaintPending) return;
      repaintPending = true;
      requestAnimationFrame(() => {
        repaintPending = false;
        drawTable();
        nameParts();
      });
    },
    enableControl(control, enabled) {
      const element = controlElements[control];
      if (element) element.disabled = !enabled;
    },
    armRoundTimer(milliseconds) {
      stopTimer();
      timerPeriod = milliseconds;
      timer = setTimeout(fireTimer, milliseconds);
    },
    stopRoundTimer() { stopTimer(); },
    readBetBoxText() { return betBox.value; },
    writeBetBoxText(bytes) { betBox.value = String.fromCharCode(...bytes); },
  };

  // ---- Words for those who cannot see the table.

  const PartCount = 15;
  const partElements = [];
  function partRect(part) {
    if (part === 0) return [Layout.speech.left, Layout.speech.top, 142, 150];
    if (part <= 10) {
      const slot = part - 1;
      return [Layout.slotLeft(slot), Layout.slotTop(slot), Layout.cardWidth, Layout.cardHeight];
    }
    if (part <= 12) return [Layout.stripLeft, Layout.stripTop[part - 11], 240, Layout.stripHeight];
    return [Layout.moneyTensLeft, Layout.moneyTop[part - 13], 65, 44];
  }
  function placeParts() {
    const holder = document.getElementById('parts');
    for (let part = 0; part < PartCount; ++part) {
      let element = partElements[part];
      if (!element) {
        element = document.createElement('div');
        element.setAttribute('role', 'img');
        holder.appendChild(element);
        partElements[part] = element;
      }
      const [x, y, w, h] = partRect(part);
      Object.assign(element.style, {
        left: `${x * whole}px`, top: `${y * whole}px`, width: `${w * whole}px`, height: `${h * whole}px`,
      });
    }
  }
  function coreText(pointer) {
    const end = core.HEAPU8.indexOf(0, pointer);
    return TableRecord.decode(core.HEAPU8.subarray(pointer, end));
  }
  function nameParts() {
    for (let part = 0; part < PartCount; ++part) {
      partElements[part].setAttribute('aria-label', coreText(core._WebTablePartName(part)));
    }
    if (speechChanged) {
      speechChanged = false;
      // Said again even when the words repeat: the region is emptied first.
      speechLive.textContent = '';
      speechLive.textContent = coreText(core._WebTablePartName(0));
    }
  }

  // ---- The player's actions.

  const enabled = (control) => !controlElements[control].disabled;
  function press(control) {
    if (enabled(control)) core._PressWebControl(control);
  }
  for (const [id, element] of Object.entries(controlElements)) {
    if (element.tagName === 'BUTTON') element.addEventListener('click', () => press(Number(id)));
  }

  // A click or a touch on the table, mapped back to table pixels; the
  // controls above it take their own.
  tableElement.addEventListener('pointerdown', (event) => {
    if (event.button !== 0 || event.target.closest('.control')) return;
    const box = tableElement.getBoundingClientRect();
    const x = Math.floor((event.clientX - box.left) / whole);
    const y = Math.floor((event.clientY - box.top) / whole);
    if (x < 0 || y < 0 || x >= ClientWidth || y >= ClientHeight) return;
    event.preventDefault();
    core._ClickWebTable(x, y);
  });

  const helpDialog = document.getElementById('helpDialog');
  const aboutDialog = document.getElementById('aboutDialog');
  const helpMenu = document.getElementById('helpMenu');
  const helpMenuButton = document.getElementById('helpMenuButton');
  const dialogOpen = () => helpDialog.open || aboutDialog.open || !helpMenu.hidden;

  // The program's keys: each acts only while its control is enabled, so none
  // acts during the computer's timed steps; only the arrows repeat.
  document.addEventListener('keydown', (event) => {
    if (dialogOpen() || event.altKey || event.metaKey) return;
    const once = !event.repeat;
    const ctrl = event.ctrlKey;
    const digit = /^(Digit|Numpad)([1-5])$/.exec(event.code);
    if (digit && !ctrl) {
      event.preventDefault();
      if (once && core._WebRoundState() === RoundSelecting) {
        const slot = 5 + Number(digit[2]) - 1;
        core._ClickWebTable(Layout.slotLeft(slot), Layout.slotTop(slot));
      }
      return;
    }
    switch (event.code) {
    case 'Enter':
    case 'NumpadEnter':
      event.preventDefault();
      if (once) {
        const main = [Control.start, Control.change, Control.ok].find(enabled);
        if (main) press(main);
      }
      return;
    case 'ArrowUp':
    case 'NumpadAdd':
      event.preventDefault();
      press(Control.up);
      return;
    case 'ArrowDown':
    case 'NumpadSubtract':
      event.preventDefault();
      press(Control.down);
      return;
    case 'KeyF':
      if (ctrl) return;
      event.preventDefault();
      if (once) press(Control.fold);
      return;
    case 'F1':
      event.preventDefault();
      if (once) showHelp();
      return;
    default:
      // "+" and "-" as typed, whatever the layout puts them on.
      if (!ctrl && (event.key === '+' || event.key === '-') && !event.code.startsWith('Numpad')) {
        event.preventDefault();
        press(event.key === '+' ? Control.up : Control.down);
      }
    }
  });

  // Ctrl+C with nothing selected copies the table as text.
  document.addEventListener('copy', (event) => {
    const selection = document.getSelection();
    if (dialogOpen() || (selection && !selection.isCollapsed)) return;
    event.clipboardData.setData('text/plain', coreText(core._WebTableText()));
    event.preventDefault();
  });

  // ---- The menu: Help and About in dialogs, the home page in a new tab.

  function closeMenu() {
    helpMenu.hidden = true;
    helpMenuButton.setAttribute('aria-expanded', 'false');
  }
  function showHelp() {
    closeMenu();
    helpDialog.showModal();
  }
  helpMenuButton.addEventListener('click', () => {
    const open = helpMenu.hidden;
    helpMenu.hidden = !open;
    helpMenuButton.setAttribute('aria-expanded', String(open));
    if (open) helpMenu.querySelector('[role=menuitem]').focus();
  });
  helpMenu.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') {
      closeMenu();
      helpMenuButton.focus();
    }
  });
  document.addEventListener('pointerdown', (event) => {
    if (!event.target.closest('#menuBar')) closeMenu();
  });
  document.getElementById('helpItem').addEventListener('click', showHelp);
  document.getElementById('aboutItem').addEventListener('click', () => {
    closeMenu();
    aboutDialog.showModal();
  });
  document.getElementById('homePageItem').addEventListener('click', closeMenu);
  for (const button of document.querySelectorAll('.closeDialog')) {
    button.addEventListener('click', () => button.closest('dialog').close());
  }
  document.getElementById('helpText').textContent = Assets.help;
  document.getElementById('fontLicence').textContent = Assets.licence;

  // ---- Start: the pictures and the font, the table picture, then the game,
  // seeded from the clock as the program is.

  const record = [];
  async function start() {
    const clock = {
      seconds: () => Math.floor(Date.now() / 1000),
      hour: () => new Date().getHours(),
    };
    // The module compiles while the pictures and fonts are decoded.
    const compiled = BluffwickCore({ table: TableRecord.recording(pageTable, record), clock });
    await Promise.all([loadPictures(), loadFonts()]);
    fitToWindow();
    core = await compiled;
    window.bluffwick.openedAt = { seconds: clock.seconds(), hour: clock.hour() };
    core._OpenWebTable();
    addEventListener('resize', fitToWindow);
    // A new devicePixelRatio (zoom, another monitor) draws the table again.
    const watchRatio = () => {
      matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => {
        fitToWindow();
        watchRatio();
      }, { once: true });
    };
    watchRatio();
    drawTable();
    nameParts();
    window.bluffwick.paintedAt = performance.now();
    window.bluffwick.ready = true;
    document.documentElement.dataset.ready = 'true';
  }

  // For the tests: the record of operations and a look at the state.
  window.bluffwick = {
    ready: false,
    record,
    roundState: () => core._WebRoundState(),
    timerRunning: () => timer !== null,
    unlistedSpeech: [],  // texts the table of the program's line breaks did not have
    tableText: () => coreText(core._WebTableText()),
    shown,
    scale: () => scale,
  };
  start();
})();
