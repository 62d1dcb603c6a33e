// The page in the other two engines: Firefox ESR through puppeteer-core over
// WebDriver BiDi, WebKitGTK's MiniBrowser through WebKitWebDriver (classic
// WebDriver over HTTP) on a display of its own. Their clocks run freely, so the
// script for the native program is written from the seconds the page read. One
// deal by pointer clicks and one by keys must give the native program's
// operations; the pictures on the canvas must be the bitmaps at ratio 1 and 2;
// nothing may raise an error or log one.
//   node engines_test.js firefox|webkit NODE_MODULES PAGE.html RECORD-MATCH RES-FOLDER WORK-FOLDER
'use strict';
const fs = require('fs');
const net = require('net');
const path = require('path');
const { spawn } = require('child_process');
const {
  check: checkLine,
  finish,
  againstNative,
  loadBitmaps,
  readCanvas,
  wrongPixels,
  Slot,
  DealClicks,
} = require('./page_checks');

const [engine, nodeModules, pagePath, recordMatch, resFolder, workFolder] = process.argv.slice(2);
const Seconds = 1000;

const check = (ok, what) => checkLine(ok, `${engine}: ${what}`);

// Everything the browsers write (profiles, caches, temporary files) stays here.
fs.rmSync(workFolder, { recursive: true, force: true });
for (const dir of ['home', 'tmp']) fs.mkdirSync(path.join(workFolder, dir), { recursive: true });
Object.assign(process.env, {
  HOME: path.join(workFolder, 'home'),
  XDG_CACHE_HOME: path.join(workFolder, 'home/.cache'),
  XDG_CONFIG_HOME: path.join(workFolder, 'home/.config'),
  XDG_DATA_HOME: path.join(workFolder, 'home/.local/share'),
  TMPDIR: path.join(workFolder, 'tmp'),
});

// Processes started here end with the test, however it ends.
const children = [];
process.on('exit', () => children.forEach((child) => child.exitCode === null && child.kill()));
setTimeout(() => {
  console.log(`FAIL ${engine}: not done in 400 s`);
  process.exit(2);
}, 400 * Seconds).unref();

const bitmaps = loadBitmaps(resFolder);

