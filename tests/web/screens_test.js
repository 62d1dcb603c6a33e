// The page on phones, tablets and monitors, and the hosted copy, in Debian's
// chromium: over a spread of window sizes, device ratios and pointers nothing
// scrolls, every part is on screen, fingers get controls of 44 x 44 pixels 8
// apart, cards and texts stay large enough, and a mouse on a window the table
// fits keeps the program's own arrangement; a deal played by taps on a phone,
// turned sideways and back in the middle, performs the native program's
// operations. Then site/ served on 127.0.0.1: installable, and once its worker
// is in charge, still dealing with the server gone.
//   node screens_test.js PLAYWRIGHT-CORE PAGE.html SITE-FOLDER RECORD-MATCH WORK-FOLDER
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const { check, finish, againstNative } = require('./page_checks');

const [playwrightPath, pagePath, siteFolder, recordMatch, workFolder] = process.argv.slice(2);
const { chromium } = require(playwrightPath);

// What a player meets on this screen, measured in the page.
function measure() {
  const box = (element) => element.getBoundingClientRect();
  const controls = [...document.querySelectorAll('#table .control')].map((element) => ({
    id: element.id,
    box: box(element).toJSON(),
    font: parseFloat(getComputedStyle(element).fontSize),
  }));
  const parts = [...document.querySelectorAll('#parts > div')].map((e) => box(e).toJSON());
  return {
    scrolls:
      document.scrollingElement.scrollWidth > innerWidth ||
      document.scrollingElement.scrollHeight > innerHeight,
    size: [innerWidth, innerHeight],
    coarse: matchMedia('(pointer: coarse)').matches,
    arrangement: window.bluffwick.arrangement(),
    scale: window.bluffwick.scale() / devicePixelRatio,
    controls,
    menu: box(document.getElementById('helpMenuButton')).toJSON(),
    parts,
    font: BluffwickAssets.proportional,
    speechCell: BluffwickAssets.speech.height,
  };
}

const inside = (b, [w, h]) =>
  b.left >= -0.5 && b.top >= -0.5 && b.right <= w + 0.5 && b.bottom <= h + 0.5;
const apart = (a, b) =>
  Math.max(b.left - a.right, a.left - b.right, b.top - a.bottom, a.top - b.bottom) >= 7.99;

function checkScreen(m, what) {
  const problems = [];
  if (m.scrolls) problems.push('it scrolls');
  const offScreen = [...m.controls.map((c) => c.box), m.menu, ...m.parts].filter(
    (b) => !inside(b, m.size) || b.width <= 0,
  );
  if (offScreen.length) problems.push(`${offScreen.length} parts or controls off screen`);
  // The speech rectangle is 150 table pixels high; its text a 16-pixel cell.
  const speechScale = m.parts[0].height / 150;
  const speechEm =
    (speechScale * m.speechCell * m.font.unitsPerEm) / (m.font.ascent + m.font.descent);
  const narrowest = Math.min(...m.parts.slice(1, 11).map((b) => b.width));
  // A window smaller than the smallest phone only has to show everything.
  const tiny = m.size[0] * m.size[1] < 320 * 568;
  if (narrowest < 40 && !tiny) problems.push(`a card ${narrowest.toFixed(1)} pixels wide`);
  if (speechEm < 12 && !tiny) problems.push(`speech at ${speechEm.toFixed(1)} pixels`);
  // ▲ and ▼ are symbols, drawn as small as the program draws them.
  const smallFont = m.controls.filter((c) => c.font < 12 && !/^(up|down)Button$/.test(c.id));
  if (smallFont.length) problems.push(`${smallFont.map((c) => c.id)} in text under 12 pixels`);
  if (m.coarse) {
    const small = [...m.controls.map((c) => c.box), m.menu].filter(
      (b) => b.width < 44 || b.height < 44,
    );
    if (small.length) problems.push(`${small.length} controls under 44 x 44`);
    const boxes = m.controls.map((c) => c.box);
    const close = boxes.filter((a, i) => boxes.some((b, j) => j > i && !apart(a, b)));
    if (close.length) problems.push(`${close.length} controls closer than 8 pixels`);
    if (m.arrangement === null) problems.push("a finger got the mouse's arrangement");
  }
  check(
    problems.length === 0,
    `${what}: ${m.arrangement ?? "the program's arrangement"} at ${m.scale.toFixed(2)}` +
      (problems.length ? ` (${problems.join('; ')})` : ''),
  );
}

