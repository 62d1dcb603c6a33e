// Plays a match script on the web build of the game core under Node, with a
// table that draws nothing, and prints every table operation as the page
// performs it. The same scripts as record_match, the native side.
//   node node_match.js BLUFFWICK-CORE.js TABLE-RECORD.js SCRIPT
'use strict';
const fs = require('fs');
const path = require('path');

const [coreFile, recordFile, scriptFile] = process.argv.slice(2);
const BluffwickCore = require(path.resolve(coreFile));
const TableRecord = require(path.resolve(recordFile));

// The page's bet box and round timer, without a page.
const headless = {
  betBox: '',
  timerPeriod: 0,
  enabled: { 100: true }, // as the window makes them: only Start
  enableControl(id, on) {
    this.enabled[id] = on;
  },
  readBetBoxText() {
    return this.betBox;
  },
  writeBetBoxText(bytes) {
    this.betBox = String.fromCharCode(...bytes);
  },
  armRoundTimer(ms) {
    this.timerPeriod = ms;
  },
  stopRoundTimer() {
    this.timerPeriod = 0;
  },
};
for (const name of [
  'showSpeech',
  'clearSpeech',
  'drawMouth',
  'drawCardFace',
  'drawCardBack',
  'drawEmptySlot',
  'drawMoney',
  'showHandName',
  'markCard',
  'clearCardMark',
  'clearHandNames',
  'requestRepaint',
]) {
  headless[name] = () => {};
}

const MostTicksInARun = 100;

async function main() {
  const lines = [];
  let seconds = 0;
  let hour = 12;
  let core = null;
  let facts = null;
  // The core's facts (JSON, ASCII), read once it is there.
  const coreFacts = () => {
    if (!facts) {
      const at = core._WebTableFacts();
      facts = JSON.parse(
        String.fromCharCode(...core.HEAPU8.subarray(at, core.HEAPU8.indexOf(0, at))),
      );
    }
    return facts;
  };
  core = await BluffwickCore({
    table: TableRecord.recording(headless, lines, coreFacts),
    clock: { seconds: () => seconds, hour: () => hour },
  });
  const controlIds = Object.fromEntries(
    Object.entries(coreFacts().controls).map(([name, control]) => [name, control.id]),
  );
  const out = [];
  fs.readFileSync(scriptFile, 'utf8')
    .split('\n')
    .forEach((raw, index) => {
      const words = raw.replace(/#.*/, '').trim().split(/\s+/).filter(Boolean);
      if (words.length === 0) return;
      const [verb, a, b] = words;
      if (verb === 'clock') seconds = Number(a);
      else if (verb === 'hour') hour = Number(a);
      else if (verb === 'open') core._OpenWebTable();
      else if (verb === 'press') {
        // As on the page, only an enabled control can be pressed.
        if (!headless.enabled[controlIds[a]] || !core._PressWebControl(controlIds[a])) {
          throw new Error(`line ${index + 1}: ${a} is no enabled control`);
        }
      } else if (verb === 'click') core._ClickWebTable(Number(a), Number(b));
      else if (verb === 'tick') core._TickWebTimer();
      else if (verb === 'run') {
        for (let ticks = 0; headless.timerPeriod !== 0 && ticks < MostTicksInARun; ++ticks) {
          core._TickWebTimer();
        }
      } else throw new Error(`line ${index + 1}: unknown ${verb}`);
      out.push(...lines.splice(0));
    });
  process.stdout.write(out.map((line) => line + '\n').join(''));
}

main().catch((error) => {
  console.error(`node_match: ${error.message}`);
  process.exit(2);
});
