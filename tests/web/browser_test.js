// The page in a real browser: Debian's chromium, headless, through
// playwright-core, opened from file:// with its clock held by the test. One
// deal by clicks and one by keys must perform the native program's
// operations for the same clock and actions, with its controls, live region,
// parts' names and stored match; the canvas must be the program's bitmaps at
// ratio 1 and 2; nothing may be requested once the page has loaded; then
// whole match scripts through the page by mouse, keys and touch.
//   node browser_test.js --web BUILD/web --modules NODE_MODULES --record-match EXE --res RES --work FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const { test, before, after } = require('node:test');
const assert = require('node:assert');
const h = require('./harness');

const env = h.setup();
const Started = 1712300000; // whole seconds, UTC
const HourStarted = new Date(Started * 1000).getUTCHours();
// Opened as a check, the page records every operation for comparison.
const url = env.url + '#record';
let browser;
let page; // the page's layout under Node, with the core's facts
let bitmaps;
before(async () => {
  browser = await h.Engines.chromium(env);
  page = await h.pageLayout(env);
  bitmaps = h.loadBitmaps(env.res);
});
after(() => browser?.close());

const pictures = (session, ratio, when) =>
  h.checkPictures(session, page.facts, bitmaps, ratio, when);
const lastOf = (record, prefix) =>
  record
    .filter((line) => line.startsWith(prefix))
    .pop()
    .slice(prefix.length, -1);