const Screens = [
  // [width, height, device ratio, finger]
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

async function open(browser, url, [width, height, ratio, finger], extra = {}) {
  const context = await browser.newContext({
    viewport: { width, height },
    deviceScaleFactor: ratio,
    hasTouch: finger,
    isMobile: finger,
    timezoneId: 'UTC',
    ...extra,
  });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  return { context, page, errors };
}

async function ready(page) {
  await page.waitForFunction(() => window.bluffwick && window.bluffwick.ready, null, {
    polling: 20,
    timeout: 30000,
  });
}

async function waitForTimer(page) {
  for (let ticks = 0; ticks < 100; ++ticks) {
    if (!(await page.evaluate(() => window.bluffwick.timerRunning()))) break;
    await page.clock.runFor(100);
  }
  await page.clock.runFor(50);
}

// A tap on the middle of a table part (6..10: the player's cards) where this
// arrangement shows it.
async function tapPart(page, part) {
  const b = await page.evaluate(
    (k) => document.querySelectorAll('#parts > div')[k].getBoundingClientRect().toJSON(),
    part,
  );
  await page.touchscreen.tap(b.x + b.width / 2, b.y + b.height / 2);
}

async function screens(browser) {
  const url = 'file://' + path.resolve(pagePath);
  for (const screen of Screens) {
    const { context, page, errors } = await open(browser, url, screen);
    await page.goto(url);
    await ready(page);
    const what = `${screen[0]} x ${screen[1]} at ratio ${screen[2]}, ${screen[3] ? 'finger' : 'mouse'}`;
    checkScreen(await page.evaluate(measure), what);
    if (errors.length) check(false, `${what}: ${errors.join(' | ')}`);
    await context.close();
  }
}

// One deal on a phone held upright, by taps, turned sideways and back while
// the cards are chosen: the native program's operations, line for line.
async function dealByTaps(browser) {
  const started = 1712300000;
  const url = 'file://' + path.resolve(pagePath) + '#record';
  const { context, page, errors } = await open(browser, url, [390, 844, 3, true]);
  await context.clock.install({ time: started * 1000 });
  await page.goto(url);
  await ready(page);
  await page.clock.pauseAt(Math.ceil((await page.evaluate(() => Date.now())) / 1000) * 1000 + 1000);
  await page.clock.runFor(50);
  const openedAt = await page.evaluate(() => window.bluffwick.openedAt);
  const script = ['clock ' + openedAt.seconds, 'hour ' + openedAt.hour, 'open'];
  await page.clock.runFor(3000);
  script.push('clock ' + (await page.evaluate(() => Math.floor(Date.now() / 1000))));
  await page.locator('#startButton').tap();
  script.push('press StartButton');
  const Slot = (k) => `click ${200 + 85 * k} 310`;
  await tapPart(page, 6);
  script.push(Slot(0));
  const before = await page.evaluate(() => window.bluffwick.record.length);
  await page.setViewportSize({ width: 844, height: 390 });
  await page.clock.runFor(50);
  const turned = await page.evaluate(() => [
    window.bluffwick.arrangement(),
    window.bluffwick.record.length,
  ]);
  check(
    turned[0] === 'sideways' && turned[1] === before,
    `turned sideways, the table is arranged again (${turned[0]}) with no operation of the game`,
  );
  await tapPart(page, 9);
  script.push(Slot(3));
  await page.setViewportSize({ width: 390, height: 844 });
  await page.clock.runFor(50);
  await tapPart(page, 8);
  script.push(Slot(2));
  await page.locator('#changeButton').tap();
  script.push('press ChangeButton');
  await waitForTimer(page);
  script.push('run');
  await page.locator('#okButton').tap();
  script.push('press OkButton');
  await waitForTimer(page);
  script.push('run');
  await page.screenshot({ path: path.join(workFolder, 'phone-after-deal.png') });

  const record = await page.evaluate(() => window.bluffwick.record);
  const { native, same, difference } = againstNative(recordMatch, script, record, workFolder);
  check(
    native.length > 50 && same,
    `a deal by taps on a phone: the native program's ${native.length} operations${difference}`,
  );
  check(errors.length === 0, `no page or console error (${errors.join(' | ')})`);
  await context.close();
}

// site/ on 127.0.0.1 (the loopback counts as a secure origin).
function serve(folder) {
  const types = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.png': 'image/png',
    '.webmanifest': 'application/manifest+json',
  };
  const requests = [];
  const server = http.createServer((request, response) => {
    const name =
      decodeURIComponent(new URL(request.url, 'http://x').pathname).slice(1) || 'index.html';
    requests.push(name);
    const file = path.join(folder, path.basename(name));
    if (!fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {
      'Content-Type': types[path.extname(file)] ?? 'application/octet-stream',
    });
    response.end(fs.readFileSync(file));
  });
  const sockets = new Set();
  server.on('connection', (socket) => {
    sockets.add(socket);
    socket.on('close', () => sockets.delete(socket));
  });
  return new Promise((resolve) =>
    server.listen(0, '127.0.0.1', () =>
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        requests,
        stop: () =>
          new Promise((done) => {
            for (const socket of sockets) socket.destroy();
            server.close(done);
          }),
      }),
    ),
  );
}