// ---- Firefox ESR: a real pointer and keyboard through BiDi input actions;
// the device ratio from the layout.css.devPixelsPerPx preference.
async function openFirefox(url, ratio) {
  const puppeteer = require(path.resolve(nodeModules, 'puppeteer-core'));
  const browser = await puppeteer.launch({
    browser: 'firefox',
    protocol: 'webDriverBiDi',
    executablePath: '/usr/bin/firefox-esr',
    headless: true,
    userDataDir: path.join(workFolder, `firefox-profile-${ratio}`),
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
  await page.goto(url, { timeout: 30 * Seconds });
  return {
    version: await browser.version(),
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    click: (x, y) => page.mouse.click(x, y),
    key: (name) => page.keyboard.press(name),
    errors: async () => errors,
    close: () => browser.close(),
  };
}

// ---- WebKitGTK: MiniBrowser has no headless mode, so it gets an Xvfb of its
// own; GDK_SCALE sets its device ratio. Classic WebDriver cannot see the
// console, so the page is opened as a copy with a watcher as its first script.
let xvfbDisplay = null; // the promise of its display, started once
function startXvfb() {
  return new Promise((resolve, reject) => {
    const log = fs.openSync(path.join(workFolder, 'xvfb.log'), 'w');
    // Room for an 800 x 600 viewport at ratio 2; the display's number comes on fd 3.
    const args = ['-displayfd', '3', '-screen', '0', '2048x1536x24', '-nolisten', 'tcp'];
    const xvfb = spawn('Xvfb', args, { stdio: ['ignore', log, log, 'pipe'] });
    children.push(xvfb);
    let text = '';
    xvfb.stdio[3].on('data', (data) => {
      text += data;
      if (text.includes('\n')) resolve(`:${text.trim()}`);
    });
    xvfb.on('exit', (code) => reject(new Error(`Xvfb ended (${code})`)));
    setTimeout(() => reject(new Error('Xvfb gave no display')), 20 * Seconds).unref();
  });
}

const freePort = () =>
  new Promise((resolve) => {
    const server = net.createServer().listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });

async function webDriver(base, method, where, body) {
  const response = await fetch(base + where, {
    method,
    headers: { 'content-type': 'application/json' },
    body: body === undefined ? undefined : JSON.stringify(body),
    signal: AbortSignal.timeout(40 * Seconds),
  });
  const { value } = await response.json();
  if (!response.ok) throw new Error(`${method} ${where}: ${value.error}: ${value.message}`);
  return value;
}

const Watcher = `<script>
window.watchedErrors = [];
addEventListener('error', (e) => watchedErrors.push('page error: ' + e.message));
addEventListener('unhandledrejection', (e) => watchedErrors.push('unhandled rejection: ' + e.reason));
addEventListener('securitypolicyviolation', (e) =>
  watchedErrors.push('refused by ' + e.effectiveDirective + ': ' + e.blockedURI.slice(0, 60)));
const consoleError = console.error.bind(console);
console.error = (...a) => (watchedErrors.push('console: ' + a.join(' ')), consoleError(...a));
</script>`;

const WebKitKeys = { Enter: '\uE007', ArrowUp: '\uE013', ArrowDown: '\uE015', KeyF: 'f' };

async function openWebKit(url, ratio) {
  xvfbDisplay = xvfbDisplay || startXvfb();
  const screen = await xvfbDisplay;
  // The port is free when chosen; should another process take it first, the
  // driver ends and another is tried.
  let base = null;
  for (let attempt = 0; attempt < 5 && !base; ++attempt) {
    const port = await freePort();
    const log = fs.openSync(path.join(workFolder, `webdriver-${ratio}.log`), 'a');
    const driver = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`], {
      env: { ...process.env, DISPLAY: screen, GDK_BACKEND: 'x11', GDK_SCALE: String(ratio) },
      stdio: ['ignore', log, log],
    });
    children.push(driver);
    for (let wait = 0; wait < 200 && driver.exitCode === null && !base; ++wait) {
      await fetch(`http://127.0.0.1:${port}/status`, { signal: AbortSignal.timeout(Seconds) })
        .then((r) => r.ok && (base = `http://127.0.0.1:${port}`))
        .catch(() => new Promise((resolve) => setTimeout(resolve, 50)));
    }
  }
  if (!base) throw new Error('WebKitWebDriver did not start');
  const { sessionId, capabilities } = await webDriver(base, 'POST', '/session', {
    capabilities: {
      alwaysMatch: {
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': {
          binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
          args: ['--automation'],
        },
      },
    },
  });
  const call = (method, where, body) =>
    webDriver(base, method, `/session/${sessionId}${where}`, body);
  const evaluate = async (fn, ...args) => {
    const script = `const done = arguments[arguments.length - 1];
      Promise.resolve().then(() => (${fn}).apply(null, [].slice.call(arguments, 0, -1)))
        .then((v) => done({ v }), (e) => done({ e: String(e) }));`;
    const result = await call('POST', '/execute/async', { script, args });
    if ('e' in result) throw new Error(result.e);
    return result.v;
  };
  // The window's toolbar aside, a viewport of 800 x 600.
  await call('POST', '/window/rect', { width: 800, height: 600 });
  const [w, h] = await evaluate(() => [innerWidth, innerHeight]);
  await call('POST', '/window/rect', { width: 1600 - w, height: 1200 - h });
  const watched = path.join(workFolder, `watched-at-ratio-${ratio}.html`);
  const page = fs.readFileSync(pagePath, 'utf8');
  const policy = /<meta http-equiv="Content-Security-Policy"[^>]*>/.exec(page);
  if (!policy) throw new Error('the page has no Content-Security-Policy to put the watcher after');
  const at = policy.index + policy[0].length;
  fs.writeFileSync(watched, page.slice(0, at) + Watcher + page.slice(at));
  await call('POST', '/url', { url: url.replace(path.resolve(pagePath), watched) });
  const perform = (source) => call('POST', '/actions', { actions: [source] });
  return {
    version: `MiniBrowser ${capabilities.browserVersion}`,
    evaluate,
    click: (x, y) =>
      perform({
        type: 'pointer',
        id: 'mouse',
        parameters: { pointerType: 'mouse' },
        actions: [
          { type: 'pointerMove', x, y, origin: 'viewport', duration: 0 },
          { type: 'pointerDown', button: 0 },
          { type: 'pointerUp', button: 0 },
        ],
      }),
    key: (name) => {
      const value = WebKitKeys[name] || name.replace('Digit', '');
      return perform({
        type: 'key',
        id: 'keyboard',
        actions: [
          { type: 'keyDown', value },
          { type: 'keyUp', value },
        ],
      });
    },
    errors: () => evaluate(() => window.watchedErrors),
    close: () => call('DELETE', ''),
  };
}

