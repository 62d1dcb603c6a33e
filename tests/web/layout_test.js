// The page on phones, tablets and monitors, worked out under Node: arrange()
// is pure, so the page's layout (fitToWindow in page.js) is found from the
// core's facts, arrange.js and the page's style for a spread of window sizes,
// device ratios and pointers. On each nothing scrolls, every part is on
// screen, fingers get controls of 44 x 44 pixels 8 apart, cards and texts stay
// large enough, and a mouse on a window the table fits keeps the program's own
// arrangement. screens_test.js holds the page to this layout in chromium.
//   node layout_test.js --web BUILD/web --res RES --work FOLDER
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { setup, Screens, pageLayout, layOut, screenProblems } = require('./harness');

const env = setup();

test('the page on fifteen screens', async (t) => {
  const page = await pageLayout(env);
  // The arrangement is in CSS pixels: the device ratio changes only how
  // finely the canvas draws it.
  for (const [width, height, ratio, finger] of Screens) {
    const m = layOut(page, [width, height], finger);
    const what = `${width} x ${height} at ratio ${ratio}, ${finger ? 'finger' : 'mouse'}`;
    const shown = `${m.arrangement ?? "the program's arrangement"} at ${m.scale.toFixed(2)}`;
    await t.test(`${what}: ${shown}`, () => {
      const problems = screenProblems(page, m);
      assert.deepEqual(problems, [], `${what}: ${problems.join('; ')}`);
    });
  }
});
