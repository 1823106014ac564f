// Opens the frame-timing page (bench.html) in headless Chromium and prints what it measured.
// The page is no part of the built site: it is served from a copy of the site with the page
// added. Usage: node bench/web/bench_frame.mjs SITE_DIR
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { serveSite, launchChromium } from '../../tests/web/browser_support.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const siteCopy = fs.mkdtempSync(path.join(os.tmpdir(), 'velmoria-bench-'));
fs.cpSync(process.argv[2], siteCopy, { recursive: true });
fs.copyFileSync(path.join(here, 'bench.html'), path.join(siteCopy, 'bench.html'));
fs.copyFileSync(path.join(here, 'bench.js'), path.join(siteCopy, 'js', 'bench.js'));

const site = await serveSite(siteCopy);
const chromium = await launchChromium();
try {
  const page = await chromium.browser.newPage();
  await page.goto(`${site.url}bench.html`);
  await page.waitForSelector('body[data-done="1"]', { timeout: 120000 });
  console.log(await page.$eval('#result', (e) => e.textContent));
} finally {
  await chromium.close();
  await site.close();
  fs.rmSync(siteCopy, { recursive: true, force: true });
}