async function hosted() {
  const server = await serve(siteFolder);
  // A profile of its own, new each run: a private window cannot install anything.
  const profile = path.join(workFolder, 'profile');
  fs.rmSync(profile, { recursive: true, force: true });
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox'],
    viewport: { width: 390, height: 844 },
    deviceScaleFactor: 3,
    hasTouch: true,
    isMobile: true,
  });
  const page = context.pages()[0] ?? (await context.newPage());
  const errors = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  await page.goto(server.url);
  await ready(page);
  const cdp = await context.newCDPSession(page);
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  check(
    installabilityErrors.length === 0,
    `installable (${installabilityErrors.map((e) => e.errorId).join(', ') || 'no errors'})`,
  );
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, {
    timeout: 20000,
  });
  const kept = await page.evaluate(async () => {
    const names = await caches.keys();
    const cache = await caches.open(names[0]);
    const files = (await cache.keys()).map((r) => new URL(r.url).pathname.slice(1));
    return {
      names,
      files,
      stored: Object.keys(localStorage).sort().join() + document.cookie,
    };
  });
  const siteFiles = fs.readdirSync(siteFolder);
  check(
    kept.names.length === 1 &&
      /^bluffwick-[0-9a-f]{16}$/.test(kept.names[0]) &&
      siteFiles.every((name) => kept.files.includes(name)) &&
      kept.stored === 'bluffwick.match,bluffwick.owner',
    `the worker keeps all ${siteFiles.length} files in ${kept.names.join(', ')}, and only the match is stored` +
      ` (${kept.files.join(', ')}; ${kept.stored})`,
  );
  await server.stop();
  await page.reload();
  await ready(page);
  await page.locator('#startButton').tap();
  // The player's five slots show faces once the deal is done.
  const dealt = await page
    .waitForFunction(
      () =>
        window.bluffwick
          .shown()
          .slots.slice(5)
          .every(([id]) => id >= 102 && id < 154),
      null,
      { timeout: 20000 },
    )
    .then(() => true)
    .catch(() => false);
  check(dealt, 'with the server stopped, the page reloads from the worker and deals');
  // The hosted copy keeps its match too: the deal is there after another reload.
  const cards = () => page.evaluate(() => JSON.stringify(window.bluffwick.shown().slots));
  const before = await cards();
  await page.reload();
  await ready(page);
  check(
    (await page.evaluate(() => window.bluffwick.resumed)) && (await cards()) === before,
    'reloaded offline, the hosted copy carries its deal on',
  );
  check(
    server.requests.every((name) => siteFiles.includes(name) || name === 'index.html'),
    `only the site's own files were asked for (${[...new Set(server.requests)].join(', ')})`,
  );
  check(errors.length === 0, `no page or console error on the hosted copy (${errors.join(' | ')})`);
  await page.screenshot({ path: path.join(workFolder, 'hosted-offline.png') });
  await context.close();
}

async function main() {
  fs.mkdirSync(workFolder, { recursive: true });
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox'],
  });
  await screens(browser);
  await dealByTaps(browser);
  await browser.close();
  await hosted();
  finish();
}

main().catch((error) => {
  console.error(error);
  process.exit(2);
});