// ---- The same checks in either engine.

async function open(ratio) {
  const url = 'file://' + path.resolve(pagePath) + '#record';
  const b = await (engine === 'firefox' ? openFirefox : openWebKit)(url, ratio);
  const ready = await b.evaluate(
    () =>
      new Promise((resolve) => {
        const begun = performance.now();
        const poll = () =>
          (window.bluffwick && window.bluffwick.ready) || performance.now() - begun > 30000
            ? resolve(!!(window.bluffwick && window.bluffwick.ready))
            : setTimeout(poll, 20);
        poll();
      }),
  );
  if (!ready) throw new Error('the page did not paint its first table in 30 s');
  return b;
}

// Until the next frame has been drawn, for the canvas to show the last change.
const settle = (b) =>
  b.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0))));

// A click at the centre of table pixel (x, y), or of a control, in whole CSS
// pixels: the table sits at whole pixels, so that is inside pixel (x, y).
async function clickTable(b, x, y) {
  const box = await b.evaluate(() => {
    const r = document.getElementById('table').getBoundingClientRect();
    return [r.left, r.top, r.width / 634];
  });
  await b.click(Math.floor(box[0] + (x + 0.5) * box[2]), Math.floor(box[1] + (y + 0.5) * box[2]));
}
async function clickControl(b, selector) {
  const [x, y] = await b.evaluate((s) => {
    const r = document.querySelector(s).getBoundingClientRect();
    return [r.left + r.width / 2, r.top + r.height / 2];
  }, selector);
  await b.click(Math.floor(x), Math.floor(y));
}

