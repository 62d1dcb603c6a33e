// What the browser checks share: their ok/FAIL lines, the native program run
// on the same script as the page, and the program's bitmaps, decoded here
// independently of the page, against the canvas read back.
'use strict';
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures += 1;
}
function finish() {
  console.log(failures ? `FAILED: ${failures}` : 'PASSED');
  process.exit(failures ? 1 : 0);
}

// The native program (record_match) on the script the page was played by;
// both records are left in `folder` beside the script.
function againstNative(recordMatch, script, record, folder) {
  const scriptFile = path.join(folder, 'script.txt');
  fs.writeFileSync(scriptFile, script.join('\n') + '\n');
  const native = execFileSync(recordMatch, [scriptFile], { encoding: 'utf8' })
    .trimEnd()
    .split('\n');
  fs.writeFileSync(path.join(folder, 'native.txt'), native.join('\n') + '\n');
  fs.writeFileSync(path.join(folder, 'page.txt'), record.join('\n') + '\n');
  const first = native.findIndex((line, k) => line !== record[k]);
  return {
    native,
    same: native.length === record.length && first < 0,
    difference:
      first < 0 ? '' : ` (first difference at ${first + 1}: ${native[first]} / ${record[first]})`,
  };
}

function readBmp(file) {
  const b = fs.readFileSync(file);
  const [width, rawHeight, bits] = [b.readInt32LE(18), b.readInt32LE(22), b.readUInt16LE(28)];
  const height = Math.abs(rawHeight);
  const paletteAt = 14 + b.readUInt32LE(14);
  const palette = [];
  for (let i = 0; i < (b.readUInt32LE(46) || 1 << bits); ++i)
    palette.push([b[paletteAt + 4 * i + 2], b[paletteAt + 4 * i + 1], b[paletteAt + 4 * i]]);
  const stride = Math.ceil((width * bits) / 32) * 4;
  const index = (x, y) => {
    const row = b.readUInt32LE(10) + stride * (rawHeight > 0 ? height - 1 - y : y);
    return bits === 8 ? b[row + x] : (b[row + (x >> 1)] >> (x & 1 ? 0 : 4)) & 15;
  };
  return { width, height, palette, index };
}

// Every BMP of the resource folder, by its resource number.
function loadBitmaps(resFolder) {
  const bitmaps = {};
  for (const name of fs.readdirSync(resFolder)) {
    if (name.endsWith('.bmp')) bitmaps[parseInt(name, 10)] = readBmp(path.join(resFolder, name));
  }
  return bitmaps;
}

const Slot = { left: (s) => 200 + 85 * (s % 5), top: (s) => (s < 5 ? 20 : 310) };

// The clicks of the first deal played by mouse, in table pixels: two cards
// marked (one of them twice), a click beside the cards, one more mark.
const DealClicks = [
  [210, 320],
  [300, 400],
  [560, 330],
  [300, 400],
  [300, 400],
];

// Run in the page: the canvas's pixels (base64) and the table it shows.
function readCanvas() {
  const canvas = document.getElementById('surface');
  const bytes = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  let binary = '';
  for (let i = 0; i < bytes.length; i += 0x8000)
    binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return { data: btoa(binary), width: canvas.width, shown: window.bluffwick.shown() };
}

// How many device pixels of the cards, counters, the mouth and the table's
// top rows differ from their bitmaps, each table pixel a ratio x ratio block
// (a marked face's white in cyan).
function wrongPixels(bitmaps, { data, width, shown }, ratio) {
  const pixels = Buffer.from(data, 'base64');
  let wrong = 0;
  const compare = (id, left, top, marked, rows) => {
    const bmp = bitmaps[id];
    for (let y = 0; y < (rows ?? bmp.height); ++y) {
      for (let x = 0; x < bmp.width; ++x) {
        const index = bmp.index(x, y);
        const colour = bmp.palette[marked && index === 1 ? 7 : index];
        for (let d = 0; d < ratio * ratio; ++d) {
          const row = (top + y) * ratio + Math.floor(d / ratio);
          const p = 4 * (row * width + (left + x) * ratio + (d % ratio));
          if (colour.some((c, k) => pixels[p + k] !== c)) wrong += 1;
        }
      }
    }
  };
  shown.slots.forEach(([picture, marked], k) =>
    compare(picture, Slot.left(k), Slot.top(k), marked),
  );
  [149, 248].forEach((top, side) => {
    const value = shown.money[side];
    compare(value < 10 ? 166 : 167 + Math.floor(value / 10), 552, top, false);
    compare(167 + (value % 10), 584, top, false);
  });
  const mouth = shown.mouths[shown.mouths.length - 1];
  compare(mouth, 15, { 182: 7, 183: 10, 184: 5 }[mouth], false);
  compare(101, 0, 0, false, 5);
  return wrong;
}

// A match script (tests/web/matches): its lines as words, the second of its
// opening and the time zone that makes the opening's hour the script's.
function readScript(file) {
  const lines = fs
    .readFileSync(file, 'utf8')
    .split('\n')
    .map((l) => l.replace(/#.*/, '').trim())
    .filter(Boolean)
    .map((l) => l.split(/\s+/));
  const opening = Number(lines.find(([verb]) => verb === 'clock')[1]);
  const hour = Number(lines.find(([verb]) => verb === 'hour')[1]);
  let offset = (hour - new Date(opening * 1000).getUTCHours() + 24) % 24;
  if (offset > 12) offset -= 24;
  const timezoneId = offset >= 0 ? `Etc/GMT-${offset}` : `Etc/GMT+${-offset}`;
  return { lines, opening, timezoneId };
}

// A click at table pixel (x, y), wherever the page has put the table.
async function clickTable(page, x, y) {
  const box = await page.locator('#table').boundingBox();
  const k = box.width / 634;
  await page.mouse.click(box.x + (x + 0.5) * k, box.y + (y + 0.5) * k);
}

// Each tick of RoundTimer as the page schedules it, until the step stops it;
// `page` may be a function giving the page, and `onTick(n)` runs after each
// 100 ms the clock moves.
async function waitForTimer(page, onTick) {
  const current = typeof page === 'function' ? page : () => page;
  for (let ticks = 0; ticks < 100; ++ticks) {
    if (!(await current().evaluate(() => window.bluffwick.timerRunning()))) break;
    await current().clock.runFor(100);
    if (onTick) await onTick(ticks + 1);
  }
  await current().clock.runFor(50); // the last repaint
}

module.exports = {
  readScript,
  clickTable,
  waitForTimer,
  check,
  finish,
  againstNative,
  loadBitmaps,
  readCanvas,
  wrongPixels,
  Slot,
  DealClicks,
};
