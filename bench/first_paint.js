// Times the page from navigation to its first painted table, in headless
// chromium, side by side, each on a desktop profile and on a mid-range phone
// profile (390 x 844 at ratio 3, the CPU slowed four times): the single file
// from file://, and the hosted copy loaded from the server the first time,
// then again with a deal in progress (resumed where the build keeps its
// match), then offline from its worker; with BEFORE.html (an earlier build's
// single file) and BEFORE-SITE (its hosted copy) those too, as the mark for
// the rest. A bare page beside them shows what any page pays before its own
// work. With BLUFFWICK_BENCH_NETWORK=1, a third profile: the phone on a
// slow network, the hosted copy's first load only (the worker answers the
// rest, and the single file fetches nothing). Prints every run, then the
// medians and ratios as a table. bench/run.sh paint runs it.
//   node bench/first_paint.js PLAYWRIGHT-CORE PAGE.html SITE-FOLDER [RUNS] [BEFORE.html [BEFORE-SITE]]
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');

const [playwrightPath, pagePath, siteFolder, runsText, beforePath, beforeSiteFolder] =
  process.argv.slice(2);
const { chromium } = require(path.resolve(playwrightPath));
const runs = Number(runsText || 9);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'first-paint-'));

const Desktop = { viewport: { width: 800, height: 600 }, deviceScaleFactor: 1 };
const Phone = {
  viewport: { width: 390, height: 844 },
  deviceScaleFactor: 3,
  hasTouch: true,
  isMobile: true,
};

function serve(folder) {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css' };
  // The module's own type lets the browser compile it as it streams in.
  types['.wasm'] = 'application/wasm';
  types['.png'] = 'image/png';
  types['.woff2'] = 'font/woff2';
  types['.webmanifest'] = 'application/manifest+json';
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://x').pathname.slice(1) || 'index.html';
    const file = path.join(folder, path.basename(name));
    if (!fs.existsSync(file)) return response.writeHead(404).end();
    const type = types[path.extname(file)] ?? 'application/octet-stream';
    response.writeHead(200, { 'Content-Type': type });
    response.end(fs.readFileSync(file));
  });
  return new Promise((resolve) =>
    server.listen(0, '127.0.0.1', () => resolve({ server, port: server.address().port })),
  );
}

// The bare page: a policy in a <meta> as the hosted copy's is (which makes
// Chromium stop looking ahead), with no module it needs no 'wasm-unsafe-eval';
// a sheet and a script file of its own; and a canvas the size of the phone's
// table (374 x 597 at the device ratio), filled, the paint marked as the
// game's page marks it.
function writeBarePage(folder) {
  fs.mkdirSync(folder);
  const files = {
    'index.html': `<!DOCTYPE html>
<html lang="ja"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta http-equiv="Content-Security-Policy" content="default-src 'self'; script-src 'self'">
<link rel="stylesheet" href="bare.css"><title>bare</title></head>
<body><canvas id="surface"></canvas><script src="bare.js"></script></body></html>
`,
    'bare.css': 'body { margin: 0; background: #008000 } canvas { width: 374px; height: 597px }\n',
    'bare.js': `const surface = document.getElementById('surface');
surface.width = Math.round(374 * devicePixelRatio);
surface.height = Math.round(597 * devicePixelRatio);
const context = surface.getContext('2d', { alpha: false });
context.fillStyle = '#008000';
context.fillRect(0, 0, surface.width, surface.height);
window.bluffwick = { paintedAt: performance.now(), ready: true };
`,
  };
  for (const [name, text] of Object.entries(files)) fs.writeFileSync(path.join(folder, name), text);
  return folder;
}

// A round trip of 150 ms, 1.6 Mbit/s down and 750 kbit/s up.
const SlowNetwork = {
  offline: false,
  latency: 150,
  downloadThroughput: 1600000 / 8,
  uploadThroughput: 750000 / 8,
};

