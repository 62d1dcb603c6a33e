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

  // The pieces of the table picture the arrangements move, in table pixels
  // [left, top, right, bottom], found from where the core puts things.
  function pieces(facts, [mouthWidth, mouthHeight]) {
    const [speechLeft, speechTop, speechRight, speechBottom] = facts.speech;
    const slots = facts.slots;
    const cardRow = (first) => [
      slots[first][0] - 8,
      slots[first][1] - 8,
      slots[first + 4][2] + 8,
      slots[first][3] + 8,
    ];
    // Each grey strip holds a hand name and its counter, from the label on its left.
    const strip = (top) => [slots[0][0] - 14, top - 3, facts.visible[0], top + 45];
    const mouthBottom =
      Math.max(...Object.values(facts.mouths).map((m) => m.top)) + mouthHeight + 1;
    return {
      mouth: [facts.mouthLeft - 7, 0, facts.mouthLeft + mouthWidth + 8, mouthBottom],
      bubble: [speechLeft - 15, speechTop - 20, speechRight + 15, speechBottom + 14],
      // The mouth with the bubble under it, and the cards with the strips between them.
      talk: [0, 0, speechRight + 18, speechBottom + 16],
      cards: [slots[0][0] - 14, slots[0][1] - 8, facts.visible[0], slots[5][3] + 8],
      computerCards: cardRow(0),
      playerCards: cardRow(5),
      computerStrip: strip(facts.moneyTops[0]),
      playerStrip: strip(facts.moneyTops[1]),
      // Where the program keeps its controls, under the bubble.
      controlCorner: [0, speechBottom + 16, speechRight + 27, facts.visible[1]],
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

  // Sideways: the mouth and bubble, then the cards with the strips, then the
  // controls two abreast, side by side.
  function sideways(area, p) {
    const [panelWidth, panelHeight] = GridSize;
    const talkScale = (most) =>
      Math.max(SpeechScale, Math.min(most, area.height / heightOf(p.talk)));
    const cardsScale = (most) => Math.min(most, area.height / heightOf(p.cards));
    const width = (most) =>
      widthOf(p.talk) * talkScale(most) +
      widthOf(p.cards) * cardsScale(most) +
      2 * Gap +
      panelWidth;
    const most = largest((s) => width(s) <= area.width, MostScale);
    const [ts, cs] = [talkScale(most), cardsScale(most)];
    const used = width(most);
    let x = Math.max(0, Math.floor((area.width - used) / 2));
    const blocks = [];
    for (const [piece, scale] of [
      [p.talk, ts],
      [p.cards, cs],
    ]) {
      const y = Math.floor((area.height - heightOf(piece) * scale) / 2);
      blocks.push({ piece, x, y, scale });
      x += Math.ceil(widthOf(piece) * scale) + Gap;
    }
    const controls = rows(
      Grid,
      Math.min(x, area.width - panelWidth),
      Math.floor((area.height - panelHeight) / 2),
      panelWidth,
      Finger,
    );
    return { kind: 'sideways', blocks, controls, fits: cs >= CardScale && used <= area.width };
  }

  // Upright: a column of the mouth beside the bubble, the computer's cards,
  // the two strips and the player's cards, with the controls as a bar of
  // large buttons at the bottom, within the thumb's reach.
  function upright(area, p) {
    const [barWidth, barHeight] = [Math.min(area.width, 2 * BarSize[0]), BarSize[1]];
    const top = [p.mouth, p.bubble];
    const topWidth = widthOf(p.mouth) + Gap + widthOf(p.bubble);
    const topHeight = Math.max(heightOf(p.mouth), heightOf(p.bubble));
    const column = [p.computerCards, p.computerStrip, p.playerStrip, p.playerCards];
    const columnWidth = Math.max(...column.map(widthOf));
    const columnHeight = column.reduce((sum, piece) => sum + heightOf(piece), 0);
    const topScale = (most) =>
      Math.max(SpeechScale, Math.min(most, (area.width - Gap) / (topWidth - Gap)));
    const columnScale = (most) => Math.min(most, area.width / columnWidth);
    const height = (most) =>
      topHeight * topScale(most) + columnHeight * columnScale(most) + 5 * Gap + barHeight;
    const most = largest((s) => height(s) <= area.height, MostScale);
    const [ts, cs] = [topScale(most), columnScale(most)];
    const used = height(most);
    let y = Math.max(0, Math.floor((area.height - used) / 2));
    const blocks = [];
    let x = Math.floor((area.width - (topWidth - Gap) * ts - Gap) / 2);
    for (const piece of top) {
      const yAt = y + Math.floor(((topHeight - heightOf(piece)) * ts) / 2);
      blocks.push({ piece, x, y: yAt, scale: ts });
      x += Math.ceil(widthOf(piece) * ts) + Gap;
    }
    y += Math.ceil(topHeight * ts) + Gap;
    for (const piece of column) {
      const xAt = Math.floor((area.width - widthOf(piece) * cs) / 2);
      blocks.push({ piece, x: xAt, y, scale: cs });
      y += Math.ceil(heightOf(piece) * cs) + Gap;
    }
    const controls = rows(
      Bar,
      Math.floor((area.width - barWidth) / 2),
      area.height - barHeight,
      barWidth,
      Finger,
    );
    return { kind: 'upright', blocks, controls, fits: cs >= CardScale && used <= area.height };
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
    const [first, second] = area.width >= area.height ? [sideways, upright] : [upright, sideways];
    const shaped = [first(area, p), second(area, p)].find((layout) => layout.fits);
    // The whole table, exact at a whole multiple, unless the pieces arranged
    // show the cards much larger.
    const cardScale = shaped ? Math.min(...shaped.blocks.map((block) => block.scale)) : 0;
    for (let k = Math.floor(Math.min(fit, MostScale)); k >= 1 && k * 1.25 > cardScale; --k) {
      const table = wholeTable(area, k, p, facts.visible);
      if (table) return table;
    }
    // Too small for any arrangement: the program's, scaled down.
    return shaped ?? null;
  }

  return { arrange, Finger, Gap, SpeechScale, CardScale };
})();
if (typeof module !== 'undefined') module.exports = BluffwickArrange;
