// Plays a match script on the web build of the game core under Node and
// prints the core's record of table operations. The same scripts as
// record_match, the native side.
//   node node_match.js BLUFFWICK-CORE.js SCRIPT
'use strict';
const fs = require('fs');
const path = require('path');

const [coreFile, scriptFile] = process.argv.slice(2);
const BluffwickCore = require(path.resolve(coreFile));

const MostTicksInARun = 100;

async function main() {
  let seconds = 0;
  let hour = 12;
  const core = await BluffwickCore({
    table: { changed() {} },
    clock: { seconds: () => seconds, hour: () => hour },
  });
  const shiftJis = new TextDecoder('shift_jis');
  const text = (at) => shiftJis.decode(core.HEAPU8.subarray(at, core.HEAPU8.indexOf(0, at)));
  const controlIds = Object.fromEntries(
    Object.entries(JSON.parse(text(core._WebTableFacts())).controls).map(([name, control]) => [
      name,
      control.id,
    ]),
  );
  core._WebStartRecord();
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
        // The core takes a press only while its control is enabled.
        if (!(a in controlIds) || !core._TakeWebInput(0, controlIds[a], 0, 0)) {
          throw new Error(`line ${index + 1}: ${a} is no enabled control`);
        }
      } else if (verb === 'click') {
        const position = core._WebPlayerSlot(Number(a), Number(b));
        if (position >= 0) core._TakeWebInput(1, position, 0, 0);
      } else if (verb === 'tick') core._TickWebTimer();
      else if (verb === 'run') {
        for (let ticks = 0; core._WebTimerPeriod() !== 0 && ticks < MostTicksInARun; ++ticks) {
          core._TickWebTimer();
        }
      } else throw new Error(`line ${index + 1}: unknown ${verb}`);
      out.push(...text(core._WebTakeRecord()).split('\n').filter(Boolean));
    });
  process.stdout.write(out.map((line) => line + '\n').join(''));
}

main().catch((error) => {
  console.error(`node_match: ${error.message}`);
  process.exit(2);
});