async function paintedAt(page, url, throttle, network) {
  const cdp = await page.context().newCDPSession(page);
  if (throttle) await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
  if (network) {
    await cdp.send('Network.enable');
    await cdp.send('Network.emulateNetworkConditions', network);
  }
  await page.goto(url);
  await page.waitForFunction(() => window.bluffwick && window.bluffwick.ready, null, {
    polling: 10,
    timeout: 60000,
  });
  return page.evaluate(() => window.bluffwick.paintedAt);
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// A row of the table: the figure and the times behind it, each in both profiles.
const Rows = [
  ['single', 'the single file (file://)'],
  ['first', 'hosted, first load'],
  ['resumed', 'hosted, a deal in progress'],
  ['warm', 'hosted, from its worker'],
  ['bareSingle', 'a bare page (file://)'],
  ['bareFirst', 'a bare page, served, first load'],
];
const Profiles = [
  ['desktop', Desktop, false],
  ['phone', Phone, true],
];
// The profiles without network emulation: the single file and the bare page
// are timed on these only (the slow network times the hosted copy's first
// load alone).
const Loopback = [...Profiles];
if (process.env.BLUFFWICK_BENCH_NETWORK === '1') {
  Profiles.push(['slow network', Phone, true, SlowNetwork]);
}

// A page in a browser of its own with a fresh profile, so that its first load
// really is the first; the profile goes afterwards.
async function inFreshBrowser(folder, options, use) {
  const context = await chromium.launchPersistentContext(folder, {
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox'],
    ...options,
  });
  try {
    return await use(context.pages()[0] ?? (await context.newPage()), context);
  } finally {
    await context.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

async function main() {
  const bare = writeBarePage(path.join(work, 'bare'));
  const builds = [['now', 'file://' + path.resolve(pagePath), siteFolder]];
  if (beforePath) builds.push(['before', 'file://' + path.resolve(beforePath), beforeSiteFolder]);
  const servers = [];
  const sites = {};
  for (const [build, , folder] of builds) {
    if (!folder) continue;
    const { server, port } = await serve(folder);
    servers.push(server);
    sites[build] = `http://127.0.0.1:${port}/`;
  }
  const bareServer = await serve(bare);
  servers.push(bareServer.server);
  const bareSite = `http://127.0.0.1:${bareServer.port}/`;
  // times[build][row][profile]: every run's time.
  const times = {};
  for (const [build] of builds) {
    times[build] = {};
    for (const [row] of Rows) {
      times[build][row] = {};
      for (const [profile] of Profiles) times[build][row][profile] = [];
    }
  }
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox'],
  });
  // A page from file://, in a context of its own in the running browser.
  const single = async (file, options, throttle) => {
    const context = await browser.newContext(options);
    const time = await paintedAt(await context.newPage(), file, throttle);
    await context.close();
    return time;
  };
  // In turn, run by run, so that the machine's load falls on all alike; the
  // builds' order swapped every run, so that neither always loads first or
  // always follows the other's hosted copy.
  for (let run = 0; run < runs; ++run) {
    const inTurn = run % 2 ? [...builds].reverse() : builds;
    for (const [build, file] of inTurn) {
      for (const [profile, options, throttle] of Loopback) {
        times[build].single[profile].push(await single(file, options, throttle));
      }
    }
    for (const [profile, options, throttle] of Loopback) {
      const row = times.now;
      row.bareSingle[profile].push(await single(`file://${bare}/index.html`, options, throttle));
      const folder = path.join(work, `profile-bare-${profile}-${run}`);
      row.bareFirst[profile].push(
        await inFreshBrowser(folder, options, (page) => paintedAt(page, bareSite, throttle)),
      );
    }
    for (const [build] of inTurn) {
      const site = sites[build];
      if (!site) continue;
      for (const [profile, options, throttle, network] of Profiles) {
        const folder = path.join(work, `profile-${build}-${profile.replace(/\W+/g, '-')}-${run}`);
        await inFreshBrowser(folder, options, async (page, context) => {
          const row = times[build];
          row.first[profile].push(await paintedAt(page, site, throttle, network));
          // Over the slow network the first load only: the worker answers the rest.
          if (network) return;
          await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, {
            timeout: 30000,
          });
          // A deal in progress, then the page opened again: a build that keeps
          // its match carries it on, an earlier one opens a new match.
          await page.evaluate(() => document.getElementById('startButton').click());
          row.resumed[profile].push(await paintedAt(page, site, throttle));
          // Offline: only the worker answers.
          await context.setOffline(true);
          row.warm[profile].push(await paintedAt(page, site, throttle));
        });
      }
    }
  }
  await browser.close();
  for (const server of servers) server.close();
  fs.rmSync(work, { recursive: true, force: true });
  report(times);
}

// Every run's time, then the medians as a table: each profile's before, now
// and now over before (below 1 is faster).
function report(times) {
  const ms = (values) => (values.length ? `${median(values).toFixed(0)} ms` : '-');
  for (const [build, rows] of Object.entries(times)) {
    for (const [row] of Rows) {
      for (const [profile] of Profiles) {
        const values = rows[row][profile];
        if (values.length === 0) continue;
        const name = `${build} ${row} ${profile}`.padEnd(22);
        console.log(`${name} median ${ms(values)} (${values.map((v) => v.toFixed(0)).join(', ')})`);
      }
    }
  }
  const before = times.before;
  const header = ['', ...Profiles.map(([profile]) => profile)];
  const lines = [header, header.map(() => '---')];
  const cell = (row, profile) => {
    const now = times.now[row][profile];
    if (!before) return ms(now);
    const then = before[row][profile];
    const ratio = now.length && then.length ? `${(median(now) / median(then)).toFixed(2)}x` : '-';
    return `${ms(then)} / ${ms(now)} / ${ratio}`;
  };
  for (const [row, title] of Rows) {
    lines.push([title, ...Profiles.map(([profile]) => cell(row, profile))]);
  }
  console.log(before ? '\nMedians: before / now / now over before' : '\nMedians');
  for (const line of lines) console.log(`| ${line.join(' | ')} |`);
}

main().catch((error) => {
  console.error(error);
  process.exit(2);
});