// The round timer runs on the page's own clock: its steps until it stops.
async function waitForTimer(b) {
  const stopped = await b.evaluate(
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
  await settle(b);
}

const enabledControls = (b) =>
  b.evaluate(() =>
    [...document.querySelectorAll('#table button.control')]
      .filter((e) => !e.disabled)
      .map((e) => e.id),
  );

// Start, by a click or Enter; the script gets the second the shuffle read.
async function start(b, script, how) {
  const before = await b.evaluate(() => window.bluffwick.clockReads.length);
  await (how === 'keys' ? b.key('Enter') : clickControl(b, '#startButton'));
  const reads = await b.evaluate((n) => window.bluffwick.clockReads.slice(n), before);
  script.push(`clock ${reads[reads.length - 1]}`, 'press StartButton');
}

// The canvas at `ratio` device pixels per table pixel: every card, counter and
// the mouth must be its bitmap, each pixel an exact ratio x ratio block.
async function checkPictures(b, ratio, when) {
  const wrong = wrongPixels(bitmaps, await b.evaluate(readCanvas), ratio);
  check(wrong === 0, `${when}, ratio ${ratio}: the pictures are their bitmaps (${wrong} differ)`);
}

async function checkErrors(b, when) {
  const errors = await b.errors();
  check(
    errors.length === 0,
    `${when}: no page error, no error in the console` +
      (errors.length ? ` (${errors.length}: ${errors.join(' | ').slice(0, 300)})` : ''),
  );
}

// One deal by pointer clicks, one by keys, then the native program on the
// same script.
async function twoDeals() {
  const b = await open(1);
  console.log(`     ${b.version}`);
  const facts = await b.evaluate(() => [
    window.devicePixelRatio,
    window.bluffwick.scale(),
    !matchMedia('(pointer: coarse)').matches,
    window.bluffwick.clockReads,
    window.bluffwick.openedAt.hour,
    `${innerWidth} x ${innerHeight}`,
  ]);
  check(
    facts[0] === 1 && facts[1] === 1 && facts[2],
    `opened at ratio 1 in ${facts[5]}, laid out for a mouse (ratio ${facts[0]}, scale ${facts[1]})`,
  );
  const script = [`clock ${facts[3][facts[3].length - 1]}`, `hour ${facts[4]}`, 'open'];
  await settle(b);
  await checkPictures(b, 1, 'the opening');

  await start(b, script, 'mouse');
  for (const [x, y] of DealClicks) {
    await clickTable(b, x, y);
    script.push(`click ${x} ${y}`);
  }
  await settle(b);
  await checkPictures(b, 1, 'with marked cards');
  await clickControl(b, '#changeButton');
  await waitForTimer(b);
  script.push('press ChangeButton', 'run');
  if ((await enabledControls(b)).includes('upButton')) {
    await clickControl(b, '#upButton');
    script.push('press UpButton');
  }
  await clickControl(b, '#okButton');
  await waitForTimer(b);
  script.push('press OkButton', 'run');

  await start(b, script, 'keys');
  for (const n of [1, 3, 5, 2]) {
    await b.key(`Digit${n}`);
    script.push(`click ${Slot.left(4 + n)} ${Slot.top(4 + n)}`);
  }
  await b.key('KeyF'); // Fold is not enabled while choosing: nothing happens
  await b.key('Enter');
  await waitForTimer(b);
  script.push('press ChangeButton', 'run');
  if ((await enabledControls(b)).includes('upButton')) {
    await b.key('ArrowUp');
    script.push('press UpButton');
  }
  await b.key('Enter');
  await waitForTimer(b);
  script.push('press OkButton', 'run');
  check(
    (await enabledControls(b)).join() === 'startButton',
    'after two deals only Start is enabled',
  );
  await checkPictures(b, 1, 'after two deals');

  const record = await b.evaluate(() => window.bluffwick.record);
  const { native, same, difference } = againstNative(recordMatch, script, record, workFolder);
  check(
    native.length > 100 && same,
    `the page performed the native program's ${native.length} operations, in order${difference}`,
  );
  await checkErrors(b, 'through two deals');
  await b.close();
}

// At two device pixels a table pixel: a marked card.
async function ratioTwo() {
  const b = await open(2);
  const facts = await b.evaluate(() => [
    window.devicePixelRatio,
    window.bluffwick.scale(),
    `${innerWidth} x ${innerHeight}`,
  ]);
  check(
    facts[0] === 2 && facts[1] === 2,
    `at ratio 2 in ${facts[2]}, two device pixels a table pixel (ratio ${facts[0]}, scale ${facts[1]})`,
  );
  await clickControl(b, '#startButton');
  await clickTable(b, 250, 340);
  await settle(b);
  await checkPictures(b, 2, 'a marked card');
  // Reloaded, the page carries the match on from the browser's storage.
  const before = await b.evaluate(() => JSON.stringify(window.bluffwick.shown()));
  await b.evaluate(() => setTimeout(() => location.reload(), 0));
  let after = null;
  for (let tries = 0; tries < 300 && after === null; ++tries) {
    await new Promise((resolve) => setTimeout(resolve, 100));
    after = await b
      .evaluate(() =>
        window.bluffwick && window.bluffwick.ready && window.bluffwick.resumed
          ? JSON.stringify(window.bluffwick.shown())
          : null,
      )
      .catch(() => null);
  }
  check(after === before, 'reloaded, the page carries on the deal with its marked card');
  await settle(b);
  await checkPictures(b, 2, 'the resumed deal');
  await checkErrors(b, 'at ratio 2');
  await b.close();
}

async function main() {
  if (engine !== 'firefox' && engine !== 'webkit') throw new Error(`no engine ${engine}`);
  const begun = Date.now();
  // Side by side: the deals spend most of their time waiting on the game's pauses.
  await Promise.all([twoDeals(), ratioTwo()]);
  console.log(`     ${engine}: ${((Date.now() - begun) / 1000).toFixed(1)} s`);
  finish();
}

main().catch((error) => {
  console.error(error);
  process.exit(2);
});