test('at ratio 1: a deal by clicks and one by keys, as the native program plays them', async (t) => {
  const s = await browser.open({ clockAt: Started });
  const match = new h.PageMatch(s, url, 'mouse', page.facts);
  const opened = Date.now();
  for (const line of [`clock ${Started}`, `hour ${HourStarted}`, 'open']) await match.step(line);
  t.diagnostic(`the first painted table ${Date.now() - opened} ms after navigation began`);
  const requestsAtLoad = s.requests.length;

  assert.deepEqual(await match.enabled(), ['StartButton'], 'at the opening only Start is enabled');
  assert.equal(await s.page.inputValue('#betBox'), '1', 'the bet box reads 1');
  assert.deepEqual(
    h.layoutDifferences(h.layOut(page, [800, 600], false), await s.evaluate(h.measureLayout)),
    [],
    "800 x 600 with a mouse: the program's own arrangement, as layout_test.js works it out",
  );
  await pictures(s, 1, 'the opening');
  const { afterOne } = await h.twoDeals(match, (when) => pictures(s, 1, when));
  assert.deepEqual(afterOne, ['StartButton'], 'after the deal only Start is enabled again');
  await pictures(s, 1, 'after two deals');

  const record = await match.record();
  const { native, difference } = h.compareWithNative(env, match.lines, record, 'two-deals');
  assert.ok(native.length > 100, `the native record has only ${native.length} operations`);
  assert.equal(
    difference,
    null,
    `the page did not perform the native program's operations: ${difference}`,
  );

  // What the player sees of the controls is what the program's record left.
  const nativeEnabled = { StartButton: true };
  for (const line of native) {
    const m = /^Enable\((\w+), ([01])\)$/.exec(line);
    if (m) nativeEnabled[m[1]] = m[2] === '1';
  }
  const pageEnabled = await s.evaluate(() =>
    Object.fromEntries(
      [...document.querySelectorAll('.control')].map((e) => [e.dataset.control, !e.disabled]),
    ),
  );
  assert.deepEqual(
    pageEnabled,
    Object.fromEntries(Object.keys(page.facts.controls).map((n) => [n, !!nativeEnabled[n]])),
    "the controls enabled are the program's",
  );
  assert.equal(
    await s.page.inputValue('#betBox'),
    lastOf(native, 'WriteBetBox('),
    "the bet box is the program's",
  );

  const unlisted = await s.evaluate(() => window.bluffwick.unlistedSpeech);
  assert.deepEqual(unlisted, [], 'every line said was broken where the program breaks it');
  assert.equal(
    await s.page.textContent('#speechLive'),
    lastOf(native, 'ShowSpeech(').replace(/\\n/g, ''),
    'the live region holds the last line',
  );
  const names = await s.evaluate(() =>
    [...document.querySelectorAll('#parts > [role=img]')].map((e) => e.getAttribute('aria-label')),
  );
  assert.equal(names.length, 15, 'fifteen parts carry names');
  assert.match(names[14], /^あなた \d+ドル$/, "the player's money");
  for (const name of names.slice(6, 11))
    assert.match(name, /の(A|K|Q|J|\d+)/, "the player's cards");
  assert.deepEqual(s.requests.slice(requestsAtLoad), [], 'no request after load');
  assert.deepEqual(
    s.requests.filter((u) => !u.startsWith('file:') && !u.startsWith('data:')),
    [],
    'nothing from the network',
  );
  // The match as it stands: what the core under Node keeps after the same script.
  const stored = await s.evaluate(() => [
    document.cookie,
    Object.keys(localStorage).sort().join(),
    localStorage.getItem('bluffwick.match'),
  ]);
  const underNode = await h.NodeMatch.start(env.coreFile);
  for (const line of match.lines) await underNode.step(line);
  assert.deepEqual(
    stored,
    ['', 'bluffwick.match,bluffwick.owner', underNode.saved()],
    'no cookie; only the match in progress is stored, as it stands',
  );
  assert.match(stored[2], /^bluffwick-game \d+\nmoney \d+ \d+\n/, 'a saved game');
  await s.page.screenshot({ path: path.join(env.work, 'ratio-1.png') });

  // The menu: F1 and Help show the help file's text, About the version; the
  // home page opens in a new tab (not followed here: it would leave the file).
  await s.key('F1');
  const helpShown = await s.evaluate(
    () =>
      document.getElementById('helpDialog').open &&
      document.getElementById('helpText').textContent.includes('Bluffwick'),
  );
  assert.ok(helpShown, 'F1 shows the help');
  // The help is drawn in the whole fixed font, which comes after the first
  // paint; every face of both fonts is there and loaded. (Chromium quotes a
  // family name or not depending on how the face was given.)
  const faces = await s.evaluate(() =>
    [...document.fonts].map(
      (face) => `${face.family.replaceAll('"', '')} ${face.unicodeRange} ${face.status}`,
    ),
  );
  assert.deepEqual(
    faces.sort(),
    [
      'Bluffwick Gothic U+0-10FFFF loaded',
      'Bluffwick Gothic U+20-7E loaded',
      'Bluffwick PGothic U+0-10FFFF loaded',
    ],
    'the fonts',
  );
  // So is every picture of both decks, the faces from the block after the scripts.
  assert.deepEqual(await s.evaluate(() => window.bluffwick.undecoded()), [], 'every picture');
  await s.page.click('#helpDialog .closeDialog');
  await s.page.click('#helpMenuButton');
  await s.page.click('#aboutItem');
  const about = await s.evaluate(
    () =>
      document.getElementById('aboutDialog').open &&
      document.getElementById('aboutVersion').textContent,
  );
  assert.equal(about, 'バージョン 0.11a', 'About tells the version');
  await s.page.click('#aboutDialog .closeDialog');
  await s.page.click('#helpMenuButton');
  const home = await s.evaluate(() => {
    const a = document.getElementById('homePageItem');
    return a.target === '_blank' && a.href;
  });
  assert.equal(home, 'http://bluffwick.example.org/', 'the home page opens in a new tab');
  assert.deepEqual(await s.errors(), [], 'no page error, no error in the console');
  await s.close();
});

test('by touch, on a table twice its size (the window holds two tables)', async () => {
  const s = await browser.open({ width: 1400, height: 1000, touch: true, clockAt: Started });
  const match = new h.PageMatch(s, url, 'touch', page.facts);
  for (const line of ['open', 'press StartButton', 'click 215 330', 'click 470 330'])
    await match.step(line);
  await s.settle();
  const touched = await s.evaluate(() => [
    window.bluffwick.scale(),
    window.bluffwick.shown().slots.map(([, marked]) => marked),
  ]);
  assert.deepEqual(
    touched,
    [2, [false, false, false, false, false, true, false, false, true, false]],
    'taps mark the cards tapped, on the table shown at twice its size',
  );
  await pictures(s, 2, 'after taps');
  await s.close();
});

