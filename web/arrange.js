// Where the table's parts go on a screen the program's own window does not
// suit: a phone held upright or sideways, a tablet, a window too small for the
// table, or any screen touched by a finger. Pure arithmetic on the core's
// facts, so the page and its checks ask the same question the same way.
'use strict';

const BluffwickArrange = (() => {
  const Gap = 8; // between controls, and around the arrangement
  const Finger = 44; // the least a finger can be asked to hit
  const SpeechScale = 0.82; // the speech's 16-pixel cell then gives a 12-pixel em
  const CardScale = 40 / 76; // a card no narrower than 40 pixels
  const MostScale = 3;
  // The pieces arranged win over the whole table only when they show the
  // cards at least this much larger.
  const MuchLarger = 1.25;

  // The pieces of the table picture the arrangements move, in table pixels
  // [left, top, right, bottom]: the core's places with the picture's own
  // drawing round them (its artwork).
  function pieces(facts, [, mouthHeight]) {
    const { bubble, talk, controlCorner, bands, cardMargin } = facts.artwork;
    const slots = facts.slots;
    const cardRow = (first) => [
      slots[first][0] - cardMargin,
      slots[first][1] - cardMargin,
      slots[first + 4][2] + cardMargin,
      slots[first][3] + cardMargin,
    ];
    // The mouths take the column of the bubble and the controls, down to the
    // row of cloth under the lowest of them.
    const mouthBottom = Math.max(...Object.values(facts.mouths).map((m) => m.top)) + mouthHeight;
    return {
      mouth: [bubble[0], 0, controlCorner[2], mouthBottom + 1],
      bubble,
      // The mouth with the bubble under it, and the cards with the strips between them.
      talk,
      cards: [bands[0][0], slots[0][1] - cardMargin, facts.visible[0], slots[5][3] + cardMargin],
      computerCards: cardRow(0),
      playerCards: cardRow(5),
      // Each grey band holds a hand name and its counter, from the label on its left.
      computerStrip: bands[0],
      playerStrip: bands[1],
      // Where the program keeps its controls, under the bubble.
      controlCorner,
    };
  }

  const widthOf = (r) => r[2] - r[0];
  const heightOf = (r) => r[3] - r[1];

  // The seven controls in rows, each row filling `width` from (x, y), every
  // row `rowHeight` high; a row is a list of [name, share of the row].
  function rows(layoutRows, x, y, width, rowHeight) {
    const placed = {};
    layoutRows.forEach((row, k) => {
      const shares = row.reduce((sum, [, share]) => sum + share, 0);
      const free = width - Gap * (row.length - 1);
      let left = x;
      for (const [name, share] of row) {
        const w = Math.floor((free * share) / shares);
        placed[name] = [left, y + k * (rowHeight + Gap), w, rowHeight];
        left += w + Gap;
      }
    });
    return placed;
  }
  const Bar = [
    [
      ['DownButton', 1],
      ['BetBox', 1.5],
      ['UpButton', 1],
    ],
    [
      ['StartButton', 1],
      ['ChangeButton', 1],
      ['OkButton', 1],
      ['FoldButton', 1],
    ],
  ];
  const Grid = [
    [
      ['StartButton', 1],
      ['ChangeButton', 1],
    ],
    [
      ['UpButton', 1],
      ['DownButton', 1],
    ],
    [['BetBox', 1]],
    [
      ['OkButton', 1],
      ['FoldButton', 1],
    ],
  ];
  const Corner = [
    [
      ['StartButton', 1],
      ['ChangeButton', 1],
    ],
    [
      ['UpButton', 1],
      ['BetBox', 1.5],
      ['DownButton', 1],
    ],
    [
      ['OkButton', 1],
      ['FoldButton', 1],
    ],
  ];
  const ButtonWidth = 64; // a four-character caption at the panel's font
  const BarSize = [4 * ButtonWidth + 3 * Gap, 2 * Finger + Gap];
  const GridSize = [2 * ButtonWidth + Gap, 4 * Finger + 3 * Gap];

  // The whole table at a whole multiple `k`, the controls in the program's
  // corner where fingers fit there, else beside or below the table.
  function wholeTable(area, k, p, visible) {
    const [tableWidth, tableHeight] = visible.map((n) => n * k);
    const corner = p.controlCorner;
    const cornerFits =
      heightOf(corner) * k >= 3 * Finger + 4 * Gap && widthOf(corner) * k >= 3 * Finger + 4 * Gap;
    const layouts = [];
    if (cornerFits) layouts.push({ width: tableWidth, height: tableHeight, panel: 'corner' });
    layouts.push({ width: tableWidth + Gap + GridSize[0], height: tableHeight, panel: 'right' });
    layouts.push({ width: tableWidth, height: tableHeight + Gap + BarSize[1], panel: 'below' });
    const chosen = layouts.find((l) => l.width <= area.width && l.height <= area.height);
    if (!chosen) return null;
    const x = Math.floor((area.width - chosen.width) / 2);
    const y = Math.floor((area.height - chosen.height) / 2);
    let controls;
    if (chosen.panel === 'corner') {
      const inset = 2 * Gap;
      const rowHeight = Math.floor((heightOf(corner) * k - 2 * inset - 2 * Gap) / 3);
      controls = rows(
        Corner,
        x + corner[0] * k + inset,
        y + corner[1] * k + inset,
        widthOf(corner) * k - 2 * inset,
        Math.min(rowHeight, 2 * Finger),
      );
    } else if (chosen.panel === 'right') {
      controls = rows(
        Grid,
        x + tableWidth + Gap,
        y + tableHeight - GridSize[1],
        GridSize[0],
        Finger,
      );
    } else {
      controls = rows(Bar, x, y + tableHeight + Gap, tableWidth, Finger);
    }
    return {
      kind: 'table',
      table: [x, y, tableWidth, tableHeight],
      blocks: [{ piece: [0, 0, ...visible], x, y, scale: k }],
      controls,
    };
  }

  // The largest scale, at most `most`, for which `fits(scale)` holds.
  function largest(fits, most) {
    let [low, high] = [0.2, most];
    if (fits(high)) return high;
    for (let i = 0; i < 30; ++i) {
      const middle = (low + high) / 2;
      if (fits(middle)) low = middle;
      else high = middle;
    }
    return low;
  }

  // The two shapes of the pieces, each along the screen's length: the talk,
  // side by side across the screen and never too small to read, then the
  // cards one after another, then the controls.
  // Sideways: the mouth and bubble, then the cards with the strips, then the
  // controls two abreast just after them.
  // Upright: the mouth beside the bubble, then a column of the computer's
  // cards, the two strips and the player's cards, with the controls as a bar
  // of large buttons at the bottom, within the thumb's reach.
  const Shapes = {
    sideways: { talk: ['talk'], cards: ['cards'], panelRows: Grid, panelSize: () => GridSize },
    upright: {
      talk: ['mouth', 'bubble'],
      cards: ['computerCards', 'computerStrip', 'playerStrip', 'playerCards'],
      panelRows: Bar,
      panelSize: (area) => [Math.min(area.width, 2 * BarSize[0]), BarSize[1]],
    },
  };

  function shape(kind, area, p) {
    const { panelRows, panelSize } = Shapes[kind];
    const upright = kind === 'upright';
    // Lengths along the screen and across it; positions back as [x, y].
    const along = (r) => (upright ? heightOf(r) : widthOf(r));
    const across = (r) => (upright ? widthOf(r) : heightOf(r));
    const at = (a, c) => (upright ? [c, a] : [a, c]);
    const [length, breadth] = upright ? [area.height, area.width] : [area.width, area.height];
    const [panelWidth, panelHeight] = panelSize(area);
    const [panelLength, panelBreadth] = upright
      ? [panelHeight, panelWidth]
      : [panelWidth, panelHeight];
    const talk = Shapes[kind].talk.map((name) => p[name]);
    const cards = Shapes[kind].cards.map((name) => p[name]);
    const talkLength = Math.max(...talk.map(along));
    const talkBreadth = talk.reduce((sum, piece) => sum + across(piece), 0);
    const talkGaps = (talk.length - 1) * Gap;
    const cardsLength = cards.reduce((sum, piece) => sum + along(piece), 0);
    const cardsBreadth = Math.max(...cards.map(across));
    const talkScale = (most) =>
      Math.max(SpeechScale, Math.min(most, (breadth - talkGaps) / talkBreadth));
    const cardsScale = (most) => Math.min(most, breadth / cardsBreadth);
    const used = (most) =>
      talkLength * talkScale(most) +
      cardsLength * cardsScale(most) +
      (1 + cards.length) * Gap +
      panelLength;
    const most = largest((s) => used(s) <= length, MostScale);
    const [ts, cs] = [talkScale(most), cardsScale(most)];
    const total = used(most);
    let a = Math.max(0, Math.floor((length - total) / 2));
    const blocks = [];
    let c = Math.floor((breadth - talkBreadth * ts - talkGaps) / 2);
    for (const piece of talk) {
      const [x, y] = at(a + Math.floor(((talkLength - along(piece)) * ts) / 2), c);
      blocks.push({ piece, x, y, scale: ts });
      c += Math.ceil(across(piece) * ts) + Gap;
    }
    a += Math.ceil(talkLength * ts) + Gap;
    for (const piece of cards) {
      const [x, y] = at(a, Math.floor((breadth - across(piece) * cs) / 2));
      blocks.push({ piece, x, y, scale: cs });
      a += Math.ceil(along(piece) * cs) + Gap;
    }
    const [x, y] = at(
      upright ? length - panelLength : Math.min(a, length - panelLength),
      Math.floor((breadth - panelBreadth) / 2),
    );
    const controls = rows(panelRows, x, y, panelWidth, Finger);
    return { kind, blocks, controls, fits: cs >= CardScale && total <= length };
  }

  // `area`: the CSS pixels the table may take (the window less its menu and
  // safe areas); `coarse`: a finger rather than a mouse; `mouthSize`: the
  // mouth pictures' width and height. Null where the program's own
  // arrangement is the one to use, at a whole multiple where one fits.
  function arrange(area, coarse, facts, mouthSize) {
    const [width, height] = facts.visible;
    const fit = Math.min(area.width / width, area.height / height);
    if (!coarse && fit >= 1) return null;
    const p = pieces(facts, mouthSize);
    const kinds = area.width >= area.height ? ['sideways', 'upright'] : ['upright', 'sideways'];
    const shaped = kinds.map((kind) => shape(kind, area, p)).find((layout) => layout.fits);
    // The whole table, exact at a whole multiple, unless the pieces arranged
    // show the cards much larger.
    const cardScale = shaped ? Math.min(...shaped.blocks.map((block) => block.scale)) : 0;
    for (let k = Math.floor(Math.min(fit, MostScale)); k >= 1 && k * MuchLarger > cardScale; --k) {
      const table = wholeTable(area, k, p, facts.visible);
      if (table) return table;
    }
    // Too small for any arrangement: the program's, scaled down.
    return shaped ?? null;
  }

  return { arrange, Finger, Gap, SpeechScale, CardScale };
})();
// Node's checks of the screens require this file.
if (typeof module !== 'undefined') module.exports = BluffwickArrange;
