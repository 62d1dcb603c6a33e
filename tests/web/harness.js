// What the page's checks share: the command line, the core under Node with
// its facts, each browser behind one small interface, a static server, the
// match scripts played under Node or through a page by mouse, keys or touch,
// the native program on the same script, the canvas against the program's
// bitmaps, and the page's layout worked out from arrange() and its style.
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const vm = require('vm');
const { parseArgs } = require('util');
const assert = require('assert');
const { execFileSync } = require('child_process');

const Seconds = 1000;

// ---- The command line: --web BUILD/web, --modules NODE_MODULES, --record-match
// EXE, --res FOLDER, --work FOLDER, and the test's own words after them.
// Whatever the browsers write (profiles, caches, temporary files) stays in --work.
function setup() {
  const { values, positionals } = parseArgs({
    options: Object.fromEntries(
      ['web', 'modules', 'record-match', 'res', 'work'].map((name) => [name, { type: 'string' }]),
    ),
    allowPositionals: true,
  });
  const work = path.resolve(values.work);
  fs.rmSync(work, { recursive: true, force: true });
  fs.mkdirSync(path.join(work, 'home'), { recursive: true });
  // Temporary files go to a folder of the test's own under the system's
  // temporary folder: Chromium's socket path there must stay under 108
  // bytes, which a deep build folder would exceed.
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'bluffwick-web-'));
  process.on('exit', () => fs.rmSync(tmp, { recursive: true, force: true }));
  Object.assign(process.env, {
    HOME: path.join(work, 'home'),
    XDG_CACHE_HOME: path.join(work, 'home/.cache'),
    XDG_CONFIG_HOME: path.join(work, 'home/.config'),
    XDG_DATA_HOME: path.join(work, 'home/.local/share'),
    TMPDIR: tmp,
  });
  const web = values.web && path.resolve(values.web);
  return {
    web,
    page: web && path.join(web, 'bluffwick.html'),
    url: web && 'file://' + path.join(web, 'bluffwick.html'),
    site: web && path.join(web, 'site'),
    coreFile: web && path.join(web, 'bluffwick-core.js'),
    modules: values.modules && path.resolve(values.modules),
    recordMatch: values['record-match'],
    res: values.res,
    work,
    words: positionals,
  };
}

// ---- The core under Node, as the page loads it: its facts (where everything
// sits, the controls' names and ids) and its texts in Shift-JIS.
const shiftJis = new TextDecoder('shift_jis');
async function loadCore(coreFile) {
  const now = { seconds: 0, hour: 12 };
  const core = await require(coreFile)({
    table: { changed() {} },
    clock: { seconds: () => now.seconds, hour: () => now.hour },
  });
  const text = (at) => shiftJis.decode(core.HEAPU8.subarray(at, core.HEAPU8.indexOf(0, at)));
  return { core, now, text, facts: JSON.parse(text(core._WebTableFacts())) };
}