test('at ratio 2: the opening and a marked card, each picture 2 x 2 blocks', async () => {
  const s = await browser.open({ ratio: 2, clockAt: Started });
  const match = new h.PageMatch(s, url, 'mouse', page.facts);
  await match.step('open');
  assert.equal(
    await s.evaluate(() => window.bluffwick.scale()),
    2,
    'two device pixels a table pixel',
  );
  await match.step('press StartButton');
  await match.step('click 250 340');
  await s.settle();
  await pictures(s, 2, 'a marked card');
  await s.page.screenshot({ path: path.join(env.work, 'ratio-2.png') });
  await s.close();
});

// The four-colour deck, chosen in the menu or asked for by the system: the
// canvas shows exactly its faces, marks included, and switching takes no step
// of the game (no operation, nothing stored but the choice, the timer as it was).
test('the four-colour deck: by the menu, kept, and by the system asking for contrast', async (t) => {
  const faces = h.fourColourFaces(env.res);
  const recoloured = Object.entries(faces).filter(([plain, four]) =>
    bitmaps[plain].palette.some((c, k) => c.join() !== bitmaps[four].palette[k]?.join()),
  );
  assert.equal(Object.keys(faces).length, 52, 'a four-colour face for each card');
  assert.ok(recoloured.length >= 26, 'clubs and diamonds at least have colours of their own');
  const item = (s) =>
    s.evaluate(() => {
      const e = document.getElementById('deckItem');
      return [e.getAttribute('aria-checked'), e.getAttribute('aria-disabled')];
    });
  // A change of the media is told at the browser's next rendering, which a
  // headless page with its clock held may not have until it is asked for one
  // (a screenshot); then until the item shows what the media now ask (or 5 s,
  // and the checks below fail).
  const changed = async (s) => {
    await s.page.screenshot();
    await s.page
      .waitForFunction(
        () =>
          document.getElementById('deckItem').getAttribute('aria-checked') ===
          String(window.bluffwick.fourColour()),
        null,
        { polling: 20, timeout: 5000 },
      )
      .catch(() => {});
  };
  const state = (s) =>
    s.evaluate(() => ({
      stored: localStorage.getItem('bluffwick.match'),
      timer: window.bluffwick.timerRunning(),
      operations: window.bluffwick.record.length,
    }));

  for (const ratio of [1, 2]) {
    const s = await browser.open({ ratio, clockAt: Started });
    const match = new h.PageMatch(s, url, 'mouse', page.facts);
    for (const line of ['open', 'press StartButton', 'click 250 340', 'click 420 340'])
      await match.step(line);
    await s.settle();
    const shownFaces = (await s.evaluate(() => window.bluffwick.shown())).slots.map(([id]) => id);
    assert.ok(
      shownFaces.some((id) => recoloured.some(([plain]) => Number(plain) === id)),
      'a club or a diamond is dealt to the player, so the decks differ',
    );
    await pictures(s, ratio, "the program's deck");
    assert.deepEqual(await item(s), ['false', 'false']);

    const before = await state(s);
    await s.page.click('#helpMenuButton');
    await s.page.click('#deckItem');
    // At once: read before the page's clock moves on.
    await h.checkPictures(s, page.facts, bitmaps, ratio, 'chosen in the menu', faces);
    assert.deepEqual(await state(s), before, 'no step of the game, the timer as it was');
    assert.deepEqual(await item(s), ['true', 'false']);
    assert.equal(
      await s.evaluate(() => Object.keys(localStorage).sort().join()),
      'bluffwick.deck,bluffwick.match,bluffwick.owner',
      'the choice is kept beside the match',
    );
    await s.reload();
    await s.settle();
    await h.checkPictures(s, page.facts, bitmaps, ratio, 'after a reload', faces);
    assert.deepEqual(await item(s), ['true', 'false'], 'the choice survives a reload');
    await s.page.click('#helpMenuButton');
    await s.page.click('#deckItem');
    await s.settle();
    await pictures(s, ratio, 'chosen off again');

    for (const asked of [{ contrast: 'more' }, { forcedColors: 'active' }]) {
      const what = JSON.stringify(asked);
      await s.page.emulateMedia(asked);
      await changed(s);
      await h.checkPictures(s, page.facts, bitmaps, ratio, what, faces);
      assert.deepEqual(await item(s), ['true', 'true'], `${what}: shown on and not to be changed`);
      await s.page.click('#helpMenuButton');
      await s.page.click('#deckItem', { force: true }); // as a player may, though it is greyed
      assert.deepEqual(await item(s), ['true', 'true'], `${what}: the item does nothing`);
      await s.page.keyboard.press('Escape');
      await s.page.emulateMedia(Object.fromEntries(Object.keys(asked).map((k) => [k, null])));
      await changed(s);
      await pictures(s, ratio, `${what} no more`);
      assert.deepEqual(await item(s), ['false', 'false'], `${what} no more`);
    }
    assert.equal(await s.evaluate(() => localStorage.getItem('bluffwick.deck')), null);
    assert.deepEqual(await s.errors(), [], 'no page error, no error in the console');
    t.diagnostic(`ratio ${ratio}: ${recoloured.length} faces recoloured`);
    await s.close();
  }
});

