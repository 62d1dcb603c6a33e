// The match kept by the page: a whole match script played straight through,
// then again with the tab closed and opened afresh at many moments (cards
// marked, the computer's timer half run, the betting, a settled deal, the end
// of the match): after every step the table, the controls and the stored game
// must be the same. Then what storage can go wrong: an unreadable or foreign
// text is set aside and the player told, a second tab takes the match over
// without a step lost, the menu's new match asks first, and storing is quick.
//   node resume_test.js --web BUILD/web --modules NODE_MODULES --res RES --work FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const { test, before, after } = require('node:test');
const assert = require('node:assert');
const h = require('./harness');

const env = h.setup();
const MatchKey = 'bluffwick.match';
const Selecting = 1; // the stored round step while cards are chosen
const script = h.readScript(path.join(__dirname, 'matches', 'match_morning.txt'));
let browser;
let facts;
before(async () => {
  browser = await h.Engines.chromium(env);
  ({ facts } = await h.loadCore(env.coreFile));
});
after(() => browser?.close());

// Everything a player could see or the page keeps, after one step.
const snapshot = (session) =>
  session.evaluate((key) => {
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
// The round step of the stored game.
const storedRound = (session) =>
  session.evaluate((key) => Number(/^round (\d+)$/m.exec(localStorage.getItem(key))[1]), MatchKey);

// Plays the script by mouse; `reopenAt(step, tick)` says when to close the
// tab and open the page again (tick: within a run, after that many ticks).
async function play(reopenAt) {
  const first = await browser.open({ clockAt: script.opening, timezoneId: script.timezoneId });
  const match = new h.PageMatch(first, env.url, 'mouse', facts);
  const steps = [];
  const errors = [];
  let reopened = 0;
  const reopen = async () => {
    const before = await snapshot(match.session);
    const tab = await match.session.newTab();
    errors.push(...(await match.session.errors()));
    await match.session.page.close();
    match.session = tab;
    await tab.goto(env.url);
    reopened += 1;
    const after = await snapshot(tab);
    if (after !== before) steps.push(`reopened: ${before}\n  became: ${after}`);
    if (!(await tab.evaluate(() => window.bluffwick.resumed))) steps.push('not resumed');
  };
  for (const [index, words] of script.lines.entries()) {
    await match.step(words, async (tick) => reopenAt(index, tick) && (await reopen()));
    if (words[0] !== 'clock' && words[0] !== 'hour') {
      await match.session.runFor(50);
      steps.push(await snapshot(match.session));
      if (reopenAt(index, 0) && words[0] !== 'run') await reopen();
    }
  }
  errors.push(...(await match.session.errors()));
  await first.close();
  return { steps, reopened, errors };
}

test('closed and opened again every few steps, the match goes on exactly', async () => {
  const [straight, broken] = await Promise.all([
    play(() => false),
    play((step, tick) => (tick === 0 ? step % 3 === 1 : step % 4 === 0 && tick === 1)),
  ]);
  fs.writeFileSync(path.join(env.work, 'straight.txt'), straight.steps.join('\n'));
  fs.writeFileSync(path.join(env.work, 'reopened.txt'), broken.steps.join('\n'));
  const first = broken.steps.findIndex((s, k) => s !== straight.steps[k]);
  assert.ok(broken.reopened > 20, `closed and opened only ${broken.reopened} times`);
  assert.equal(broken.steps.length, straight.steps.length, 'as many steps');
  assert.equal(
    first,
    -1,
    `after closing and opening ${broken.reopened} times, the first difference at step ${first + 1}`,
  );
  assert.match(JSON.parse(straight.steps[straight.steps.length - 1]).stored, /^bluffwick-game /);
  assert.deepEqual([...straight.errors, ...broken.errors], [], 'no page error');
});

test('what storage can go wrong', async (t) => {
  const s = await browser.open({ clockAt: script.opening });
  await s.goto(env.url);
  let tab = s;
  const reopened = async () => {
    const next = await tab.newTab();
    await (tab === s ? s.page.close() : tab.close());
    await next.goto(env.url);
    tab = next;
  };
  const good = await tab.evaluate((key) => localStorage.getItem(key), MatchKey);
  const greeting = await tab.evaluate(() => window.bluffwick.shown().speech.join());

  // A stored text the page cannot read: set aside, a new match, told once.
  for (const [what, bad] of [
    ['damaged', good.replace(/^money .*$/m, 'money 30 30')],
    ['of another version', good.replace(/^bluffwick-game \d+/, 'bluffwick-game 99')],
  ]) {
    await t.test(
      `a stored game ${what} is kept aside, a new match stored, the player told`,
      async () => {
        await tab.evaluate(([key, text]) => localStorage.setItem(key, text), [MatchKey, bad]);
        await reopened();
        await tab.runFor(50);
        const seen = await tab.evaluate((key) => {
          const asides = Object.keys(localStorage).filter((k) =>
            k.startsWith('bluffwick.unreadable.'),
          );
          return {
            resumed: window.bluffwick.resumed,
            refused: window.bluffwick.resumeRefused,
            live: document.getElementById('speechLive').textContent,
            aside: asides.map((k) => localStorage.getItem(k)),
            stored: localStorage.getItem(key),
          };
        }, MatchKey);
        assert.ok(!seen.resumed, 'not resumed');
        assert.ok(seen.aside.includes(bad), 'the text kept aside');
        assert.ok(seen.live.startsWith('保存されていたマッチを読めなかった'), `told: ${seen.live}`);
        assert.ok(seen.live.includes(seen.refused), `told why: ${seen.live}`);
        // The version the page writes, at the opening's money and round.
        const version = good.split('\n')[0];
        assert.ok(seen.stored.startsWith(`${version}\nmoney 20 20\n`), 'a new match stored');
        assert.match(seen.stored, /^round 0$/m);
      },
    );
  }

  // Two tabs: the newer one takes the match, the older stops storing.
  const older = tab;
  const mouse = (session) => new h.PageMatch(session, env.url, 'mouse', facts);
  await t.test('a second tab takes the match with its marks; the first stops', async () => {
    await mouse(older).press('StartButton');
    await mouse(older).click(210, 320);
    await older.runFor(50);
    const second = await older.newTab();
    await second.goto(env.url);
    tab = second;
    await older.runFor(50);
    const notice = await older.evaluate(() => ({
      shown: !document.getElementById('otherTab').hidden,
      disabled: [...document.querySelectorAll('.control')].every((e) => e.disabled),
    }));
    await mouse(second).click(300, 320);
    await older.runFor(50);
    // The older tab's Change would have moved the match on: it must do nothing.
    await older.evaluate(() => document.getElementById('changeButton').click());
    await older.key('Enter');
    await older.runFor(600);
    assert.deepEqual(notice, { shown: true, disabled: true }, 'the first shows why it stopped');
    assert.deepEqual(
      await marks(second),
      [false, false, false, false, false, true, true, false, false, false],
      'the second has both marks',
    );
    assert.equal(await storedRound(second), Selecting, 'the first changed nothing');
  });
  await t.test(
    'the first tab takes the match back with every step taken in the second',
    async () => {
      await older.page.click('#takeOverButton');
      await older.page.waitForFunction(
        () => window.bluffwick && window.bluffwick.ready && window.bluffwick.resumed,
        null,
        { polling: 20 },
      );
      assert.deepEqual(await marks(older), await marks(tab));
      assert.ok(!(await older.page.isVisible('#otherTab')), 'the notice is gone');
      await older.page.close();
      await tab.reload();
    },
  );

  // The menu's new match asks first; then 20 and 20, the greeting, kept.
  await t.test(
    'the new match asks first, then starts at 20 and 20 with the greeting, stored',
    async () => {
      await tab.page.click('#helpMenuButton');
      await tab.page.click('#newMatchItem');
      const asked = await tab.evaluate(() => document.getElementById('newMatchDialog').open);
      await tab.page.click('#newMatchDialog .closeDialog');
      const keptOn = await storedRound(tab);
      await tab.page.click('#helpMenuButton');
      await tab.page.click('#newMatchItem');
      await tab.page.click('#newMatchYes');
      await tab.runFor(50);
      const fresh = await tab.evaluate(() => window.bluffwick.shown());
      assert.ok(asked, 'asked first');
      assert.equal(keptOn, Selecting, 'not answered, the match goes on');
      assert.equal(await storedRound(tab), 0, 'a new match is stored');
      assert.deepEqual(fresh.money, [20, 20]);
      assert.equal(fresh.speech.join(), greeting);
    },
  );
  await s.close();
});

// The record panel after a few deals of the script: an item a deal, in the
// core's words; a fold shows no computer card; it follows a deal begun while
// it is open, Ctrl+C copies it after the table, and it resumes with the match.
test('the record of the match: a deal an item, following the game, resumed', async () => {
  const s = await browser.open({ clockAt: script.opening, timezoneId: script.timezoneId });
  const match = new h.PageMatch(s, env.url, 'mouse', facts);
  const underNode = await h.NodeMatch.start(env.coreFile);
  const starts = script.lines.flatMap(([verb, name], k) =>
    verb === 'press' && name === 'StartButton' ? [k] : [],
  );
  // Three deals played out, the fourth not begun.
  for (const words of script.lines.slice(0, starts[3])) {
    await match.step(words);
    await underNode.step(words);
  }
  await s.runFor(50);
  const items = () =>
    s.evaluate(() =>
      [...document.querySelectorAll('#recordList > li')].map((li) =>
        [...li.querySelectorAll('p')].map((p) => p.textContent),
      ),
    );
  const coreDeals = underNode
    .text(underNode.core._WebMatchRecord())
    .split('\r\n\r\n')
    .map((deal) => deal.trim().split('\r\n'));

  await s.key('KeyR');
  const shown = await items();
  assert.ok(await s.evaluate(() => document.getElementById('recordDialog').open), 'R opens it');
  assert.equal(shown.length, 3, 'an item a deal');
  assert.deepEqual(shown, coreDeals, "the core's words, a paragraph a line");
  const folded = shown.filter((deal) => deal.some((line) => line.includes('おりる')));
  const calledDown = shown.filter((deal) => deal.some((line) => line.includes('勝負')));
  assert.ok(folded.length > 0 && calledDown.length > 0, 'a fold and a showdown among them');
  for (const deal of folded)
    assert.ok(!deal.some((line) => line.startsWith('コンピューターの手札')), deal.join('/'));
  for (const deal of calledDown)
    assert.ok(
      deal.some((line) => line.startsWith('コンピューターの手札')),
      deal.join('/'),
    );

  // The dialog is modal: the Start button is pressed from the page's side.
  await s.evaluate(() => document.getElementById('startButton').click());
  await s.runFor(50);
  const following = await items();
  assert.equal(following.length, 4, 'the deal begun while open is listed');
  assert.deepEqual(following.slice(0, 3), shown, 'the deals before it unchanged');
  await s.key('Escape');
  assert.ok(!(await s.evaluate(() => document.getElementById('recordDialog').open)), 'Esc');

  await s.context.grantPermissions(['clipboard-read', 'clipboard-write']);
  await s.key('Control+KeyC');
  const copied = await s.evaluate(() => navigator.clipboard.readText());
  await underNode.step('press StartButton');
  const { core, text } = underNode;
  assert.equal(
    copied,
    `${text(core._WebTableText())}\r\n${text(core._WebMatchRecord())}`,
    'Ctrl+C copies the table, then the record',
  );

  await s.reload();
  await s.page.click('#helpMenuButton');
  await s.page.click('#recordItem');
  assert.deepEqual(await items(), following, 'the same after a reload');
  assert.deepEqual(await s.errors(), [], 'no page error');
  await s.close();
});

const marks = (session) =>
  session.evaluate(() => window.bluffwick.shown().slots.map(([, marked]) => marked));

test('storing a step is quick: timed on the real clock (desktop, no slow-down)', async () => {
  const s = await browser.open();
  await s.goto(env.url);
  const match = new h.PageMatch(s, env.url, 'mouse', facts);
  await match.press('StartButton');
  for (let k = 0; k < 20; ++k) await match.click(210 + 85 * (k % 5), 320);
  const times = (await s.evaluate(() => window.bluffwick.keepTimes.slice())).slice(2);
  const sorted = times.sort((x, y) => x - y);
  const median = sorted[Math.floor(sorted.length / 2)];
  assert.ok(sorted.length >= 20, `${sorted.length} steps stored`);
  assert.ok(
    median < 2,
    `storing a step takes ${median.toFixed(3)} ms (median of ${sorted.length})`,
  );
  await s.close();
});
