// The page as arranged in Debian's chromium, and the hosted copy: a phone held
// upright and one held sideways lay the table out exactly as layout_test.js
// works it out from arrange(); a deal played by taps on a phone, turned
// sideways and back in the middle, performs the native program's operations.
// Then site/ served on 127.0.0.1: installable, and once its worker is in
// charge, still dealing with the server gone.
//   node screens_test.js --web BUILD/web --modules NODE_MODULES --record-match EXE --res RES --work FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const { test, before, after } = require('node:test');
const assert = require('node:assert');
const h = require('./harness');

const env = h.setup();
const Started = 1712300000; // whole seconds, UTC
const Phone = { width: 390, height: 844, ratio: 3, touch: true, mobile: true };
let browser;
let page;
let bitmaps;
before(async () => {
  browser = await h.Engines.chromium(env);
  page = await h.pageLayout(env);
  bitmaps = h.loadBitmaps(env.res);
});
after(() => browser?.close());

// site/ served for one test, stopped with it.
async function servedSite(t) {
  const server = await h.serve(env, env.site);
  t.after(() => server.stop());
  return server;
}
const until = (tab, fn) => tab.waitForFunction(fn, null, { timeout: 30000 });

for (const [width, height] of [
  [390, 844],
  [844, 390],
]) {
  test(`${width} x ${height}, a phone at ratio 3: the page lays out as arrange() says`, async () => {
    const session = await browser.open({ ...Phone, width, height });
    await session.goto(env.url);
    const measured = await session.evaluate(h.measureLayout);
    const expected = h.layOut(page, [width, height], true);
    assert.deepEqual(h.layoutDifferences(expected, measured), []);
    assert.deepEqual(h.screenProblems(page, measured), []);
    assert.deepEqual(await session.errors(), []);
    await session.close();
  });
}

// Every screen, as the window is sized to it: no page or console error, and
// the page where layout_test.js works it out (a page for each device ratio
// and pointer, resized through its screens).
test('every screen: no error, and laid out as arrange() says', async (t) => {
  const kinds = new Map();
  for (const screen of h.Screens) {
    const kind = `${screen[2]},${screen[3]}`;
    kinds.set(kind, [...(kinds.get(kind) ?? []), screen]);
  }
  for (const screens of kinds.values()) {
    const [, , ratio, finger] = screens[0];
    const session = await browser.open({ ratio, touch: finger, mobile: finger });
    for (const [width, height] of screens) {
      await session.page.setViewportSize({ width, height });
      if (session.page.url() === 'about:blank') await session.goto(env.url);
      await session.settle(); // the frame after the resize, arranged again
      const what = `${width} x ${height} at ratio ${ratio}, ${finger ? 'finger' : 'mouse'}`;
      const measured = await session.evaluate(h.measureLayout);
      await t.test(what, async () => {
        assert.deepEqual(
          h.layoutDifferences(h.layOut(page, [width, height], finger), measured),
          [],
        );
        // The canvas, cut to the pieces, still holds every part; cut, it is
        // shown pixel for pixel.
        const { canvas, table } = measured;
        const beyond = (b, [near, far]) =>
          b[near] < canvas[near] - 1 / 64 || b[far] > canvas[far] + 1 / 64;
        const off = measured.parts.filter(
          (b) => beyond(b, ['left', 'right']) || beyond(b, ['top', 'bottom']),
        );
        assert.deepEqual(off, [], 'parts beyond the canvas');
        if (canvas.width < table.width || canvas.height < table.height)
          assert.deepEqual(canvas.pixels, [canvas.width * ratio, canvas.height * ratio]);
        assert.deepEqual(await session.errors(), [], 'no page or console error');
      });
    }
    await session.close();
  }
});

// A tap on the middle of a table part (6..10: the player's cards) where this
// arrangement shows it.
async function tapPart(session, part) {
  const b = await session.evaluate(
    (k) => document.querySelectorAll('#parts > div')[k].getBoundingClientRect().toJSON(),
    part,
  );
  await session.tap(b.x + b.width / 2, b.y + b.height / 2);
}

