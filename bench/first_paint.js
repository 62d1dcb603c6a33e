// Times the page from navigation to its first painted table, in headless
// chromium, side by side, each on a desktop profile and on a mid-range phone
// profile (390 x 844 at ratio 3, the CPU slowed four times): the single file
// from file://, and the hosted copy loaded from the server the first time,
// then again with a deal in progress (resumed where the build keeps its
// match), then offline from its worker; with BEFORE.html (an earlier build's
// single file) and BEFORE-SITE (its hosted copy) those too, as the mark for
// the rest. With BLUFFWICK_BENCH_NETWORK=1, a third profile: the phone on a
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
];
const Profiles = [
  ['desktop', Desktop, false],
  ['phone', Phone, true],
];
if (process.env.BLUFFWICK_BENCH_NETWORK === '1') {
  Profiles.push(['slow network', Phone, true, SlowNetwork]);
}

async function main() {
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
  // In turn, run by run, so that the machine's load falls on all alike; the
  // builds' order swapped every run, so that neither always loads first or
  // always follows the other's hosted copy.
  for (let run = 0; run < runs; ++run) {
    const inTurn = run % 2 ? [...builds].reverse() : builds;
    for (const [build, file] of inTurn) {
      for (const [profile, options, throttle, network] of Profiles) {
        if (network) continue;
        const context = await browser.newContext(options);
        times[build].single[profile].push(await paintedAt(await context.newPage(), file, throttle));
        await context.close();
      }
    }
    for (const [build] of inTurn) {
      const site = sites[build];
      if (!site) continue;
      for (const [profile, options, throttle, network] of Profiles) {
        // A fresh profile each run, so the first load really is the first.
        const folder = path.join(work, `profile-${build}-${profile.replace(/\W+/g, '-')}-${run}`);
        const context = await chromium.launchPersistentContext(folder, {
          executablePath: '/usr/bin/chromium',
          args: ['--no-sandbox'],
          ...options,
        });
        const page = context.pages()[0] ?? (await context.newPage());
        const row = times[build];
        row.first[profile].push(await paintedAt(page, site, throttle, network));
        // Over the slow network the first load only: the worker answers the rest.
        if (!network) {
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
        }
        await context.close();
        fs.rmSync(folder, { recursive: true, force: true });
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
