// A match script played by the native core on the recording table and by its
// WebAssembly build under Node, through the core's exported input entry: the
// two records of table operations must be the same, line for line.
//   node core_test.js --web BUILD/web --record-match EXE --work FOLDER SCRIPT
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { setup, readScript, NodeMatch, compareWithNative } = require('./harness');

const env = setup();
const scriptFile = env.words[0];
const script = readScript(scriptFile);

test(`${script.name}: the web build under Node performs the native program's operations`, async () => {
  const match = await NodeMatch.start(env.coreFile);
  await match.play(script);
  const { native, difference } = compareWithNative(env, scriptFile, match.record(), script.name);
  assert.ok(
    native.length >= 50,
    `the native record has only ${native.length} lines: the script plays too little`,
  );
  assert.equal(difference, null, `the records differ: ${difference}`);
});