// ---- Match scripts (tests/web/matches): a line a step, '#' to the end of a
// line a comment; with the second of the opening, its hour and the time zone
// that gives a browser that hour.
function readScript(file) {
  const lines = fs
    .readFileSync(file, 'utf8')
    .split('\n')
    .map((line) => line.replace(/#.*/, '').trim())
    .filter(Boolean)
    .map((line) => line.split(/\s+/));
  const opening = Number(lines.find(([verb]) => verb === 'clock')[1]);
  const hour = Number(lines.find(([verb]) => verb === 'hour')[1]);
  let offset = (hour - new Date(opening * 1000).getUTCHours() + 24) % 24;
  if (offset > 12) offset -= 24;
  const timezoneId = offset >= 0 ? `Etc/GMT-${offset}` : `Etc/GMT+${-offset}`;
  return { name: path.basename(file, '.txt'), lines, opening, hour, timezoneId };
}

// The one reader of the scripts' verbs; where the match is played (the core
// under Node, a page) is the subclass's. `lines` keeps the script as played,
// for the native program.
class Match {
  constructor() {
    this.lines = [];
  }
  async play(script) {
    for (const words of script.lines) await this.step(words);
  }
  // One line of a script, as its words or as written.
  async step(words, onTick) {
    const [verb, a, b] = typeof words === 'string' ? words.split(' ') : words;
    const line = [verb, a, b].filter((w) => w !== undefined).join(' ');
    if (verb === 'clock') await this.act(line, () => this.clock(Number(a)));
    else if (verb === 'hour') await this.act(line, () => this.hour(Number(a)));
    else if (verb === 'open') await this.act(line, () => this.open());
    else if (verb === 'press') await this.act(line, () => this.press(a));
    else if (verb === 'click') await this.act(line, () => this.click(Number(a), Number(b)));
    else if (verb === 'tick') await this.act(line, () => this.tick());
    else if (verb === 'run') await this.act(line, () => this.run(onTick));
    else throw new Error(`no verb ${verb} in a match script`);
  }
  // Does `perform` and adds `line` (if any) to the script as played.
  async act(line, perform) {
    await perform();
    if (line) this.lines.push(line);
  }
}

// The match on the core under Node, through its exported input entry.
const MostTicksInARun = 100;
class NodeMatch extends Match {
  static async start(coreFile) {
    const match = new NodeMatch();
    Object.assign(match, await loadCore(coreFile));
    match.core._WebStartRecord();
    match.taken = [];
    return match;
  }
  async act(line, perform) {
    await super.act(line, perform);
    this.taken.push(...this.text(this.core._WebTakeRecord()).split('\n').filter(Boolean));
  }
  clock(seconds) {
    this.now.seconds = seconds;
  }
  hour(hour) {
    this.now.hour = hour;
  }
  open() {
    this.core._OpenWebTable();
  }
  // The core takes a press only while its control is enabled.
  press(name) {
    const control = this.facts.controls[name];
    if (!control || !this.core._TakeWebInput(0, control.id, 0, 0))
      throw new Error(`${name} is no enabled control`);
  }
  click(x, y) {
    const position = this.core._WebPlayerSlot(x, y);
    if (position >= 0) this.core._TakeWebInput(1, position, 0, 0);
  }
  tick() {
    this.core._TickWebTimer();
  }
  run() {
    for (let ticks = 0; this.core._WebTimerPeriod() !== 0 && ticks < MostTicksInARun; ++ticks)
      this.core._TickWebTimer();
  }
  record() {
    return this.taken;
  }
  saved() {
    return this.text(this.core._WebSaveGame());
  }
}

// The program's keys for its controls (Enter acts for whichever of Start,
// Change and OK is enabled).
const ControlKeys = {
  StartButton: 'Enter',
  ChangeButton: 'Enter',
  OkButton: 'Enter',
  UpButton: 'ArrowUp',
  DownButton: 'ArrowDown',
  FoldButton: 'KeyF',
};

// The match through a page (a session of any engine) as a player: `how` is
// mouse, keys or touch. Where the engine's clock cannot be held, the seconds
// the page read are written into the script as played instead.
class PageMatch extends Match {
  constructor(session, url, how, facts) {
    super();
    Object.assign(this, { session, url, how, facts });
  }
  // (The core reads the clock only as the table opens and a deal starts.)
  async act(line, perform) {
    if (this.session.heldClock || !/^(open|press)/.test(line)) return super.act(line, perform);
    const reads = () => this.session.evaluate(() => window.bluffwick.clockReads.length);
    const before = line === 'open' ? 0 : await reads();
    await perform();
    const read = await this.session.evaluate((n) => window.bluffwick.clockReads.slice(n), before);
    if (read.length) this.lines.push(`clock ${read[read.length - 1]}`);
    if (line === 'open')
      this.lines.push(`hour ${await this.session.evaluate(() => window.bluffwick.openedAt.hour)}`);
    this.lines.push(line);
  }
  clock(seconds) {
    if (!this.session.heldClock) throw new Error(`${this.session.engine}: the clock is not held`);
    return this.session.setClock(seconds);
  }
  hour() {} // the session's time zone gives the page the script's hour
  open() {
    return this.session.goto(this.url);
  }
  // A player presses only what is enabled: a control the page left disabled
  // fails the script at once.
  async press(name) {
    const [x, y, disabled] = await this.session.evaluate((n) => {
      const e = document.querySelector(`[data-control=${n}]`);
      const r = e.getBoundingClientRect();
      return [r.left + r.width / 2, r.top + r.height / 2, e.disabled];
    }, name);
    if (disabled) throw new Error(`${this.session.engine}: ${name} is disabled`);
    if (this.how === 'keys') return this.session.key(ControlKeys[name]);
    return this.how === 'touch' ? this.session.tap(x, y) : this.session.click(x, y);
  }
  // The controls enabled, by name.
  enabled() {
    return this.session.evaluate(() =>
      [...document.querySelectorAll('#table button.control')]
        .filter((e) => !e.disabled)
        .map((e) => e.dataset.control),
    );
  }
  // A card by its digit key (the same card, the same operations), else the
  // middle of table pixel (x, y) wherever the page shows the table.
  async click(x, y) {
    const card = this.facts.slots.findIndex(
      ([left, top, right, bottom], slot) =>
        slot >= 5 && x >= left && x < right && y >= top && y < bottom,
    );
    if (this.how === 'keys' && card >= 0) return this.session.key(`Digit${card - 4}`);
    const [left, top, width] = await this.session.evaluate(() => {
      const r = document.getElementById('table').getBoundingClientRect();
      return [r.left, r.top, r.width];
    });
    const k = width / this.facts.visible[0];
    const at = [left + (x + 0.5) * k, top + (y + 0.5) * k];
    return this.how === 'touch' ? this.session.tap(...at) : this.session.click(...at);
  }
  tick() {
    throw new Error('a page ticks its own timer: play "run"');
  }
  // Each tick of RoundTimer until the step stops it: on a held clock 100 ms
  // at a time (`onTick(n)` after each), else as the page's clock runs.
  async run(onTick) {
    if (this.session.heldClock) {
      for (let ticks = 0; ticks < MostTicksInARun; ++ticks) {
        if (!(await this.session.evaluate(() => window.bluffwick.timerRunning()))) break;
        await this.session.runFor(100);
        if (onTick) await onTick(ticks + 1);
      }
    } else {
      const stopped = await this.session.evaluate(
        () =>
          new Promise((resolve) => {
            const begun = performance.now();
            const poll = () =>
              !window.bluffwick.timerRunning() || performance.now() - begun > 20000
                ? resolve(!window.bluffwick.timerRunning())
                : setTimeout(poll, 20);
            poll();
          }),
      );
      if (!stopped) throw new Error('the round timer ran on for 20 s');
    }
    await this.session.settle();
  }
  record() {
    return this.session.evaluate(() => window.bluffwick.record);
  }
}

// The clicks of the first deal played by mouse, in table pixels: two cards
// marked (one of them twice), a click beside the cards, one more mark.
const DealClicks = [
  [210, 320],
  [300, 400],
  [560, 330],
  [300, 400],
  [300, 400],
];

// One deal by mouse clicks and one by keys, as a player plays them: cards
// marked, Change, one more as dealer, OK. `look(when)` where the pictures are
// worth checking. Where the keyboard can hold a key down (chromium's), a card
// is also marked from the number pad and unmarked, and a digit held down must
// not mark its card again; where the clock is held, Enter pressed while the
// timer runs must do nothing (on a free clock the timer may have stopped by
// then). Answers the controls enabled after each deal.
async function twoDeals(match, look) {
  const s = match.session;
  const slot = (n) => `click ${match.facts.slots[4 + n][0]} ${match.facts.slots[4 + n][1]}`;
  const later = async () => {
    if (s.heldClock)
      await match.step(`clock ${(await s.evaluate(() => Math.floor(Date.now() / 1000))) + 4}`);
  };
  const betAndEnd = async () => {
    await match.step('run');
    if ((await match.enabled()).includes('UpButton')) await match.step('press UpButton');
    await match.step('press OkButton');
    await match.step('run');
  };
  match.how = 'mouse';
  await later();
  await match.step('press StartButton');
  for (const [x, y] of DealClicks) await match.step(['click', x, y]);
  await s.settle();
  await look('with marked cards');
  await match.step('press ChangeButton');
  await betAndEnd();
  const afterOne = await match.enabled();

  match.how = 'keys';
  await later();
  await match.step('press StartButton');
  await match.step(slot(1));
  if (s.holdKey) await match.act(slot(3), () => s.key('Numpad3')); // marked, then unmarked
  await match.step(slot(3));
  await match.step(slot(5));
  if (s.holdKey) await match.act(slot(2), () => s.holdKey('Digit2', 3));
  else await match.step(slot(2));
  await match.act('', () => s.key('KeyF')); // Fold is not enabled while choosing: nothing happens
  await match.step('press ChangeButton');
  if (s.heldClock) await match.act('', () => s.key('Enter')); // during the timed steps: nothing
  await betAndEnd();
  return { afterOne, afterTwo: await match.enabled() };
}

// ---- The native program (record_match) on a script (its file, or its lines
// as played); both records are left in the work folder as NAME-native.txt and
// NAME-page.txt, beside NAME-script.txt.
function compareWithNative(env, script, record, name) {
  let scriptFile = script;
  if (Array.isArray(script)) {
    scriptFile = path.join(env.work, `${name}-script.txt`);
    fs.writeFileSync(scriptFile, script.join('\n') + '\n');
  }
  const native = execFileSync(env.recordMatch, [scriptFile], { encoding: 'utf8' })
    .trimEnd()
    .split('\n');
  fs.writeFileSync(path.join(env.work, `${name}-native.txt`), native.join('\n') + '\n');
  fs.writeFileSync(path.join(env.work, `${name}-page.txt`), record.join('\n') + '\n');
  return { native, difference: difference(native, record) };
}
// Null when the two records are the same, else where they first differ.
function difference(expected, actual) {
  const first = expected.findIndex((line, k) => line !== actual[k]);
  if (first < 0 && expected.length === actual.length) return null;
  const at = first < 0 ? Math.min(expected.length, actual.length) : first;
  return `${actual.length} operations for ${expected.length}, the first difference at ${at + 1}: ${expected[at]} / ${actual[at]}`;
}

// ---- The program's bitmaps, decoded here independently of the page.
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
// By each face of the program's deck, its four-colour face: the same name
// after "four_" (202_four_spades_ace.bmp for 102_spades_ace.bmp).
function fourColourFaces(resFolder) {
  const names = fs.readdirSync(resFolder).filter((name) => name.endsWith('.bmp'));
  const byRest = Object.fromEntries(names.map((name) => [name.replace(/^\d+_/, ''), name]));
  const faces = {};
  for (const name of names) {
    const rest = /^\d+_four_(.*)$/.exec(name);
    if (rest) faces[parseInt(byRest[rest[1]], 10)] = parseInt(name, 10);
  }
  return faces;
}

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
// (a marked face's white in the mark's cyan), at the places the core's facts
// give; `faces` maps a face shown to the bitmap drawn for it (the other deck).
function wrongPixels(facts, bitmaps, { data, width, shown }, ratio, faces) {
  const pixels = Buffer.from(data, 'base64');
  let wrong = 0;
  const compare = (id, left, top, marked, rows) => {
    const bmp = bitmaps[id];
    for (let y = 0; y < (rows ?? bmp.height); ++y) {
      for (let x = 0; x < bmp.width; ++x) {
        const index = bmp.index(x, y);
        const colour =
          bmp.palette[marked && index === facts.faceWhiteIndex ? facts.markCyanIndex : index];
        for (let d = 0; d < ratio * ratio; ++d) {
          const row = (top + y) * ratio + Math.floor(d / ratio);
          const p = 4 * (row * width + (left + x) * ratio + (d % ratio));
          if (colour.some((c, k) => pixels[p + k] !== c)) wrong += 1;
        }
      }
    }
  };
  shown.slots.forEach(([picture, marked], k) =>
    compare(faces[picture] ?? picture, facts.slots[k][0], facts.slots[k][1], marked),
  );
  const { blankDigit, digitFirst, table } = facts.pictures;
  facts.moneyTops.forEach((top, side) => {
    const value = shown.money[side];
    compare(
      value < 10 ? blankDigit : digitFirst + Math.floor(value / 10),
      facts.moneyTensLeft,
      top,
    );
    compare(digitFirst + (value % 10), facts.moneyOnesLeft, top);
  });
  const mouth = shown.mouths[shown.mouths.length - 1];
  compare(mouth, facts.mouthLeft, facts.mouths[mouth].top);
  compare(table, 0, 0, false, 5);
  return wrong;
}
// The canvas at `ratio` device pixels per table pixel: every card, counter and
// the mouth must be its bitmap, each pixel an exact ratio x ratio block; the
// faces those of `faces` (fourColourFaces) where given.
async function checkPictures(session, facts, bitmaps, ratio, when, faces = {}) {
  const wrong = wrongPixels(facts, bitmaps, await session.evaluate(readCanvas), ratio, faces);
  assert.equal(wrong, 0, `${when}, ratio ${ratio}: ${wrong} pixels differ from the bitmaps`);
}

// ---- Browsers, each behind the same small interface:
//   goto(url)               navigates and waits for the first painted table
//   evaluate(fn, arg)       runs fn(arg) in the page, awaits its answer
//   click(x, y), tap(x, y)  a mouse click, a finger's tap, in CSS pixels
//   key(name)               a key press by its code name ('Enter', 'Digit1', 'KeyF')
//   settle()                until the page has drawn its last change
//   errors()                page errors and console errors so far
//   close()
// and where the test holds the page's clock (chromium): heldClock, setClock(s),
// runFor(ms). `page` is the engine's own page object, for what only it can do.

// On the page's own clock, where the test does not hold it. Generous: under
// ctest -j8 on two processors WebKitGTK has taken more than 30 s to paint.
const ReadyWithinMs = 90000;
async function waitUntilReady(session) {
  const ready = await session.evaluate(
    (limit) =>
      new Promise((resolve) => {
        const begun = performance.now();
        const poll = () =>
          (window.bluffwick && window.bluffwick.ready) || performance.now() - begun > limit
            ? resolve(!!(window.bluffwick && window.bluffwick.ready))
            : setTimeout(poll, 20);
        poll();
      }),
    ReadyWithinMs,
  );
  if (!ready) {
    throw new Error(
      `${session.engine}: the page did not paint its first table in ${ReadyWithinMs / 1000} s`,
    );
  }
}
// Sessions still open when their engine closes (a check failed half way)
// close with it; closing twice does nothing.
function tracked(sessions, session) {
  const close = session.close;
  sessions.add(session);
  session.close = async () => {
    if (sessions.delete(session)) await close();
  };
  return session;
}
const closeAll = (sessions) => Promise.allSettled([...sessions].map((s) => s.close()));

// Until the next frame has been drawn, on the page's own clock.
const nextFrame = () =>
  new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));

