// The page around the game core: the table drawn on a canvas at the screen's
// resolution, the seven controls, the keys, the round timer, the menu, the
// table's accessible names and the match kept in the browser's storage. The
// game itself runs in the core; this shows its state and hands it the
// player's actions.
'use strict';

(() => {
  const Assets = BluffwickAssets;
  const shiftJis = new TextDecoder('shift_jis');
  const decode = (bytes) => shiftJis.decode(bytes);
  // Where things sit, which picture is which, the controls' ids: the core's
  // facts (WebTableFacts), read once the core is there.
  let Facts = null;
  // The table as the core keeps it (WebShownTable), read for each drawing.
  let shown = null;

  const surface = document.getElementById('surface');
  const context = surface.getContext('2d', { alpha: false });
  const tableElement = document.getElementById('table');
  const betBox = document.getElementById('betBox');
  const speechLive = document.getElementById('speechLive');
  // By the control's name ("StartButton"); their ids come with the facts.
  const controlElements = {};
  for (const element of document.querySelectorAll('[data-control]')) {
    controlElements[element.dataset.control] = element;
  }
  for (const button of document.querySelectorAll('button.caption')) {
    button.innerHTML = `<span>${button.innerHTML}</span>`;
  }

  // ---- Pictures: the program's own bitmaps, as small PNG sheets the browser
  // decodes. A sheet is fetched and decoded only once a table that shows it is
  // to be drawn, so the first paint decodes only what it shows.

  // A marked face: its white pixels (only its white index is pure white, the
  // build makes sure) in the mark's colour of its own table.
  function markedCanvas(bitmap, mark) {
    const canvas = document.createElement('canvas');
    canvas.width = bitmap.width;
    canvas.height = bitmap.height;
    const c = canvas.getContext('2d', { willReadFrequently: true });
    c.drawImage(bitmap, 0, 0);
    const image = c.getImageData(0, 0, bitmap.width, bitmap.height);
    const to = [1, 3, 5].map((at) => parseInt(mark.slice(at, at + 2), 16));
    const data = image.data;
    for (let i = 0; i < data.length; i += 4) {
      if (data[i] === 255 && data[i + 1] === 255 && data[i + 2] === 255) data.set(to, i);
    }
    c.putImageData(image, 0, 0);
    return canvas;
  }

  const shownPicture = (shownId) =>
    fourColour() ? (Assets.fourColour.faces[shownId] ?? shownId) : shownId;

  const bitmaps = {};
  const markedFaces = {};
  // The picture to draw, or null while its sheet is still on its way (the
  // table is drawn again when it comes).
  function picture(shownId, marked) {
    const id = shownPicture(shownId);
    if (!marked) return bitmaps[id] ?? (bitmaps[id] = cutPicture(id));
    const plain = picture(shownId, false);
    if (!plain) return null;
    return (markedFaces[id] ??= markedCanvas(plain, Assets.pictures.marks[id]));
  }

  const sheet = Assets.first.sheet;
  const sheetOf = (shownId) => Assets.pictures.index[shownPicture(shownId)][0];
  // The sheets of the given pictures, decoded.
  const loadPictures = (shownIds) => Promise.all(shownIds.map((id) => sheet(sheetOf(id)).decoded));
  const allPictures = () => Object.keys(Assets.pictures.index).map(Number);

  // A bitmap cut from its sheet (a copy at one to one) when first drawn, so
  // that a filtered scale never reaches into its neighbour's pixels; a canvas
  // even for a whole sheet, as browsers filter a canvas and an image apart.
  let redrawWanted = false;
  function cutPicture(id) {
    const [number, x, y, width, height] = Assets.pictures.index[id];
    const { bitmap, decoded } = sheet(number);
    if (!bitmap) {
      if (!redrawWanted) {
        redrawWanted = true;
        decoded.then(() => {
          redrawWanted = false;
          if (shown) drawTable(true);
        });
      }
      return null;
    }
    const canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    canvas.getContext('2d').drawImage(bitmap, x, y, width, height, 0, 0, width, height);
    return canvas;
  }

  // ---- The deck: the program's faces, or four colours (diamonds blue, clubs
  // green) where a suit is hard to tell by its colour. The player chooses it
  // in the menu; a system that asks for more contrast gets it regardless.
  // Switching only draws the table again: no step of the game runs.

  const DeckKey = 'bluffwick.deck';
  const FourColour = 'four';
  const contrastQueries = ['(prefers-contrast: more)', '(forced-colors: active)'].map((query) =>
    matchMedia(query),
  );
  const deckItem = document.getElementById('deckItem');
  let deckChosen = false;
  const systemAsks = () => contrastQueries.some((query) => query.matches);
  const fourColour = () => deckChosen || systemAsks();

  function showDeck() {
    deckItem.setAttribute('aria-checked', String(fourColour()));
    deckItem.setAttribute('aria-disabled', String(systemAsks()));
    if (shown) drawTable(true);
  }
  function chooseDeck() {
    deckChosen = !deckChosen;
    try {
      if (deckChosen) storage?.setItem(DeckKey, FourColour);
      else storage?.removeItem(DeckKey);
    } catch {
      // not kept: the deck holds for this visit
    }
    showDeck();
  }
  for (const query of contrastQueries) query.addEventListener('change', showDeck);

  // ---- The table the core keeps, drawn at any scale.

  let scale = 1; // device pixels per table pixel, for the piece being drawn
  let whole = 1; // the largest whole multiple of the table that fits the window
  // Null while the table shows as the program's window does; else where its
  // pieces and the controls go on this screen (BluffwickArrange).
  let arrangement = null;
  // The pieces of the table drawn: [left, top, right, bottom] of the table
  // picture, at (x, y) CSS pixels of #table, `scale` CSS pixels a table pixel.
  let blocks = [];

  const root = document.documentElement;
  const insetProbe = document.createElement('div');
  insetProbe.className = 'insetProbe';
  document.body.appendChild(insetProbe);

  // The page's one path to draw the table: at start, on every resize, turn
  // and change of device ratio. It runs no step of the game.
  function fitToWindow() {
    const [width, height] = Facts.visible;
    const coarse = matchMedia('(pointer: coarse)').matches;
    root.classList.remove('arranged');
    const menuBar = document.getElementById('menuBar');
    const fit = Math.min(innerWidth / width, (innerHeight - menuBar.offsetHeight) / height);
    whole = Math.floor(fit);
    arrangement = null;
    if (coarse || whole < 1) {
      root.classList.add('arranged');
      const menuHeight = menuBar.offsetHeight;
      const inset = getComputedStyle(insetProbe);
      const [top, right, bottom, left] = ['Top', 'Right', 'Bottom', 'Left'].map((side) =>
        parseFloat(inset[`padding${side}`]),
      );
      const Gap = BluffwickArrange.Gap;
      const area = {
        left: left + Gap,
        top: top + menuHeight + Gap,
        width: innerWidth - left - right - 2 * Gap,
        height: innerHeight - top - bottom - menuHeight - 2 * Gap,
      };
      arrangement = BluffwickArrange.arrange(area, coarse, Facts, Facts.mouthSize);
      if (arrangement) placeArrangement(area);
      else root.classList.remove('arranged');
    }
    if (!arrangement) {
      // Below its own size only where nothing else fits: scaled, not cut off.
      if (whole < 1) whole = fit;
      clearArrangement();
      root.style.setProperty('--k', String(whole));
      blocks = [{ piece: [0, 0, width, height], x: 0, y: 0, scale: whole }];
      surface.width = Math.round(width * whole * ratio());
      surface.height = Math.round(height * whole * ratio());
    }
    scale = blocks[0].scale * ratio();
    placeParts();
    drawTable();
  }

  const ratio = () => window.devicePixelRatio || 1;
  // Where a piece shows on the canvas, in whole device pixels [x, y, width, height].
  function blockPixels({ piece: [left, top, right, bottom], x, y, scale: k }) {
    const s = k * ratio();
    return [x * ratio(), y * ratio(), (right - left) * s, (bottom - top) * s].map(Math.round);
  }
  const px = (value) => `${value}px`;

  // #table takes the arranged area (for a whole table, the table itself);
  // the controls go where the arrangement says, in CSS pixels of #table.
  function placeArrangement(area) {
    let [x, y, width, height] = [0, 0, area.width, area.height];
    if (arrangement.kind === 'table') [x, y, width, height] = arrangement.table;
    Object.assign(tableElement.style, {
      left: px(area.left + x),
      top: px(area.top + y),
      width: px(width),
      height: px(height),
    });
    blocks = arrangement.blocks.map((block) => ({ ...block, x: block.x - x, y: block.y - y }));
    // The canvas ends where the pieces do (#table's green shows beyond): a
    // slow phone pays for its every pixel. Cut only at the right and bottom,
    // at a whole ratio, each piece is drawn and shown as on the whole area.
    const cut = Number.isInteger(ratio());
    const ends = blocks.map(blockPixels).map(([x, y, w, h]) => [x + w, y + h]);
    const [shownWidth, shownHeight] = [width, height].map((whole, k) =>
      cut ? Math.min(whole, Math.ceil(Math.max(...ends.map((end) => end[k])) / ratio())) : whole,
    );
    Object.assign(surface.style, { width: px(shownWidth), height: px(shownHeight) });
    surface.width = Math.round(shownWidth * ratio());
    surface.height = Math.round(shownHeight * ratio());
    // Captions grow with a table shown at twice its size or more.
    const k = arrangement.kind === 'table' ? arrangement.blocks[0].scale : 1;
    for (const [name, element] of Object.entries(controlElements)) {
      const [left, top, w, h] = arrangement.controls[name];
      element.style.fontSize = name === 'BetBox' ? px(28 * k) : px(Math.max(18, 13 * k));
      Object.assign(element.style, {
        left: px(left - x),
        top: px(top - y),
        width: px(w),
        height: px(h),
      });
    }
  }

  function clearArrangement() {
    for (const element of [tableElement, surface, ...Object.values(controlElements)]) {
      for (const property of ['left', 'top', 'width', 'height', 'fontSize'])
        element.style[property] = '';
    }
  }

  // The controls at their table rectangles, and the table's size and colour.
  function placeControls() {
    const style = document.documentElement.style;
    style.setProperty('--table-width', String(Facts.visible[0]));
    style.setProperty('--table-height', String(Facts.visible[1]));
    style.setProperty('--table-green', Facts.colours.table);
    for (const [name, element] of Object.entries(controlElements)) {
      const [left, top, right, bottom] = Facts.controls[name].rect;
      for (const [property, value] of [
        ['--x', left],
        ['--y', top],
        ['--w', right - left],
        ['--h', bottom - top],
      ]) {
        element.style.setProperty(property, String(value));
      }
    }
  }

  function drawPicture(id, x, y, marked) {
    const canvas = picture(id, marked);
    if (!canvas) return;
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
    const [left, top, right, bottom] = Facts.speech;
    fillTableRect(Facts.colours.speech, left, top, right, bottom);
    if (shown.speech.length === 0) return;
    const text = decode(Uint8Array.from(shown.speech));
    const metrics = Assets.speech;
    context.save();
    context.beginPath();
    context.rect(left * scale, top * scale, (right - left) * scale, (bottom - top) * scale);
    context.clip();
    context.fillStyle = Facts.colours.speechText;
    context.textBaseline = 'alphabetic';
    // Bold is asked for, but the Japanese face has no bold: the program draws it regular.
    context.font = `${fontPixels(metrics.height, Assets.proportional) * scale}px "Bluffwick PGothic"`;
    // Every text the core can say is listed (SpeechLinesTest); one that is not
    // breaks only where it says so, and is kept for the checks.
    let lines = Assets.speechLines[text];
    if (!lines) {
      lines = text.split('\n');
      window.bluffwick.unlistedSpeech.push(text);
    }
    lines.forEach((line, k) => {
      context.fillText(line, left * scale, (top + k * metrics.line + metrics.ascent) * scale);
    });
    context.restore();
  }

  function drawHandNames() {
    if (!shown.names[0] && !shown.names[1]) return;
    for (const side of [1, 0]) {
      const [left, top, right, bottom] = Facts.strips[side];
      fillTableRect(Facts.colours.strip, left, top, right, bottom);
    }
    const font = Facts.handNameFont;
    for (const side of [0, 1]) {
      const name = shown.names[side];
      if (!name) continue;
      // The program's font: its cell height, and so many pixels a character.
      const face = Assets.proportional;
      const size = fontPixels(font.height, face);
      const natural = (face.averageWidth * size) / face.unitsPerEm;
      const squeeze =
        (name.category === font.narrowCategory ? font.narrowWidth : font.width) / natural;
      const ascent = Math.round((font.height * face.ascent) / (face.ascent + face.descent));
      const [left, top] = Facts.strips[side];
      context.save();
      context.fillStyle = Facts.colours.handName;
      context.textBaseline = 'alphabetic';
      context.font = `${size * scale}px "Bluffwick PGothic"`;
      context.translate(left * scale, (top + ascent) * scale);
      context.scale(squeeze, 1);
      context.fillText(decode(Uint8Array.from(name.bytes)), 0, 0);
      context.restore();
    }
  }

  function drawCounter(value, top) {
    const pictures = Facts.pictures;
    drawPicture(
      value < 10 ? pictures.blankDigit : pictures.digitFirst + Math.floor(value / 10),
      Facts.moneyTensLeft,
      top,
    );
    drawPicture(pictures.digitFirst + (value % 10), Facts.moneyOnesLeft, top);
  }

  // The whole table as the core keeps it, from the table picture up: once
  // for each piece shown, clipped to it.
  // `again`: the table last read, drawn with other pictures; the core is not asked.
  function drawTable(again = false) {
    if (!again) shown = JSON.parse(coreText(core._WebShownTable()));
    if (arrangement) {
      context.fillStyle = Facts.colours.table;
      context.fillRect(0, 0, surface.width, surface.height);
    }
    for (const block of blocks) {
      scale = block.scale * ratio();
      context.save();
      if (arrangement) {
        const [left, top] = block.piece;
        const [x, y, w, h] = blockPixels(block);
        context.beginPath();
        context.rect(x, y, w, h);
        context.clip();
        context.translate(x - left * scale, y - top * scale);
      }
      drawPieces();
      context.restore();
    }
  }

  function drawPieces() {
    drawPicture(Facts.pictures.table, 0, 0);
    shown.slots.forEach(([pictureId, marked], slot) => {
      drawPicture(pictureId, Facts.slots[slot][0], Facts.slots[slot][1], marked);
    });
    drawCounter(shown.money[0], Facts.moneyTops[0]);
    drawCounter(shown.money[1], Facts.moneyTops[1]);
    for (const mouth of shown.mouths) drawPicture(mouth, Facts.mouthLeft, Facts.mouths[mouth].top);
    if (shown.speech) drawSpeech();
    drawHandNames();
  }

  // ---- What the core tells of its changes.

  let core = null;
  let timer = null;
  let timerPeriod = 0;
  let repaintPending = false;
  let speechChanged = false;
  // Bits of the core's TableChange.
  const PictureChanged = 1;
  const SpeechChanged = 2;
  const ControlsChanged = 4;
  const TimerChanged = 8;

  // RoundTimer repeats with its period until it is armed again or stopped, as
  // a window timer does; each tick is one step of the deal, kept at once.
  function fireTimer() {
    timer = setTimeout(fireTimer, timerPeriod);
    core._TickWebTimer();
    keep();
  }
  function stopTimer() {
    if (timer !== null) clearTimeout(timer);
    timer = null;
    timerPeriod = 0;
  }

  function showControls() {
    for (const [name, element] of Object.entries(controlElements)) {
      element.disabled = passive || !core._WebControlEnabled(Facts.controls[name].id);
    }
    betBox.value = coreText(core._WebBetBoxText());
  }

  // The picture is drawn from the core's state once a frame at most.
  const pageTable = {
    changed(what) {
      if (recordDialog.open) followRecord();
      if (what & SpeechChanged) speechChanged = true;
      if (what & ControlsChanged) showControls();
      if (what & TimerChanged) {
        // Armed again restarts the period; 0 stops it.
        stopTimer();
        const period = core._WebTimerPeriod();
        if (period > 0 && !passive) {
          timerPeriod = period;
          timer = setTimeout(fireTimer, period);
        }
      }
      if (what & PictureChanged && !repaintPending) {
        repaintPending = true;
        requestAnimationFrame(() => {
          repaintPending = false;
          drawTable();
          nameParts();
        });
      }
    },
  };

  // ---- The match kept in the browser: after every step the whole game is
  // stored, and a page opened again carries it on. The newest tab owns the
  // match: it writes its id on opening, and an older tab that sees it stops
  // playing and storing, so two tabs never write over each other's steps.

  const MatchKey = 'bluffwick.match';
  const OwnerKey = 'bluffwick.owner';
  const UnreadableKey = 'bluffwick.unreadable.';
  const tabId = `${Date.now()}-${Math.random().toString(36).slice(2)}`;
  let passive = false;
  let persistAsked = false;
  // Null where the browser gives the page no storage (a file in some
  // browsers, a private window): the match is then played without keeping.
  let storage = null;
  try {
    storage = window.localStorage;
    storage.getItem(MatchKey);
  } catch {
    storage = null;
  }
  deckChosen = storage?.getItem(DeckKey) === FourColour;

  function keep() {
    if (!storage || passive || !core) return;
    const begun = performance.now();
    try {
      if (storage.getItem(OwnerKey) !== tabId) {
        giveWay();
        return;
      }
      storage.setItem(MatchKey, coreText(core._WebSaveGame()));
    } catch {
      return; // storage full or refused: the match goes on, unkept
    }
    window.bluffwick.keepTimes.push(performance.now() - begun);
    if (!persistAsked) {
      persistAsked = true;
      navigator.storage?.persist?.().catch(() => {});
    }
  }

  // Another tab took the match: this one stops, and says how to come back.
  function giveWay() {
    if (passive) return;
    passive = true;
    stopTimer();
    showControls();
    document.getElementById('otherTab').hidden = false;
  }
  // Opened again, this tab takes the match back with the steps taken elsewhere.
  document.getElementById('takeOverButton').addEventListener('click', () => location.reload());
  addEventListener('storage', (event) => {
    if (event.key === OwnerKey && event.newValue !== tabId) giveWay();
    if (event.key === DeckKey) {
      deckChosen = event.newValue === FourColour;
      showDeck();
    }
  });

  // The stored match carried on, or a new one: a text that cannot be read is
  // kept aside under a key of its own, never dropped, and the player is told.
  function openMatch() {
    let stored = null;
    if (storage) {
      try {
        storage.setItem(OwnerKey, tabId);
        stored = storage.getItem(MatchKey);
      } catch {
        storage = null;
      }
    }
    if (stored !== null) {
      const bytes = new TextEncoder().encode(stored);
      let reason = 'the saved game is too long';
      if (bytes.length <= Facts.savedGameMostBytes) {
        core.HEAPU8.set(bytes, core._WebGameBuffer());
        reason = coreText(core._ResumeWebTable(bytes.length));
      }
      if (reason === '') return true;
      try {
        storage.setItem(UnreadableKey + Date.now(), stored);
        storage.removeItem(MatchKey);
      } catch {
        storage = null; // the unreadable text stays where it is
      }
      const message = document.querySelector('#pageMessages').content;
      window.bluffwick.resumeRefused = reason;
      setTimeout(() => {
        speechLive.textContent = `${message.querySelector('[data-message=unreadable]').textContent}（${reason}）`;
      }, 0);
    }
    core._OpenWebTable();
    keep();
    return false;
  }

  // ---- Words for those who cannot see the table.

  // A table rectangle where it shows in #table, through the piece that holds its middle.
  function onScreen([left, top, right, bottom]) {
    const [x, y] = [(left + right) / 2, (top + bottom) / 2];
    const block = blocks.find(
      ({ piece }) => x >= piece[0] && x < piece[2] && y >= piece[1] && y < piece[3],
    );
    if (!block) return null;
    const at = (value, from, to) => block[to] + (value - block.piece[from]) * block.scale;
    return [at(left, 0, 'x'), at(top, 1, 'y'), at(right, 0, 'x'), at(bottom, 1, 'y')];
  }

  // A point of #table (CSS pixels) as the table pixel shown there, or null.
  function tablePoint(x, y) {
    for (const { piece, x: left, y: top, scale: s } of blocks) {
      const [tx, ty] = [piece[0] + (x - left) / s, piece[1] + (y - top) / s];
      if (tx >= piece[0] && tx < piece[2] && ty >= piece[1] && ty < piece[3])
        return [Math.floor(tx), Math.floor(ty)];
    }
    return null;
  }

  const partElements = [];
  function placeParts() {
    const holder = document.getElementById('parts');
    Facts.parts.forEach((rect, part) => {
      let element = partElements[part];
      if (!element) {
        element = document.createElement('div');
        element.setAttribute('role', 'img');
        holder.appendChild(element);
        partElements[part] = element;
      }
      const [left, top, right, bottom] = onScreen(rect) ?? [0, 0, 0, 0];
      Object.assign(element.style, {
        left: px(left),
        top: px(top),
        width: px(right - left),
        height: px(bottom - top),
      });
    });
  }
  function coreText(pointer) {
    const end = core.HEAPU8.indexOf(0, pointer);
    return decode(core.HEAPU8.subarray(pointer, end));
  }
  function nameParts() {
    for (let part = 0; part < partElements.length; ++part) {
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

  // Every action goes to the core's one input entry, which refuses what the
  // step has not enabled; each one taken is kept.
  const PressInput = 0;
  const MarkInput = 1;
  const KeyInput = 2;
  const Keys = { enter: 0, card: 1, fold: 2, up: 3, down: 4 };
  function act(kind, value, key = 0, repeat = false) {
    if (passive || !core) return;
    if (core._TakeWebInput(kind, value, key, repeat ? 1 : 0)) keep();
  }
  const press = (name) => act(PressInput, Facts.controls[name].id);
  const pressKey = (key, event, position = 0) => act(KeyInput, position, key, event.repeat);
  for (const [name, element] of Object.entries(controlElements)) {
    if (element.tagName === 'BUTTON') element.addEventListener('click', () => press(name));
  }

  // A click or a touch on the table, mapped back to table pixels; the
  // controls above it take their own.
  tableElement.addEventListener('pointerdown', (event) => {
    if (event.button !== 0 || event.target.closest('.control')) return;
    const box = tableElement.getBoundingClientRect();
    const point = tablePoint(event.clientX - box.left, event.clientY - box.top);
    if (!point) return;
    const [x, y] = point;
    if (x < 0 || y < 0 || x >= Facts.visible[0] || y >= Facts.visible[1]) return;
    event.preventDefault();
    const position = core._WebPlayerSlot(x, y);
    if (position >= 0) act(MarkInput, position);
  });

  const helpDialog = document.getElementById('helpDialog');
  const aboutDialog = document.getElementById('aboutDialog');
  const helpMenu = document.getElementById('helpMenu');
  const helpMenuButton = document.getElementById('helpMenuButton');
  const newMatchDialog = document.getElementById('newMatchDialog');
  const dialogOpen = () =>
    helpDialog.open ||
    aboutDialog.open ||
    newMatchDialog.open ||
    recordDialog.open ||
    !helpMenu.hidden;

  // The program's keys, handed to the core as they come: it decides which
  // acts in this step and which may repeat. F1 stays the page's own.
  document.addEventListener('keydown', (event) => {
    if (dialogOpen() || event.altKey || event.metaKey) return;
    const ctrl = event.ctrlKey;
    const digit = /^(Digit|Numpad)([1-5])$/.exec(event.code);
    if (digit && !ctrl) {
      event.preventDefault();
      pressKey(Keys.card, event, Number(digit[2]) - 1);
      return;
    }
    switch (event.code) {
      case 'Enter':
      case 'NumpadEnter':
        event.preventDefault();
        pressKey(Keys.enter, event);
        return;
      case 'ArrowUp':
      case 'NumpadAdd':
        event.preventDefault();
        pressKey(Keys.up, event);
        return;
      case 'ArrowDown':
      case 'NumpadSubtract':
        event.preventDefault();
        pressKey(Keys.down, event);
        return;
      case 'KeyF':
        if (ctrl) return;
        event.preventDefault();
        pressKey(Keys.fold, event);
        return;
      case 'F1':
        event.preventDefault();
        if (!event.repeat) showHelp();
        return;
      case 'KeyR':
        if (ctrl) return;
        event.preventDefault();
        if (!event.repeat) showRecord();
        return;
      default:
        // "+" and "-" as typed, whatever the layout puts them on.
        if (!ctrl && (event.key === '+' || event.key === '-') && !event.code.startsWith('Numpad')) {
          event.preventDefault();
          pressKey(event.key === '+' ? Keys.up : Keys.down, event);
        }
    }
  });

  // Ctrl+C with nothing selected copies the table as text, then the record.
  document.addEventListener('copy', (event) => {
    const selection = document.getSelection();
    if (dialogOpen() || (selection && !selection.isCollapsed)) return;
    let text = coreText(core._WebTableText());
    if (core._WebMatchDealCount() > 0) text += `\r\n${coreText(core._WebMatchRecord())}`;
    event.clipboardData.setData('text/plain', text);
    event.preventDefault();
  });

  // ---- The record of the match: a paragraph a deal, as the core words it,
  // kept in step with the game while it is shown. A deal already listed is
  // left alone, so a screen reader reading it is not sent back to the top.

  const recordDialog = document.getElementById('recordDialog');
  const recordList = document.getElementById('recordList');
  let recordPending = false;
  function showRecord() {
    closeMenu();
    if (!core) return;
    fillRecord();
    recordDialog.showModal();
    // The newest deal in sight; the heading still comes first to a screen reader.
    recordList.scrollTop = recordList.scrollHeight;
  }
  function fillRecord() {
    const words = coreText(core._WebMatchRecord());
    const none = core._WebMatchDealCount() === 0;
    // Before the first deal the core says so in a line of its own.
    const deals = none
      ? []
      : words
          .split(/\r\n\r\n/)
          .map((deal) => deal.replace(/(\r\n)+$/, ''))
          .filter((deal) => deal !== '');
    deals.forEach((deal, k) => {
      let item = recordList.children[k];
      if (item?.dataset.words === deal) return;
      if (!item) item = recordList.appendChild(document.createElement('li'));
      item.dataset.words = deal;
      item.replaceChildren(
        ...deal.split('\r\n').map((line) => {
          const paragraph = document.createElement('p');
          paragraph.textContent = line;
          return paragraph;
        }),
      );
    });
    while (recordList.children.length > deals.length) recordList.lastElementChild.remove();
    const noneShown = document.getElementById('recordNone');
    noneShown.textContent = none ? words.trim() : '';
    noneShown.hidden = !none;
  }
  // Told of a change in the middle of a step: read once the step is over.
  function followRecord() {
    if (recordPending) return;
    recordPending = true;
    queueMicrotask(() => {
      recordPending = false;
      if (recordDialog.open) fillRecord();
    });
  }

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
  document.getElementById('recordItem').addEventListener('click', showRecord);
  // Kept on while the system asks for it: the item then does nothing.
  deckItem.addEventListener('click', () => {
    if (systemAsks()) return;
    closeMenu();
    chooseDeck();
  });
  document.getElementById('newMatchItem').addEventListener('click', () => {
    closeMenu();
    newMatchDialog.showModal();
  });
  // A new match, as the page opens one: seeded from the clock, greeted, kept.
  document.getElementById('newMatchYes').addEventListener('click', () => {
    newMatchDialog.close();
    if (passive || !core) return;
    core._OpenWebTable();
    pageTable.changed(PictureChanged | SpeechChanged | ControlsChanged | TimerChanged);
    keep();
  });
  for (const button of document.querySelectorAll('.closeDialog')) {
    button.addEventListener('click', () => button.closest('dialog').close());
  }

  // The help and the font's licence, wanted only once the table is up.
  async function loadLaterTexts() {
    const texts = await Assets.first.later();
    document.getElementById('helpText').textContent = texts.help;
    document.getElementById('fontLicence').textContent = texts.licence;
  }

  // ---- Start: the pictures and the font, the table picture, then the game,
  // seeded from the clock as the program is.

  // The core's record of table operations, one line each, only when a check
  // asks for it by opening the page as bluffwick.html#record.
  const record = location.hash === '#record' ? [] : null;
  function takeRecord() {
    for (const line of coreText(core._WebTakeRecord()).split('\n')) if (line) record.push(line);
    return record;
  }
  async function start() {
    const clock = {
      seconds: () => {
        const seconds = Math.floor(Date.now() / 1000);
        // A check that cannot stop the page's clock replays the seconds read.
        if (record) window.bluffwick.clockReads.push(seconds);
        return seconds;
      },
      hour: () => new Date().getHours(),
    };
    // The fonts, the pictures every table shows and the module, started in
    // the page's head (first_loads.js).
    const first = Assets.first;
    const decoded = Promise.all([first.fonts, first.pictures]);
    // The core instantiates the module compiled there; a module that cannot
    // be had fails the start (the core would wait for it forever).
    let moduleFailed;
    const noModule = new Promise((_, reject) => (moduleFailed = reject));
    const instantiateWasm = (imports, receive) => {
      first.module
        .then((module) => WebAssembly.instantiate(module, imports))
        .then((instance) => receive(instance))
        .catch(moduleFailed);
      return {};
    };
    [core] = await Promise.race([
      Promise.all([BluffwickCore({ table: pageTable, clock, instantiateWasm }), decoded]),
      noModule,
    ]);
    Facts = JSON.parse(coreText(core._WebTableFacts()));
    placeControls();
    showDeck();
    window.bluffwick.openedAt = { seconds: clock.seconds(), hour: clock.hour() };
    if (record) core._WebStartRecord();
    window.bluffwick.resumed = openMatch();
    // The window shows from here, laid out once with the table's fonts: not
    // also while the scripts load, with stand-in fonts, which a slow phone
    // paid for before the table.
    root.dataset.opened = '';
    // The faces the opened table shows.
    const slots = JSON.parse(coreText(core._WebShownTable())).slots;
    await loadPictures(slots.map(([id]) => id));
    fitToWindow();
    addEventListener('resize', fitToWindow);
    // A pointer that changes between mouse and finger (a tablet's keyboard
    // taken off) arranges the page again.
    matchMedia('(pointer: coarse)').addEventListener('change', fitToWindow);
    // A new devicePixelRatio (zoom, another monitor) draws the table again.
    const watchRatio = () => {
      matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener(
        'change',
        () => {
          fitToWindow();
          watchRatio();
        },
        { once: true },
      );
    };
    watchRatio();
    nameParts();
    window.bluffwick.paintedAt = performance.now();
    // The rest waits until the browser has shown the table: begun in the same
    // task, it held that frame back by about 170 ms on a slow phone. A
    // background task, not a frame or a timer: Chromium's checks hold those.
    // Engines without one have their clock left free, so a timeout does.
    await new Promise((go) =>
      globalThis.scheduler?.postTask
        ? scheduler.postTask(go, { priority: 'background' })
        : setTimeout(go),
    );
    await Promise.all([loadLaterTexts(), first.laterFonts(), loadPictures(allPictures())]);
    // The hosted copy (it names a manifest) keeps its files for offline play;
    // the single file opened from disk has nothing to keep.
    if (document.querySelector('link[rel=manifest]') && 'serviceWorker' in navigator) {
      navigator.serviceWorker.register('sw.js').catch(() => {});
    }
    window.bluffwick.ready = true;
    document.documentElement.dataset.ready = 'true';
  }

  // For the tests: the record of operations and a look at the state.
  window.bluffwick = {
    ready: false,
    get record() {
      return record && core ? takeRecord() : record;
    },
    resumed: false, // the match was carried on from storage
    resumeRefused: null, // why a stored match could not be carried on
    keepTimes: [], // ms each store took
    clockReads: [], // with #record: every reading of the clock in seconds, in order
    timerRunning: () => timer !== null,
    unlistedSpeech: [], // texts the table of the program's line breaks did not have
    tableText: () => coreText(core._WebTableText()),
    fourColour,
    // Pictures whose sheet has not been decoded (none, once the page is ready).
    undecoded: () => allPictures().filter((id) => !sheet(Assets.pictures.index[id][0]).bitmap),
    shown: () => JSON.parse(coreText(core._WebShownTable())),
    scale: () => scale,
    arrangement: () => arrangement && arrangement.kind,
  };
  // A core that cannot start still leaves the page to be seen.
  start().catch((error) => {
    root.dataset.opened = '';
    throw error;
  });
})();