test('a deal by taps on a phone, turned sideways and back between taps', async () => {
  const session = await browser.open({ ...Phone, clockAt: Started });
  const match = new h.PageMatch(session, env.url + '#record', 'touch', page.facts);
  const [slots, tap] = [page.facts.slots, (part) => () => tapPart(session, part)];
  const click = (part) => `click ${slots[part - 1][0]} ${slots[part - 1][1]}`;
  for (const line of [`clock ${Started}`, `hour ${new Date(Started * 1000).getUTCHours()}`, 'open'])
    await match.step(line.split(' '));
  await match.step(['clock', Started + 4]);
  await match.step(['press', 'StartButton']);
  await match.act(click(6), tap(6));
  const before = await session.evaluate(() => window.bluffwick.record.length);
  await session.page.setViewportSize({ width: 844, height: 390 });
  await session.runFor(50);
  const turned = await session.evaluate(() => [
    window.bluffwick.arrangement(),
    window.bluffwick.record.length,
  ]);
  assert.deepEqual(
    turned,
    ['sideways', before],
    'turned sideways, the table is arranged again with no operation of the game',
  );
  await match.act(click(9), tap(9));
  await session.page.setViewportSize({ width: 390, height: 844 });
  await session.runFor(50);
  await match.act(click(8), tap(8));
  for (const line of ['press ChangeButton', 'run', 'press OkButton', 'run'])
    await match.step(line.split(' '));
  await session.page.screenshot({ path: path.join(env.work, 'phone-after-deal.png') });
  const record = await match.record();
  const { native, difference } = h.compareWithNative(env, match.lines, record, 'phone');
  assert.ok(native.length > 50, `the native record has only ${native.length} operations`);
  assert.equal(
    difference,
    null,
    `the page did not perform the native program's operations: ${difference}`,
  );
  assert.deepEqual(await session.errors(), [], 'no page or console error');
  await session.close();
});

test('the hosted copy: installable, kept by its worker, playable offline', async (t) => {
  const server = await servedSite(t);
  const session = await browser.openPersistent(path.join(env.work, 'profile'), {
    viewport: { width: 390, height: 844 },
    deviceScaleFactor: 3,
    hasTouch: true,
    isMobile: true,
  });
  const tab = session.page;
  await session.goto(server.url);
  // The first table's scripts and fonts are asked for by the markup, so a slow
  // network has them at once, not one by one as each script runs; and none of
  // its files twice (a preload not taken up is fetched again).
  const firstFiles = await session.evaluate(() =>
    performance
      .getEntriesByType('resource')
      .filter((entry) => entry.startTime < window.bluffwick.paintedAt)
      .map((entry) => [new URL(entry.name).pathname.slice(1), entry.initiatorType])
      .filter(([name]) => /\.(js|woff2|wasm)$|^pictures-/.test(name)),
  );
  const names = firstFiles.map(([name]) => name);
  const byScript = firstFiles.filter(
    ([name, initiator]) => /\.(js|woff2)$/.test(name) && !['link', 'script'].includes(initiator),
  );
  assert.deepEqual(byScript, [], `scripts and fonts named by the markup: ${names}`);
  assert.deepEqual(
    names.filter((name, i) => names.indexOf(name) !== i),
    [],
    `none twice: ${names}`,
  );
  const cdp = await session.context.newCDPSession(tab);
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  assert.deepEqual(
    installabilityErrors.map((e) => e.errorId),
    [],
    'installable',
  );
  await until(tab, () => navigator.serviceWorker.controller !== null);
  const kept = await session.evaluate(async () => {
    const names = await caches.keys();
    const cache = await caches.open(names[0]);
    const files = (await cache.keys()).map((r) => new URL(r.url).pathname.slice(1));
    return { names, files, stored: Object.keys(localStorage).sort().join() + document.cookie };
  });
  const siteFiles = fs.readdirSync(env.site);
  t.diagnostic(`the worker keeps ${kept.files.join(', ')} in ${kept.names.join(', ')}`);
  assert.equal(kept.names.length, 1, `one cache: ${kept.names}`);
  assert.match(kept.names[0], /^bluffwick-[0-9a-f]{16}$/);
  assert.deepEqual(
    siteFiles.filter((name) => !kept.files.includes(name)),
    [],
    'the worker keeps every file of the site',
  );
  assert.equal(kept.stored, 'bluffwick.match,bluffwick.owner', 'only the match is stored');
  await server.stop();
  await session.reload();
  await new h.PageMatch(session, server.url, 'touch', page.facts).press('StartButton');
  // The player's five slots show faces once the deal is done.
  const { cardFirst, back } = page.facts.pictures;
  const dealt = await tab
    .waitForFunction(
      ([first, end]) =>
        window.bluffwick
          .shown()
          .slots.slice(5)
          .every(([id]) => id >= first && id < end),
      [cardFirst, back],
      { timeout: 20000 },
    )
    .then(() => true)
    .catch(() => false);
  assert.ok(dealt, 'with the server stopped, the page reloads from the worker and deals');
  // The hosted copy keeps its match too: the deal is there after another reload.
  const cards = () => session.evaluate(() => JSON.stringify(window.bluffwick.shown().slots));
  const dealtCards = await cards();
  await session.reload();
  assert.ok(await session.evaluate(() => window.bluffwick.resumed), 'reloaded offline, resumed');
  assert.equal(await cards(), dealtCards, 'reloaded offline, the hosted copy carries its deal on');
  // Its module, picture sheets and fonts are files of its own, which the page
  // fetched itself (offline, from its worker).
  const ownFiles = siteFiles.filter((name) => /\.(wasm|woff2)$|^pictures-\d+\.png$/.test(name));
  const fetched = await session.evaluate(() =>
    performance.getEntriesByType('resource').map((entry) => new URL(entry.name).pathname.slice(1)),
  );
  assert.ok(
    ownFiles.some((name) => name.endsWith('.wasm')),
    `its module is a file: ${siteFiles}`,
  );
  assert.deepEqual(
    ownFiles.filter((name) => !fetched.includes(name)),
    [],
    'the page fetched each',
  );
  assert.deepEqual(
    [...new Set(server.requests)].filter(
      (name) => !siteFiles.includes(name) && name !== 'index.html',
    ),
    [],
    "only the site's own files were asked for",
  );
  assert.deepEqual(await session.errors(), [], 'no page or console error on the hosted copy');
  await tab.screenshot({ path: path.join(env.work, 'hosted-offline.png') });
  await session.close();
});