// Debian's chromium through playwright-core; one browser, a context for each
// session. Options: width, height, ratio, touch, mobile, timezoneId, and
// clockAt (seconds: the clock installed and held there from the start).
async function chromium(env) {
  const { chromium: engine } = require(path.join(env.modules, 'playwright-core'));
  const browser = await engine.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox'],
  });
  const sessions = new Set();
  return {
    version: browser.version(),
    async close() {
      await closeAll(sessions);
      await browser.close();
    },
    async open(options = {}) {
      const context = await browser.newContext({
        viewport: { width: options.width ?? 800, height: options.height ?? 600 },
        deviceScaleFactor: options.ratio ?? 1,
        hasTouch: !!options.touch,
        isMobile: !!options.mobile,
        timezoneId: options.timezoneId ?? 'UTC',
      });
      if (options.clockAt !== undefined) {
        await context.clock.install({ time: options.clockAt * 1000 - 5000 });
        await context.clock.pauseAt(options.clockAt * 1000);
      }
      const session = chromiumTab(context, await context.newPage(), options.clockAt !== undefined);
      session.close = () => context.close();
      return tracked(sessions, session);
    },
    // A profile of its own in `folder` (a private window cannot install
    // anything), for the hosted copy.
    async openPersistent(folder, options) {
      const context = await engine.launchPersistentContext(folder, {
        executablePath: '/usr/bin/chromium',
        args: ['--no-sandbox'],
        ...options,
      });
      const session = chromiumTab(context, context.pages()[0] ?? (await context.newPage()), false);
      session.close = () => context.close();
      return tracked(sessions, session);
    },
  };
}
function chromiumTab(context, page, heldClock) {
  // Polled on playwright's own timers: the page's may be held.
  const ready = () =>
    page.waitForFunction(() => window.bluffwick && window.bluffwick.ready, null, {
      polling: 20,
      timeout: 30 * Seconds,
    });
  const errors = [];
  const requests = [];
  page.on('console', (m) => m.type() === 'error' && errors.push(`console: ${m.text()}`));
  page.on('pageerror', (error) => errors.push(`page error: ${error.message}`));
  page.on('request', (request) => requests.push(request.url()));
  const session = {
    engine: 'chromium',
    page,
    context,
    requests,
    heldClock,
    async goto(url) {
      await page.goto(url);
      await ready();
      if (heldClock) await page.clock.runFor(50);
    },
    async reload() {
      await page.reload();
      await ready();
    },
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    click: (x, y) => page.mouse.click(x, y),
    tap: (x, y) => page.touchscreen.tap(x, y),
    key: (name) => page.keyboard.press(name),
    // Held down for `times` key-downs (the later ones auto-repeats), then let go.
    async holdKey(name, times) {
      for (let k = 0; k < times; ++k) await page.keyboard.down(name);
      await page.keyboard.up(name);
    },
    settle: () => (heldClock ? page.clock.runFor(50) : page.evaluate(nextFrame)),
    setClock: (seconds) => context.clock.setSystemTime(seconds * 1000),
    runFor: (ms) => page.clock.runFor(ms),
    errors: async () => errors,
    close: () => page.close(),
    // Another tab on the same profile and clock.
    newTab: async () => chromiumTab(context, await context.newPage(), heldClock),
  };
  return session;
}

