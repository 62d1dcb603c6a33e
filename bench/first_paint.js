// Times the page from navigation to its first painted table, in headless
// chromium, side by side: the single file from file:// on a desktop profile
// and on a mid-range phone profile (390 x 844 at ratio 3, the CPU slowed
// four times), and the hosted copy on the phone profile, loaded from the
// server the first time, then again with a deal in progress (resumed where
// the build keeps its match), then offline from its worker; with BEFORE.html
// (an earlier build's single file) and BEFORE-SITE (its hosted copy) those
// too, as the mark for the rest. Prints the medians. bench/run.sh paint runs it.
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
  types['.png'] = 'image/png';
  types['.webmanifest'] = 'application/manifest+json';
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://x').pathname.slice(1) || 'index.html';
    const file = path.join(folder, path.basename(name));
    if (!fs.existsSync(file)) return response.writeHead(404).end();
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] });
    response.end(fs.readFileSync(file));
  });
  return new Promise((resolve) =>
    server.listen(0, '127.0.0.1', () => resolve({ server, port: server.address().port })),
  );
}

async function paintedAt(page, url, throttle) {
  const cdp = await page.context().newCDPSession(page);
  if (throttle) await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
  await page.goto(url);
  await page.waitForFunction(() => window.bluffwick && window.bluffwick.ready, null, {
    polling: 10,
    timeout: 60000,
  });
  return page.evaluate(() => window.bluffwick.paintedAt);
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function main() {
  const file = 'file://' + path.resolve(pagePath);
  const servers = [];
  const sites = [];
  for (const [name, folder] of [
    ['hosted', siteFolder],
    ['beforeHosted', beforeSiteFolder],
  ]) {
    if (!folder) continue;
    const { server, port } = await serve(folder);
    servers.push(server);
    sites.push([name, `http://127.0.0.1:${port}/`]);
  }
  const before = beforePath && 'file://' + path.resolve(beforePath);
  const times = { desktop: [], phone: [] };
  if (before) Object.assign(times, { beforeDesktop: [], beforePhone: [] });
  for (const [name] of sites) {
    for (const when of ['First', 'Resumed', 'Offline']) times[name + when] = [];
  }
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox'],
  });
  // In turn, run by run, so that the machine's load falls on all alike.
  for (let run = 0; run < runs; ++run) {
    for (const [name, url, profile, throttle] of [
      ['desktop', file, Desktop, false],
      ['phone', file, Phone, true],
      ['beforeDesktop', before, Desktop, false],
      ['beforePhone', before, Phone, true],
    ]) {
      if (!url) continue;
      const context = await browser.newContext(profile);
      times[name].push(await paintedAt(await context.newPage(), url, throttle));
      await context.close();
    }
    for (const [name, site] of sites) {
      // A fresh profile each run, so the first load really is the first.
      const profile = path.join(work, `profile-${name}-${run}`);
      const context = await chromium.launchPersistentContext(profile, {
        executablePath: '/usr/bin/chromium',
        args: ['--no-sandbox'],
        ...Phone,
      });
      const page = context.pages()[0] ?? (await context.newPage());
      times[name + 'First'].push(await paintedAt(page, site, true));
      await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, {
        timeout: 30000,
      });
      // A deal in progress, then the page opened again: a build that keeps
      // its match carries it on, an earlier one opens a new match.
      await page.evaluate(() => document.getElementById('startButton').click());
      times[name + 'Resumed'].push(await paintedAt(page, site, true));
      // Offline: the worker answers; the server refuses every request meanwhile.
      await context.setOffline(true);
      times[name + 'Offline'].push(await paintedAt(page, site, true));
      await context.close();
      fs.rmSync(profile, { recursive: true, force: true });
    }
  }
  await browser.close();
  for (const server of servers) server.close();
  fs.rmSync(work, { recursive: true, force: true });
  // Everything on the phone against the single file on the phone, the earlier one if given.
  const base = median(times.beforePhone ?? times.phone);
  for (const [name, values] of Object.entries(times)) {
    const ratio = /esktop/.test(name) ? '' : `, ${(median(values) / base).toFixed(2)}x`;
    console.log(
      `${name.padEnd(14)} median ${median(values).toFixed(0)} ms${ratio} (${values.map((v) => v.toFixed(0)).join(', ')})`,
    );
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(2);
});