// The window is kept out of sight until the match is open; a core that never
// comes must not leave the page blank, but as it was, with the fault reported.
test('the hosted copy without its module: the window shows, the fault is reported', async (t) => {
  const server = await servedSite(t);
  const session = await browser.open(Phone);
  await session.page.route(/\.wasm$/, (route) => route.abort());
  await session.page.goto(server.url);
  await until(session.page, () => 'opened' in document.documentElement.dataset);
  const shown = await session.evaluate(() => {
    const menu = document.getElementById('menuBar').getBoundingClientRect();
    return getComputedStyle(document.getElementById('window')).display !== 'none' && menu.height;
  });
  assert.ok(shown > 0, 'the window and its menu bar are shown');
  assert.equal(await session.evaluate(() => window.bluffwick.ready), false, 'nothing dealt');
  assert.ok((await session.errors()).length > 0, 'the failed start is reported');
  await session.close();
});

// The faces' sheets come after the first paint: a deal that shows faces before
// their sheet is decoded draws the table without them, and again when it comes.
test('the hosted copy: faces whose sheet comes late are drawn when it comes', async (t) => {
  const server = await servedSite(t);
  const session = await browser.open({ width: 800, height: 600, ratio: 1 });
  const tab = session.page;
  // The first sheet (every table's pictures) passes; the faces' are held.
  const held = [];
  let first = true;
  await tab.route(/pictures-\d+\.png$/, (route) => {
    if (first) route.continue();
    else held.push(route);
    first = false;
  });
  await tab.goto(server.url);
  await until(tab, () => window.bluffwick && window.bluffwick.paintedAt);
  await session.evaluate(() => document.getElementById('startButton').click());
  await until(
    tab,
    () =>
      !window.bluffwick.timerRunning() &&
      window.bluffwick.shown().slots.some(([id]) => id in BluffwickAssets.pictures.marks),
  );
  assert.ok(held.length > 0, 'the faces were asked for after the paint, and held');
  assert.ok((await session.evaluate(() => window.bluffwick.undecoded())).length > 0);
  // Nothing of the game moves now; only the sheets' arrival can draw the faces.
  for (const route of held.splice(0)) await route.continue();
  await until(tab, () => window.bluffwick.ready);
  await session.settle();
  await h.checkPictures(session, page.facts, bitmaps, 1, 'faces drawn once their sheet came');
  assert.deepEqual(await session.errors(), []);
  await session.close();
});