// Firefox ESR through puppeteer-core over WebDriver BiDi: a real pointer and
// keyboard through BiDi input actions, the device ratio from the
// layout.css.devPixelsPerPx preference; a browser for each session.
async function firefox(env) {
  const puppeteer = require(path.join(env.modules, 'puppeteer-core'));
  const sessions = new Set();
  return {
    close: () => closeAll(sessions),
    async open({ ratio = 1 } = {}) {
      const browser = await puppeteer.launch({
        browser: 'firefox',
        protocol: 'webDriverBiDi',
        executablePath: '/usr/bin/firefox-esr',
        headless: true,
        userDataDir: fs.mkdtempSync(path.join(env.work, 'firefox-profile-')),
        extraPrefsFirefox: { 'layout.css.devPixelsPerPx': String(ratio) },
        defaultViewport: null,
        timeout: 60 * Seconds,
        protocolTimeout: 60 * Seconds,
      });
      const page = (await browser.pages())[0] || (await browser.newPage());
      const errors = [];
      page.on('console', (m) => m.type() === 'error' && errors.push(`console: ${m.text()}`));
      page.on('pageerror', (e) => errors.push(`page error: ${e.message}`));
      await page.setViewport({ width: 800, height: 600 });
      const session = {
        engine: 'firefox',
        version: await browser.version(),
        page,
        heldClock: false,
        async goto(url) {
          await page.goto(url, { timeout: 30 * Seconds });
          await waitUntilReady(session);
        },
        evaluate: (fn, arg) => page.evaluate(fn, arg),
        click: (x, y) => page.mouse.click(x, y),
        tap: (x, y) => page.touchscreen.tap(x, y),
        key: (name) => page.keyboard.press(name),
        settle: () => page.evaluate(nextFrame),
        errors: async () => errors,
        close: () => browser.close(),
      };
      return tracked(sessions, session);
    },
  };
}

