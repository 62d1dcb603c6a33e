// The page in a real browser: Debian's chromium, headless, driven through its
// DevTools protocol. It opens bluffwick.html from file:// with the clock under
// the test's hand, plays one deal by clicks and one by keys, and checks the
// operations against the native program's for the same clock and actions, the
// controls, the live region, every picture on the canvas at ratio 1 and 2, and
// that nothing was requested once the page had loaded; then plays whole match
// scripts through the page by mouse, keys and touch.
//   node browser_test.js PLAYWRIGHT-CORE PAGE.html RECORD-MATCH RES-FOLDER WORK-FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const {
  check,
  finish,
  againstNative,
  loadBitmaps,
  readCanvas,
  wrongPixels,
  Slot,
  DealClicks,
  clickTable,
  waitForTimer,
} = require('./page_checks');

const [playwrightPath, pagePath, recordMatch, resFolder, workFolder] = process.argv.slice(2);
const { chromium } = require(playwrightPath);

const bitmaps = loadBitmaps(resFolder);

const ControlIds = {
  StartButton: 100,
  ChangeButton: 101,
  UpButton: 102,
  DownButton: 103,
  OkButton: 104,
  FoldButton: 105,
};
const ControlElement = {
  100: '#startButton',
  101: '#changeButton',
  102: '#upButton',
  103: '#downButton',
  104: '#okButton',
  105: '#foldButton',
};

// The canvas at `ratio` device pixels per table pixel: every picture the table
// shows must be its bitmap, each pixel an exact ratio x ratio block.
async function checkPictures(page, ratio, when) {
  const wrong = wrongPixels(bitmaps, await page.evaluate(readCanvas), ratio);
  check(
    wrong === 0,
    `${when}, ratio ${ratio}: every card, counter and the mouth are their bitmaps (${wrong} pixels differ)`,
  );
}

