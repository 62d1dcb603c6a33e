// The match kept by the page: a whole match script played straight through,
// then again with the tab closed and opened afresh at many moments (cards
// marked, the computer's timer half run, the betting, a settled deal, the end
// of the match): after every step the table, the controls and the stored game
// must be the same. Then what storage can go wrong: an unreadable or foreign
// text is set aside and the player told, a second tab takes the match over
// without a step lost, the menu's new match asks first, and storing is quick.
//   node resume_test.js PLAYWRIGHT-CORE PAGE.html WORK-FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const { check, finish, readScript, clickTable, waitForTimer } = require('./page_checks');

const [playwrightPath, pagePath, workFolder] = process.argv.slice(2);
const { chromium } = require(playwrightPath);
const url = 'file://' + path.resolve(pagePath);
const MatchKey = 'bluffwick.match';

async function openPage(context) {
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
  page.errors = errors;
  await page.goto(url);
  await page.waitForFunction(() => window.bluffwick && window.bluffwick.ready, null, {
    polling: 20,
  });
  await page.clock.runFor(50);
  return page;
}

// Everything a player could see or the page keeps, after one step.
const snapshot = (page) =>
  page.evaluate((key) => {
    const b = window.bluffwick;
    return JSON.stringify({
      stored: localStorage.getItem(key),
      shown: b.shown(),
      words: b.tableText(),
      controls: [...document.querySelectorAll('.control')].map((e) => `${e.id}:${e.disabled}`),
      bet: document.getElementById('betBox').value,
      timer: b.timerRunning(),
    });
  }, MatchKey);

// Plays `lines` by mouse; `reopenAt(step, tick)` says when to close the tab
// and open the page again (tick: within a run, after that many ticks).
async function play(browser, script, reopenAt) {
  const context = await browser.newContext({
    viewport: { width: 800, height: 600 },
    timezoneId: script.timezoneId,
  });
  await context.clock.install({ time: script.opening * 1000 - 5000 });
  await context.clock.pauseAt(script.opening * 1000);
  let page = null;
  const steps = [];
  let reopened = 0;
  const reopen = async () => {
    const before = await snapshot(page);
    await page.close();
    page = await openPage(context);
    reopened += 1;
    const after = await snapshot(page);
    if (after !== before) steps.push(`reopened: ${before}\n  became: ${after}`);
    if (!(await page.evaluate(() => window.bluffwick.resumed))) steps.push('not resumed');
  };
  for (const [index, [verb, a, b]] of script.lines.entries()) {
    if (verb === 'clock') await context.clock.setSystemTime(Number(a) * 1000);
    else if (verb === 'open') page = await openPage(context);
    else if (verb === 'press') await page.click(`[data-control=${a}]`, { timeout: 2000 });
    else if (verb === 'click') await clickTable(page, Number(a), Number(b));
    else if (verb === 'run')
      await waitForTimer(
        () => page,
        async (tick) => {
          if (reopenAt(index, tick)) await reopen();
        },
      );
    if (verb !== 'clock' && verb !== 'hour') {
      await page.clock.runFor(50);
      steps.push(await snapshot(page));
      if (reopenAt(index, 0) && verb !== 'run') await reopen();
    }
  }
  const errors = page.errors;
  await context.close();
  return { steps, reopened, errors };
}

