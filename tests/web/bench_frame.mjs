// Opens the frame-timing page (bench.html) in headless Chromium and prints what it measured.
// Usage: node bench_frame.mjs SITE_DIR
import { serveSite, launchChromium } from './browser_support.mjs';

const site = await serveSite(process.argv[2]);
const chromium = await launchChromium();
try {
  const page = await chromium.browser.newPage();
  await page.goto(`${site.url}bench.html`);
  await page.waitForSelector('body[data-done="1"]', { timeout: 120000 });
  console.log(await page.$eval('#result', (e) => e.textContent));
} finally {
  await chromium.close();
  await site.close();
}