// A match script of tests/web/matches played through the page as a player
// would, by mouse, keys or touch, with the page's clock set as the script says
// (the opening's hour through the time zone); the page's record must be the
// native program's for the same script.
async function replayMatch(browser, url, scriptFile, how) {
  const lines = fs
    .readFileSync(scriptFile, 'utf8')
    .split('\n')
    .map((l) => l.replace(/#.*/, '').trim())
    .filter(Boolean);
  const opening = Number(lines.find((l) => l.startsWith('clock ')).split(' ')[1]);
  const hour = Number(lines.find((l) => l.startsWith('hour ')).split(' ')[1]);
  let offset = (hour - new Date(opening * 1000).getUTCHours() + 24) % 24;
  if (offset > 12) offset -= 24;
  const timezoneId = offset >= 0 ? `Etc/GMT-${offset}` : `Etc/GMT+${-offset}`;
  const context = await browser.newContext({
    viewport: { width: 800, height: 600 },
    deviceScaleFactor: 1,
    hasTouch: how === 'touch',
    timezoneId,
  });
  await context.clock.install({ time: opening * 1000 - 5000 });
  const page = await context.newPage();
  await page.goto('about:blank');
  const Keys = {
    StartButton: 'Enter',
    ChangeButton: 'Enter',
    OkButton: 'Enter',
    UpButton: 'ArrowUp',
    DownButton: 'ArrowDown',
    FoldButton: 'KeyF',
  };
  for (const line of lines) {
    const [verb, a, b] = line.split(/\s+/);
    if (verb === 'clock') {
      await (page.url() === 'about:blank'
        ? page.clock.pauseAt(Number(a) * 1000)
        : page.clock.setSystemTime(Number(a) * 1000));
    } else if (verb === 'open') {
      await page.goto(url);
      await page.waitForFunction(() => window.bluffwick && window.bluffwick.ready, null, {
        polling: 20,
      });
    } else if (verb === 'press') {
      const selector = ControlElement[ControlIds[a]];
      if (how === 'keys') await page.keyboard.press(Keys[a]);
      else if (how === 'touch') await page.locator(selector).tap({ timeout: 2000 });
      else await page.click(selector, { timeout: 2000 });
    } else if (verb === 'click') {
      const [x, y] = [Number(a), Number(b)];
      const position = [5, 6, 7, 8, 9].find(
        (s) => x >= Slot.left(s) && x < Slot.left(s) + 76 && y >= 310 && y < 418,
      );
      // A digit clicks its card at the corner: the same card, the same operations.
      if (how === 'keys' && position !== undefined)
        await page.keyboard.press(`Digit${position - 4}`);
      else if (how === 'touch') {
        const box = await page.locator('#table').boundingBox();
        await page.touchscreen.tap(box.x + x + 0.5, box.y + y + 0.5);
      } else await clickTable(page, x, y);
    } else if (verb === 'run') {
      await waitForTimer(page);
    } else if (verb !== 'hour') {
      throw new Error(`${scriptFile}: ${line}`);
    }
  }
  await page.clock.runFor(50);
  const record = await page.evaluate(() => window.bluffwick.record);
  const native = execFileSync(recordMatch, [scriptFile], { encoding: 'utf8' })
    .trimEnd()
    .split('\n');
  const first = native.findIndex((line, k) => line !== record[k]);
  const name = path.basename(scriptFile, '.txt');
  fs.writeFileSync(path.join(workFolder, `${name}-${how}.txt`), record.join('\n') + '\n');
  check(
    first < 0 && native.length === record.length,
    `${name}, played by ${how}: the page's ${record.length} operations are the native program's ${native.length}` +
      (first >= 0
        ? ` (first difference at ${first + 1}: ${native[first]} / ${record[first]})`
        : ''),
  );
  await context.close();
}

async function main() {
  fs.mkdirSync(workFolder, { recursive: true });
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox'],
  });
  const started = 1712300000; // whole seconds, UTC
  // Opened as a check, the page records every operation for comparison.
  const url = 'file://' + path.resolve(pagePath) + '#record';

  // ---- Ratio 1: one deal by clicks, one by keys.
  const context = await browser.newContext({
    viewport: { width: 800, height: 600 },
    deviceScaleFactor: 1,
    timezoneId: 'UTC',
  });
  await context.clock.install({ time: started * 1000 });
  const page = await context.newPage();
  const requests = [];
  page.on('request', (request) => requests.push(request.url()));
  const errors = [];
  page.on('console', (m) => m.type() === 'error' && errors.push(`console: ${m.text()}`));
  page.on('pageerror', (error) => errors.push(`page error: ${error.message}`));
  const opened = Date.now();
  await page.goto(url);
  await page.waitForFunction(() => window.bluffwick && window.bluffwick.ready, null, {
    polling: 20,
  });
  const firstPaint = Date.now() - opened;
  // From here the clock moves only as the test says.
  await page.clock.pauseAt(Math.ceil((await page.evaluate(() => Date.now())) / 1000) * 1000 + 1000);
  await page.clock.runFor(50);
  const requestsAtLoad = requests.length;
  const openedAt = await page.evaluate(() => window.bluffwick.openedAt);
  const script = ['clock ' + openedAt.seconds, 'hour ' + openedAt.hour, 'open'];
  const clockLine = async () =>
    script.push('clock ' + (await page.evaluate(() => Math.floor(Date.now() / 1000))));
  const enabledControls = () =>
    page.evaluate(() =>
      [...document.querySelectorAll('#table button.control')]
        .filter((b) => !b.disabled)
        .map((b) => b.id),
    );

  check((await enabledControls()).join() === 'startButton', 'at the opening only Start is enabled');
  check((await page.inputValue('#betBox')) === '1', 'the bet box reads 1');
  await checkPictures(page, 1, 'the opening');

  // Deal one, by clicks: two cards marked (one of them twice), Change, then
  // OK or Fold as the computer's bet allows, or a bet of 2 as dealer.
  await page.clock.runFor(3000);
  await clockLine();
  await page.click('#startButton');
  script.push('press StartButton');
  for (const [x, y] of DealClicks) {
    await clickTable(page, x, y);
    script.push(`click ${x} ${y}`);
  }
  await page.clock.runFor(50);
  await checkPictures(page, 1, 'with marked cards');
  await page.click('#changeButton');
  script.push('press ChangeButton');
  await waitForTimer(page);
  script.push('run');
  const enabled = await enabledControls();
  if (enabled.includes('upButton')) {
    await page.click('#upButton');
    script.push('press UpButton');
  }
  await page.click('#okButton');
  script.push('press OkButton');
  await waitForTimer(page);
  script.push('run');
  check(
    (await enabledControls()).join() === 'startButton',
    'after the deal only Start is enabled again',
  );

  // Deal two, by keys alone.
  await page.clock.runFor(4000);
  await clockLine();
  await page.keyboard.press('Enter');
  script.push('press StartButton');
  for (const key of ['Digit1', 'Numpad3', 'Digit3', 'Digit5']) {
    await page.keyboard.press(key);
    const slot = 5 + Number(key.slice(-1)) - 1;
    script.push(`click ${Slot.left(slot)} ${Slot.top(slot)}`);
  }
  // A digit held down marks its card once: the auto-repeat does nothing.
  await page.keyboard.down('Digit2');
  await page.keyboard.down('Digit2');
  await page.keyboard.down('Digit2');
  await page.keyboard.up('Digit2');
  script.push(`click ${Slot.left(6)} ${Slot.top(6)}`);
  await page.keyboard.press('KeyF'); // Fold is not enabled while choosing: nothing happens
  await page.keyboard.press('Enter');
  script.push('press ChangeButton');
  await page.keyboard.press('Enter'); // during the timed steps: nothing
  await waitForTimer(page);
  script.push('run');
  if ((await enabledControls()).includes('upButton')) {
    await page.keyboard.press('ArrowUp');
    script.push('press UpButton');
  }
  await page.keyboard.press('Enter');
  script.push('press OkButton');
  await waitForTimer(page);
  script.push('run');
  await checkPictures(page, 1, 'after two deals');

  // The same clock and actions, played by the native program.
  const record = await page.evaluate(() => window.bluffwick.record);
  const { native, same, difference } = againstNative(recordMatch, script, record, workFolder);
  check(
    native.length > 100 && same,
    `the page performed the native program's ${native.length} operations, in order${difference}`,
  );

  // What the player sees of the controls is what the program's record left.
  const nativeEnabled = { StartButton: true };
  for (const line of native) {
    const m = /^Enable\((\w+), ([01])\)$/.exec(line);
    if (m) nativeEnabled[m[1]] = m[2] === '1';
  }
  const pageEnabled = await page.evaluate(() =>
    Object.fromEntries([...document.querySelectorAll('.control')].map((e) => [e.id, !e.disabled])),
  );
  const ids = {
    StartButton: 'startButton',
    ChangeButton: 'changeButton',
    UpButton: 'upButton',
    DownButton: 'downButton',
    OkButton: 'okButton',
    FoldButton: 'foldButton',
    BetBox: 'betBox',
  };
  const lastBet = native
    .filter((line) => line.startsWith('WriteBetBox('))
    .pop()
    .slice(12, -1);
  check(
    Object.entries(ids).every(([n, id]) => !!nativeEnabled[n] === pageEnabled[id]) &&
      (await page.inputValue('#betBox')) === lastBet,
    `the controls enabled and the bet box (${lastBet}) are the program's`,
  );

  const unlisted = await page.evaluate(() => window.bluffwick.unlistedSpeech);
  check(
    unlisted.length === 0,
    `every line said was broken where the program breaks it (${unlisted.length} not listed)`,
  );
  const live = await page.textContent('#speechLive');
  const lastSpeech = native
    .filter((line) => line.startsWith('ShowSpeech('))
    .pop()
    .slice(11, -1)
    .replace(/\\n/g, '');
  check(live === lastSpeech, `the live region holds the last line: ${live}`);
  const names = await page.evaluate(() =>
    [...document.querySelectorAll('#parts > [role=img]')].map((e) => e.getAttribute('aria-label')),
  );
  check(
    names.length === 15 &&
      /^あなた \d+ドル$/.test(names[14]) &&
      names.slice(6, 11).every((n) => /の(A|K|Q|J|\d+)/.test(n)),
    `the parts carry their names (${names[6]}, ${names[12]}, ${names[14]})`,
  );
  check(
    requests.length === requestsAtLoad &&
      requests.every((u) => u.startsWith('file:') || u.startsWith('data:')),
    `no request after load (${requests.length - requestsAtLoad} after, ${requests.filter((u) => !u.startsWith('file:') && !u.startsWith('data:')).length} to the network)`,
  );
  const stored = await page.evaluate(() => [
    document.cookie,
    Object.keys(localStorage).sort().join(),
    localStorage.getItem('bluffwick.match'),
    window.bluffwick.roundState(),
  ]);
  check(
    !stored[0] &&
      stored[1] === 'bluffwick.match,bluffwick.owner' &&
      stored[2].startsWith('bluffwick-game 1\n') &&
      stored[2].includes(`\nround ${stored[3]}\n`),
    'no cookie; only the match in progress is stored, as it stands',
  );
  await page.screenshot({ path: path.join(workFolder, 'ratio-1.png') });

  // The menu: F1 and Help show the help file's text, About the version; the
  // home page opens in a new tab (not followed here: it would leave the file).
  await page.keyboard.press('F1');
  const helpShown = await page.evaluate(
    () =>
      document.getElementById('helpDialog').open &&
      document.getElementById('helpText').textContent.includes('Bluffwick'),
  );
  await page.click('#helpDialog .closeDialog');
  await page.click('#helpMenuButton');
  await page.click('#aboutItem');
  const about = await page.evaluate(
    () =>
      document.getElementById('aboutDialog').open &&
      document.getElementById('aboutVersion').textContent,
  );
  await page.click('#aboutDialog .closeDialog');
  await page.click('#helpMenuButton');
  const home = await page.evaluate(() => {
    const a = document.getElementById('homePageItem');
    return a.target === '_blank' && a.href;
  });
  check(
    helpShown && about === 'バージョン 0.11a' && home === 'http://bluffwick.example.org/',
    `F1 shows the help, About says "${about}", the home page opens in a new tab (${home})`,
  );
  check(
    errors.length === 0,
    `no page error, no error in the console (${errors.join(' | ').slice(0, 300) || 'none'})`,
  );
  await context.close();

  // ---- By touch, on a table twice its size (the window holds two tables).
  const touch = await browser.newContext({
    viewport: { width: 1400, height: 1000 },
    deviceScaleFactor: 1,
    hasTouch: true,
    isMobile: false,
    timezoneId: 'UTC',
  });
  await touch.clock.install({ time: started * 1000 });
  const page3 = await touch.newPage();
  await page3.goto(url);
  await page3.waitForFunction(() => window.bluffwick && window.bluffwick.ready, null, {
    polling: 20,
  });
  await page3.clock.pauseAt(
    Math.ceil((await page3.evaluate(() => Date.now())) / 1000) * 1000 + 1000,
  );
  const tap = async (x, y) => {
    const box = await page3.locator('#table').boundingBox();
    const k = box.width / 634;
    await page3.touchscreen.tap(box.x + (x + 0.5) * k, box.y + (y + 0.5) * k);
  };
  await page3.locator('#startButton').tap();
  await tap(215, 330);
  await tap(470, 330);
  await page3.clock.runFor(50);
  const touched = await page3.evaluate(() => [
    window.bluffwick.scale(),
    window.bluffwick.shown().slots.map(([, marked]) => marked),
  ]);
  check(
    touched[0] === 2 &&
      touched[1].join() === 'false,false,false,false,false,true,false,false,true,false',
    `taps mark the cards tapped, on the table shown at twice its size (scale ${touched[0]})`,
  );
  await checkPictures(page3, 2, 'after taps');
  await touch.close();

  // ---- Ratio 2: the opening and a marked card, each picture 2 x 2 blocks.
  const context2 = await browser.newContext({
    viewport: { width: 800, height: 600 },
    deviceScaleFactor: 2,
    timezoneId: 'UTC',
  });
  await context2.clock.install({ time: started * 1000 });
  const page2 = await context2.newPage();
  await page2.goto(url);
  await page2.waitForFunction(() => window.bluffwick && window.bluffwick.ready, null, {
    polling: 20,
  });
  await page2.clock.pauseAt(
    Math.ceil((await page2.evaluate(() => Date.now())) / 1000) * 1000 + 1000,
  );
  await page2.clock.runFor(50);
  check(
    (await page2.evaluate(() => window.bluffwick.scale())) === 2,
    'at ratio 2 the canvas has two device pixels a table pixel',
  );
  await page2.click('#startButton');
  await clickTable(page2, 250, 340);
  await page2.clock.runFor(50);
  await checkPictures(page2, 2, 'a marked card');
  await page2.screenshot({ path: path.join(workFolder, 'ratio-2.png') });
  await context2.close();

  // ---- Ratio 1.5: the canvas in device pixels, the pictures filtered.
  const context15 = await browser.newContext({
    viewport: { width: 800, height: 600 },
    deviceScaleFactor: 1.5,
  });
  const page15 = await context15.newPage();
  await page15.goto(url.replace(/#record$/, ''));
  await page15.waitForFunction(() => window.bluffwick && window.bluffwick.ready, null, {
    polling: 20,
  });
  check(
    (await page15.evaluate(() => window.bluffwick.record)) === null,
    'opened as a player opens it, the page records nothing',
  );
  const canvas15 = await page15.evaluate(() => [
    document.getElementById('surface').width,
    document.getElementById('surface').height,
  ]);
  check(
    canvas15.join() === '951,654',
    `at ratio 1.5 the canvas is ${canvas15.join(' x ')} device pixels`,
  );
  const paintedAt = await page15.evaluate(() => window.bluffwick.paintedAt);
  await context15.grantPermissions(['clipboard-read', 'clipboard-write']);
  await page15.keyboard.press('Control+KeyC');
  const copied = await page15.evaluate(() => navigator.clipboard.readText());
  check(
    copied.startsWith('やあ、') && copied.includes('\r\nあなた 20ドル'),
    'Ctrl+C copies the table as text',
  );
  await page15.screenshot({ path: path.join(workFolder, 'ratio-1.5.png') });
  await context15.close();

  // Whole matches through the page's own controls, keys and taps.
  const matches = path.join(__dirname, 'matches');
  for (const [name, how] of [
    ['match_morning', 'mouse'],
    ['match_evening', 'keys'],
    ['first_deals', 'touch'],
  ]) {
    await replayMatch(browser, url, path.join(matches, `${name}.txt`), how);
  }
  await browser.close();

  const size = fs.statSync(pagePath).size;
  check(size <= 1.5 * 1024 * 1024, `the page is ${size} bytes, at most 1.5 MiB`);
  console.log(
    `     opening the file to the first painted table: ${paintedAt.toFixed(0)} ms after navigation began` +
      ` (${firstPaint} ms as the test saw it)`,
  );
  finish();
}

main().catch((error) => {
  console.error(error);
  process.exit(2);
});
