// The page in the other two engines: Firefox ESR through puppeteer-core over
// WebDriver BiDi, WebKitGTK's MiniBrowser through WebKitWebDriver and
// selenium-webdriver (run under xvfb-run). Their clocks run freely, so the
// script for the native program is written from the seconds the page read.
// One deal by pointer clicks and one by keys must give the native program's
// operations; the pictures on the canvas must be the bitmaps at ratio 1 and
// 2; a reload carries the deal on; nothing may raise an error or log one.
//   node engines_test.js --web BUILD/web --modules NODE_MODULES --record-match EXE --res RES --work FOLDER firefox|webkit
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert');
const h = require('./harness');

const env = h.setup();
const engine = env.words[0];
const url = env.url + '#record';
let browser;
let facts;
let bitmaps;
before(async () => {
  browser = await h.Engines[engine](env);
  ({ facts } = await h.loadCore(env.coreFile));
  bitmaps = h.loadBitmaps(env.res);
});
// Whatever a failed check left open ends with the test.
after(() => browser?.close());
const pictures = (s, ratio, when) => h.checkPictures(s, facts, bitmaps, ratio, when);

async function twoDeals(t) {
  const s = await browser.open({ ratio: 1 });
  t.diagnostic(s.version);
  const match = new h.PageMatch(s, url, 'mouse', facts);
  await match.step('open');
  const { size, ...seen } = await s.evaluate(() => ({
    ratio: window.devicePixelRatio,
    scale: window.bluffwick.scale(),
    mouse: !matchMedia('(pointer: coarse)').matches,
    size: `${innerWidth} x ${innerHeight}`,
  }));
  assert.deepEqual(seen, { ratio: 1, scale: 1, mouse: true }, `opened in ${size} for a mouse`);
  await s.settle();
  await pictures(s, 1, 'the opening');
  const { afterTwo } = await h.twoDeals(match, (when) => pictures(s, 1, when));
  assert.deepEqual(afterTwo, ['StartButton'], 'after two deals only Start is enabled');
  await pictures(s, 1, 'after two deals');
  const record = await match.record();
  const { native, difference } = h.compareWithNative(env, match.lines, record, 'two-deals');
  assert.ok(native.length > 100, `the native record has only ${native.length} operations`);
  assert.equal(difference, null, `not the native program's operations: ${difference}`);
  assert.deepEqual(await s.errors(), [], 'no page error, no error in the console');
  await s.close();
}

async function ratioTwo() {
  const s = await browser.open({ ratio: 2 });
  const match = new h.PageMatch(s, url, 'mouse', facts);
  await match.step('open');
  const seen = await s.evaluate(() => [window.devicePixelRatio, window.bluffwick.scale()]);
  assert.deepEqual(seen, [2, 2], 'two device pixels a table pixel');
  await match.step('press StartButton');
  await match.step('click 250 340');
  await s.settle();
  await pictures(s, 2, 'a marked card');
  // Reloaded, the page carries the match on from the browser's storage.
  const before = await s.evaluate(() => JSON.stringify(window.bluffwick.shown()));
  await s.evaluate(() => setTimeout(() => location.reload(), 0));
  let after = null;
  for (let tries = 0; tries < 300 && after === null; ++tries) {
    await new Promise((resolve) => setTimeout(resolve, 100));
    after = await s
      .evaluate(() =>
        window.bluffwick && window.bluffwick.ready && window.bluffwick.resumed
          ? JSON.stringify(window.bluffwick.shown())
          : null,
      )
      .catch(() => null);
  }
  assert.equal(after, before, 'reloaded, the page carries on the deal with its marked card');
  await s.settle();
  await pictures(s, 2, 'the resumed deal');
  assert.deepEqual(await s.errors(), [], 'no page error, no error in the console');
  await s.close();
}

// Side by side: the deals spend most of their time waiting on the game's pauses.
test(engine, { concurrency: 2, timeout: 400 * h.Seconds }, (t) =>
  Promise.all([
    t.test(
      'at ratio 1: a deal by pointer clicks and one by keys, as the program plays them',
      twoDeals,
    ),
    t.test('at ratio 2: a marked card, and the deal carried on after a reload', ratioTwo),
  ]),
);