test('at ratio 1.5, opened as a player opens it', async (t) => {
  const s = await browser.open({ ratio: 1.5 });
  await s.goto(env.url);
  assert.equal(await s.evaluate(() => window.bluffwick.record), null, 'the page records nothing');
  const canvas = await s.evaluate(() => [
    document.getElementById('surface').width,
    document.getElementById('surface').height,
  ]);
  assert.deepEqual(canvas, [951, 654], 'the canvas in device pixels, the pictures filtered');
  t.diagnostic(
    `the first painted table ${(await s.evaluate(() => window.bluffwick.paintedAt)).toFixed(0)} ms after navigation began`,
  );
  await s.context.grantPermissions(['clipboard-read', 'clipboard-write']);
  await s.key('Control+KeyC');
  const copied = await s.evaluate(() => navigator.clipboard.readText());
  assert.ok(
    copied.startsWith('やあ、') && copied.includes('\r\nあなた 20ドル'),
    `Ctrl+C copies the table as text: ${copied}`,
  );
  await s.page.screenshot({ path: path.join(env.work, 'ratio-1.5.png') });
  await s.close();
});

// A match script played through the page's own controls, keys or taps, with
// the page's clock as the script says (the opening's hour through the time
// zone): the page's record must be the native program's for the same script.
for (const [name, how] of [
  ['match_morning', 'mouse'],
  ['match_evening', 'keys'],
  ['first_deals', 'touch'],
]) {
  test(`${name}, played by ${how}: the native program's operations`, async () => {
    const file = path.join(__dirname, 'matches', `${name}.txt`);
    const script = h.readScript(file);
    const s = await browser.open({
      clockAt: script.opening,
      timezoneId: script.timezoneId,
      touch: how === 'touch',
    });
    const match = new h.PageMatch(s, url, how, page.facts);
    await match.play(script);
    await s.settle();
    const { difference } = h.compareWithNative(env, file, await match.record(), `${name}-${how}`);
    assert.equal(
      difference,
      null,
      `the page did not perform the native program's operations: ${difference}`,
    );
    assert.deepEqual(await s.errors(), [], 'no page error, no error in the console');
    await s.close();
  });
}

test('the page is at most 1.5 MiB', () => {
  const size = fs.statSync(env.page).size;
  assert.ok(size <= 1.5 * 1024 * 1024, `the page is ${size} bytes`);
});