async function main() {
  fs.mkdirSync(workFolder, { recursive: true });
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox'],
  });
  const script = readScript(path.join(__dirname, 'matches', 'match_morning.txt'));

  // ---- Straight through, and closed and opened again every few steps.
  const straight = await play(browser, script, () => false);
  const broken = await play(browser, script, (step, tick) =>
    tick === 0 ? step % 3 === 1 : step % 4 === 0 && tick === 1,
  );
  const kept = straight.steps.filter((s, k) => s === broken.steps[k]).length;
  const first = broken.steps.findIndex((s, k) => s !== straight.steps[k]);
  fs.writeFileSync(path.join(workFolder, 'straight.txt'), straight.steps.join('\n'));
  fs.writeFileSync(path.join(workFolder, 'reopened.txt'), broken.steps.join('\n'));
  const end = JSON.parse(straight.steps[straight.steps.length - 1]);
  check(
    broken.reopened > 20 &&
      first < 0 &&
      straight.steps.length === broken.steps.length &&
      /^bluffwick-game /.test(end.stored),
    `closed and opened ${broken.reopened} times, the match went on exactly: ${kept} of ${straight.steps.length} steps the same` +
      (first >= 0 ? ` (first difference at step ${first + 1})` : ''),
  );
  check(
    straight.errors.length + broken.errors.length === 0,
    `no page error (${[...straight.errors, ...broken.errors].join(' | ') || 'none'})`,
  );

  // ---- A stored text the page cannot read: set aside, a new match, told once.
  const context = await browser.newContext({ viewport: { width: 800, height: 600 } });
  await context.clock.install({ time: script.opening * 1000 });
  let page = await openPage(context);
  const good = await page.evaluate((key) => localStorage.getItem(key), MatchKey);
  const greeting = await page.evaluate(() => window.bluffwick.shown().speech.join());
  for (const [what, bad] of [
    ['damaged', good.replace(/^money .*$/m, 'money 30 30')],
    ['of another version', good.replace(/^bluffwick-game \d+/, 'bluffwick-game 99')],
  ]) {
    await page.evaluate(([key, text]) => localStorage.setItem(key, text), [MatchKey, bad]);
    await page.close();
    page = await openPage(context);
    await page.clock.runFor(50);
    const seen = await page.evaluate((key) => {
      const asides = Object.keys(localStorage).filter((k) => k.startsWith('bluffwick.unreadable.'));
      return {
        resumed: window.bluffwick.resumed,
        refused: window.bluffwick.resumeRefused,
        live: document.getElementById('speechLive').textContent,
        aside: asides.map((k) => localStorage.getItem(k)),
        stored: localStorage.getItem(key),
      };
    }, MatchKey);
    check(
      !seen.resumed &&
        seen.aside.includes(bad) &&
        seen.live.startsWith('保存されていたマッチを読めなかった') &&
        seen.live.includes(seen.refused) &&
        /^bluffwick-game 1\n/.test(seen.stored),
      `a stored game ${what} is kept aside, a new match is stored, and the player is told: ${seen.live}`,
    );
  }

  // ---- Two tabs: the newer one takes the match, the older stops storing.
  await page.click('#startButton');
  await clickTable(page, 210, 320);
  await page.clock.runFor(50);
  const second = await openPage(context);
  await page.clock.runFor(50);
  const older = await page.evaluate(() => ({
    notice: !document.getElementById('otherTab').hidden,
    disabled: [...document.querySelectorAll('.control')].every((e) => e.disabled),
  }));
  const marks = (p) =>
    p.evaluate(() =>
      window.bluffwick
        .shown()
        .slots.map(([, m]) => m)
        .join(),
    );
  await clickTable(second, 300, 320);
  await page.clock.runFor(50);
  // The older tab's Change would have moved the match on: it must do nothing.
  await page.evaluate(() => document.getElementById('changeButton').click());
  await page.keyboard.press('Enter');
  await page.clock.runFor(600);
  const stored = await second.evaluate((key) => localStorage.getItem(key), MatchKey);
  check(
    older.notice &&
      older.disabled &&
      (await marks(second)) === 'false,false,false,false,false,true,true,false,false,false' &&
      /^round 1$/m.test(stored) &&
      (await second.evaluate(() => window.bluffwick.roundState())) === 1,
    'a second tab takes the match with its marks; the first shows why it stopped and changes nothing',
  );
  // Its button takes the match back, with the second tab's mark.
  await page.click('#takeOverButton');
  await page.waitForFunction(
    () => window.bluffwick && window.bluffwick.ready && window.bluffwick.resumed,
  );
  check(
    (await marks(page)) === (await marks(second)) && !(await page.isVisible('#otherTab')),
    'the first tab takes the match back with every step taken in the second',
  );
  await page.close();
  await second.reload();
  await second.waitForFunction(() => window.bluffwick && window.bluffwick.ready);

  // ---- The menu's new match asks first; then 20 and 20, the greeting, kept.
  await second.click('#helpMenuButton');
  await second.click('#newMatchItem');
  const asked = await second.evaluate(() => document.getElementById('newMatchDialog').open);
  await second.click('#newMatchDialog .closeDialog');
  const keptOn = await second.evaluate(() => window.bluffwick.roundState());
  await second.click('#helpMenuButton');
  await second.click('#newMatchItem');
  await second.click('#newMatchYes');
  await second.clock.runFor(50);
  const fresh = await second.evaluate(
    (key) => ({
      round: window.bluffwick.roundState(),
      stored: localStorage.getItem(key),
      shown: window.bluffwick.shown(),
    }),
    MatchKey,
  );
  check(
    asked &&
      keptOn === 1 &&
      fresh.round === 0 &&
      /^round 0$/m.test(fresh.stored) &&
      fresh.shown.money.join() === '20,20' &&
      fresh.shown.speech.join() === greeting,
    'the new match asks first, then starts at 20 and 20 with the greeting, and is stored',
  );

  await context.close();

  // ---- Storing a step is quick: timed on the real clock (desktop, no slow-down).
  const timed = await browser.newContext({ viewport: { width: 800, height: 600 } });
  const quick = await openPage(timed);
  await quick.click('#startButton');
  for (let k = 0; k < 20; ++k) await clickTable(quick, 210 + 85 * (k % 5), 320);
  const times = (await quick.evaluate(() => window.bluffwick.keepTimes.slice())).slice(2);
  const sorted = times.sort((x, y) => x - y);
  const median = sorted[Math.floor(sorted.length / 2)];
  check(
    sorted.length >= 20 && median < 2,
    `storing a step takes ${median.toFixed(3)} ms (median of ${sorted.length})`,
  );
  await timed.close();
  await browser.close();
  finish();
}

main().catch((error) => {
  console.error(error);
  process.exit(2);
});