// WebKitGTK's MiniBrowser through WebKitWebDriver and selenium-webdriver
// (classic WebDriver): MiniBrowser has no headless mode, so the test runs
// under xvfb-run; GDK_SCALE sets its device ratio. Classic WebDriver cannot
// see the console, so the page is opened as a copy with a watcher as its
// first script.
const Watcher = `<script>
window.watchedErrors = [];
addEventListener('error', (e) => watchedErrors.push('page error: ' + e.message));
addEventListener('unhandledrejection', (e) => watchedErrors.push('unhandled rejection: ' + e.reason));
addEventListener('securitypolicyviolation', (e) =>
  watchedErrors.push('refused by ' + e.effectiveDirective + ': ' + e.blockedURI.slice(0, 60)));
const consoleError = console.error.bind(console);
console.error = (...a) => (watchedErrors.push('console: ' + a.join(' ')), consoleError(...a));
</script>`;
async function webkit(env) {
  if (!process.env.DISPLAY)
    throw new Error('WebKitGTK needs a display: run the test under xvfb-run');
  const { Builder, Origin, Key } = require(path.join(env.modules, 'selenium-webdriver'));
  const remote = require(path.join(env.modules, 'selenium-webdriver/remote'));
  const keys = { Enter: Key.ENTER, ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN, KeyF: 'f' };
  const keyOf = (name) =>
    keys[name] ?? (name.startsWith('Numpad') ? Key[`NUMPAD${name.slice(6)}`] : name.slice(-1));
  const sessions = new Set();
  let opened = 0;
  return {
    close: () => closeAll(sessions),
    async open({ ratio = 1 } = {}) {
      // This session's number, taken before any await: sessions open side by side.
      const number = ++opened;
      const log = fs.openSync(path.join(env.work, `webdriver-${number}.log`), 'w');
      const service = new remote.DriverService.Builder('/usr/bin/WebKitWebDriver')
        .setLoopback(true)
        .setEnvironment({ ...process.env, GDK_BACKEND: 'x11', GDK_SCALE: String(ratio) })
        .setStdio(['ignore', log, log])
        .build();
      const address = await service.start(30 * Seconds).catch(async (error) => {
        await service.kill();
        throw error;
      });
      const driver = await new Builder()
        .usingServer(address)
        .withCapabilities({
          browserName: 'MiniBrowser',
          'webkitgtk:browserOptions': {
            binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
            args: ['--automation'],
          },
        })
        .build()
        .catch(async (error) => {
          await service.kill();
          throw error;
        });
      await driver.manage().setTimeouts({ script: 120 * Seconds });
      const watched = path.join(env.work, `watched-${number}.html`);
      const session = {
        engine: 'webkit',
        version: `MiniBrowser ${(await driver.getCapabilities()).get('browserVersion')}`,
        heldClock: false,
        async goto(url) {
          const page = fs.readFileSync(new URL(url.replace(/#.*/, '')), 'utf8');
          const policy = /<meta http-equiv="Content-Security-Policy"[^>]*>/.exec(page);
          if (!policy)
            throw new Error('the page has no Content-Security-Policy to put the watcher after');
          const at = policy.index + policy[0].length;
          fs.writeFileSync(watched, page.slice(0, at) + Watcher + page.slice(at));
          await driver.get('file://' + watched + (/#.*/.exec(url)?.[0] ?? ''));
          await waitUntilReady(session);
        },
        async evaluate(fn, arg) {
          const script = `const done = arguments[arguments.length - 1];
            Promise.resolve().then(() => (${fn})(arguments[0]))
              .then((v) => done({ v }), (e) => done({ e: String(e) }));`;
          const result = await driver.executeAsyncScript(script, arg);
          if ('e' in result) throw new Error(result.e);
          return result.v;
        },
        click: (x, y) =>
          driver
            .actions()
            .move({ x: Math.floor(x), y: Math.floor(y), origin: Origin.VIEWPORT })
            .press()
            .release()
            .perform(),
        tap: () => Promise.reject(new Error('no touch through WebKitWebDriver')),
        key: (name) => driver.actions().keyDown(keyOf(name)).keyUp(keyOf(name)).perform(),
        settle: () => session.evaluate(nextFrame),
        errors: () => session.evaluate(() => window.watchedErrors),
        async close() {
          await driver.quit().catch(() => {});
          await service.kill();
        },
      };
      tracked(sessions, session);
      // The window's toolbar aside, a viewport of 800 x 600.
      await driver.manage().window().setRect({ width: 800, height: 600 });
      const [w, h] = await driver.executeScript('return [innerWidth, innerHeight]');
      await driver
        .manage()
        .window()
        .setRect({ width: 1600 - w, height: 1200 - h });
      return session;
    },
  };
}

const Engines = { chromium, firefox, webkit };

// ---- A static server for a folder on 127.0.0.1 (the loopback counts as a
// secure origin): the names asked for are kept; stop() drops every connection.
function serve(env, folder) {
  const sirv = require(path.join(env.modules, 'sirv'));
  const handler = sirv(folder);
  const requests = [];
  const server = http.createServer((request, response) => {
    requests.push(
      decodeURIComponent(new URL(request.url, 'http://x').pathname).slice(1) || 'index.html',
    );
    handler(request, response, () => response.writeHead(404).end());
  });
  return new Promise((resolve) =>
    server.listen(0, '127.0.0.1', () =>
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        requests,
        stop: () =>
          new Promise((done) => {
            server.close(done);
            server.closeAllConnections();
          }),
      }),
    ),
  );
}

// ---- The page's layout, as fitToWindow in page.js works it out: the table
// at the largest whole multiple that fits under the menu bar, or where
// arrange() puts its pieces and the controls in the window less the menu
// bar, the safe areas (none on the screens checked here) and a Gap around.

// Phones, tablets and monitors: [width, height, device ratio, finger].
const Screens = [
  [320, 568, 2, true],
  [568, 320, 2, true],
  [360, 640, 3, true],
  [640, 360, 3, true],
  [390, 844, 3, true],
  [844, 390, 3, true],
  [768, 1024, 2, true],
  [1024, 768, 2, true],
  [1366, 1024, 2, true],
  [800, 600, 1, true],
  [480, 300, 1, false],
  [568, 320, 1, false],
  [640, 360, 1, false],
  [1280, 800, 1.5, false],
  [3840, 2160, 1, false],
];

// The sizes the page's style sheet gives the menu bar and the controls' text.
function pageStyle(html) {
  const css = /<style>([\s\S]*?)<\/style>/.exec(html)[1];
  const finger = css.slice(css.indexOf('@media (pointer: coarse)'));
  const rule = (text, selector) => {
    const at = text.search(new RegExp(`(^|\\n)\\s*${selector.replace(/[.>]/g, '\\$&')} \\{`));
    if (at < 0) throw new Error(`the page's style has no rule for ${selector}`);
    return text.slice(at, text.indexOf('}', at));
  };
  const px = (text, selector, property) =>
    Number(new RegExp(`\\s${property}: (?:calc\\()?([\\d.]+)px`).exec(rule(text, selector))[1]);
  return {
    menuHeight: px(css, '#menuBar', 'height'),
    fingerMenuHeight: px(finger, 'html.arranged #menuBar', 'height'),
    fingerMenuWidth: px(finger, 'html.arranged #menuBar > button', 'min-width'),
    // The table's own layout: each multiplied by the table's scale.
    captionFont: px(css, 'button.caption', 'font-size'),
    arrowFont: px(css, 'button.arrow', 'font-size'),
    betFont: px(css, '#betBox', 'font-size'),
  };
}
// The menu button's width with a mouse, its caption at the menu's 12 pixels
// in the page's own font (measured in chromium; browser_test.js holds the
// page to it).
const MouseMenuButtonWidth = 50.328125;
// The controls' text where the page arranges them (placeArrangement in page.js).
const arrangedFont = (name, k) => (name === 'BetBox' ? 28 * k : Math.max(18, 13 * k));

// What a player meets on a window of `width` x `height` CSS pixels: the
// table, the controls (by their names, with their text size), the menu
// button and the fifteen named parts, in CSS pixels of the window.
function layOut(page, [width, height], finger) {
  const { facts, style, arrange, mouthSize } = page;
  const [tableWidth, tableHeight] = facts.visible;
  const Gap = arrange.Gap;
  const box = (left, top, w, h) => ({
    left,
    top,
    width: w,
    height: h,
    right: left + w,
    bottom: top + h,
  });
  const fit = Math.min(width / tableWidth, (height - style.menuHeight) / tableHeight);
  let arrangement = null;
  let area = null;
  let menuHeight = style.menuHeight;
  if (finger || Math.floor(fit) < 1) {
    if (finger) menuHeight = style.fingerMenuHeight;
    area = {
      left: Gap,
      top: menuHeight + Gap,
      width: width - 2 * Gap,
      height: height - menuHeight - 2 * Gap,
    };
    arrangement = arrange.arrange(area, finger, facts, mouthSize);
  }
  let table, blocks, controls, menu;
  const menuWidth = finger ? style.fingerMenuWidth : MouseMenuButtonWidth;
  if (arrangement) {
    const [x, y, w, h] =
      arrangement.kind === 'table' ? arrangement.table : [0, 0, area.width, area.height];
    table = box(area.left + x, area.top + y, w, h);
    blocks = arrangement.blocks.map((b) => ({ ...b, x: b.x + area.left, y: b.y + area.top }));
    const k = arrangement.kind === 'table' ? arrangement.blocks[0].scale : 1;
    controls = Object.entries(arrangement.controls).map(([name, [left, top, w, h]]) => ({
      name,
      box: box(area.left + left, area.top + top, w, h),
      font: arrangedFont(name, k),
    }));
    menu = box(0, 0, menuWidth, menuHeight);
  } else {
    // The window's own layout, centred: the menu bar over the table.
    const k = Math.floor(fit) >= 1 ? Math.floor(fit) : fit;
    const left = (width - tableWidth * k) / 2;
    table = box(left, menuHeight, tableWidth * k, tableHeight * k);
    blocks = [{ piece: [0, 0, tableWidth, tableHeight], x: left, y: menuHeight, scale: k }];
    const fonts = { BetBox: style.betFont, UpButton: style.arrowFont, DownButton: style.arrowFont };
    controls = Object.entries(facts.controls).map(
      ([
        name,
        {
          rect: [l, t, r, b],
        },
      ]) => ({
        name,
        box: box(left + l * k, menuHeight + t * k, (r - l) * k, (b - t) * k),
        font: (fonts[name] ?? style.captionFont) * k,
      }),
    );
    menu = box(left, 0, menuWidth, menuHeight);
  }
  // Each part through the piece that holds its middle (onScreen in page.js).
  const parts = facts.parts.map(([left, top, right, bottom]) => {
    const [x, y] = [(left + right) / 2, (top + bottom) / 2];
    const b = blocks.find(({ piece: p }) => x >= p[0] && x < p[2] && y >= p[1] && y < p[3]);
    if (!b) return box(0, 0, 0, 0);
    return box(
      b.x + (left - b.piece[0]) * b.scale,
      b.y + (top - b.piece[1]) * b.scale,
      (right - left) * b.scale,
      (bottom - top) * b.scale,
    );
  });
  const scrolls = !arrangement && (table.width > width || table.bottom > height);
  return {
    size: [width, height],
    finger,
    arrangement: arrangement && arrangement.kind,
    // The last piece's, as the page's scale() tells it after drawing.
    scale: blocks[blocks.length - 1].scale,
    scrolls,
    table,
    controls,
    menu,
    parts,
  };
}

// The same, measured in the page (run in the page).
function measureLayout() {
  const box = (element) => element.getBoundingClientRect().toJSON();
  const surface = document.getElementById('surface');
  return {
    size: [innerWidth, innerHeight],
    finger: matchMedia('(pointer: coarse)').matches,
    arrangement: window.bluffwick.arrangement(),
    scale: window.bluffwick.scale() / devicePixelRatio,
    scrolls:
      document.scrollingElement.scrollWidth > innerWidth ||
      document.scrollingElement.scrollHeight > innerHeight,
    table: box(document.getElementById('table')),
    canvas: { ...box(surface), pixels: [surface.width, surface.height] },
    controls: [...document.querySelectorAll('#table .control')].map((element) => ({
      name: element.dataset.control,
      box: box(element),
      font: parseFloat(getComputedStyle(element).fontSize),
    })),
    menu: box(document.getElementById('helpMenuButton')),
    parts: [...document.querySelectorAll('#parts > div')].map(box),
  };
}

// Where a measured layout differs from the one worked out (to 1/64 pixel,
// the layout's own unit), as a list of words.
function layoutDifferences(expected, measured) {
  const found = [];
  const boxes = (what, a, b) => {
    for (const side of ['left', 'top', 'width', 'height'])
      if (Math.abs(a[side] - b[side]) > 1 / 64)
        found.push(`${what} ${side} ${b[side]} for ${a[side]}`);
  };
  for (const key of ['arrangement', 'finger', 'scrolls'])
    if (expected[key] !== measured[key]) found.push(`${key} ${measured[key]} for ${expected[key]}`);
  if (Math.abs(expected.scale - measured.scale) > 1e-9)
    found.push(`scale ${measured.scale} for ${expected.scale}`);
  boxes('the table', expected.table, measured.table);
  boxes('the menu', expected.menu, measured.menu);
  for (const c of expected.controls) {
    const m = measured.controls.find((d) => d.name === c.name);
    boxes(c.name, c.box, m.box);
    if (Math.abs(c.font - m.font) > 0.01) found.push(`${c.name}'s text ${m.font} for ${c.font}`);
  }
  expected.parts.forEach((part, k) => boxes(`part ${k}`, part, measured.parts[k]));
  return found;
}

// The page's pieces for layOut: the core's facts, arrange.js, the style
// sheet, the mouth's size and the speech font.
async function pageLayout(env) {
  const { facts } = await loadCore(env.coreFile);
  const assets = vm.runInNewContext(
    fs.readFileSync(path.join(env.site, 'bluffwick-assets.js'), 'utf8') + ';BluffwickAssets',
  );
  const mouth = loadBitmaps(env.res)[Object.keys(facts.mouths)[0]];
  return {
    facts,
    // The site joins it with the page's other scripts; the source is the same text.
    arrange: require(path.join(__dirname, '..', '..', 'web', 'arrange.js')),
    style: pageStyle(fs.readFileSync(env.page, 'utf8')),
    mouthSize: [mouth.width, mouth.height],
    speechFont: assets.proportional,
    speechCell: assets.speech.height,
  };
}

// What must hold on every screen, as a list of problems: nothing scrolls,
// every part and control is on screen, cards and the speech stay large
// enough, and a finger gets controls of 44 x 44 pixels, 8 apart, in an
// arrangement of its own.
function screenProblems(page, m) {
  const { facts, speechFont: font, speechCell } = page;
  const Finger = 44; // the least a finger can be asked to hit
  const problems = [];
  if (m.scrolls) problems.push('it scrolls');
  const inside = (b) =>
    b.left >= -0.5 && b.top >= -0.5 && b.right <= m.size[0] + 0.5 && b.bottom <= m.size[1] + 0.5;
  const offScreen = [...m.controls.map((c) => c.box), m.menu, ...m.parts].filter(
    (b) => !inside(b) || b.width <= 0,
  );
  if (offScreen.length) problems.push(`${offScreen.length} parts or controls off screen`);
  const speechScale = m.parts[0].height / (facts.parts[0][3] - facts.parts[0][1]);
  const speechEm = (speechScale * speechCell * font.unitsPerEm) / (font.ascent + font.descent);
  const narrowest = Math.min(...m.parts.slice(1, 11).map((b) => b.width));
  // A window smaller than the smallest phone only has to show everything.
  const tiny = m.size[0] * m.size[1] < 320 * 568;
  if (narrowest < 40 && !tiny) problems.push(`a card ${narrowest.toFixed(1)} pixels wide`);
  if (speechEm < 12 && !tiny) problems.push(`speech at ${speechEm.toFixed(1)} pixels`);
  // ▲ and ▼ are symbols, drawn as small as the program draws them.
  const smallFont = m.controls.filter((c) => c.font < 12 && !/^(Up|Down)Button$/.test(c.name));
  if (smallFont.length) problems.push(`${smallFont.map((c) => c.name)} in text under 12 pixels`);
  if (m.finger) {
    const small = [...m.controls.map((c) => c.box), m.menu].filter(
      (b) => b.width < Finger || b.height < Finger,
    );
    if (small.length) problems.push(`${small.length} controls under 44 x 44`);
    const apart = (a, b) =>
      Math.max(b.left - a.right, a.left - b.right, b.top - a.bottom, a.top - b.bottom) >= 7.99;
    const boxes = m.controls.map((c) => c.box);
    const close = boxes.filter((a, i) => boxes.some((b, j) => j > i && !apart(a, b)));
    if (close.length) problems.push(`${close.length} controls closer than 8 pixels`);
    if (m.arrangement === null) problems.push("a finger got the mouse's arrangement");
  }
  return problems;
}

module.exports = {
  Seconds,
  setup,
  loadCore,
  readScript,
  NodeMatch,
  PageMatch,
  twoDeals,
  compareWithNative,
  loadBitmaps,
  fourColourFaces,
  checkPictures,
  Engines,
  serve,
  Screens,
  pageLayout,
  layOut,
  measureLayout,
  layoutDifferences,
  screenProblems,
};
