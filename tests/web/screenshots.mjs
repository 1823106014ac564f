// Takes the screenshots of the browser edition for docs/: the title screen, the parameter form
// and a game with the defaults at about its twentieth day; the form in English; the form on a
// phone.
// Usage: node screenshots.mjs SITE_DIR OUT_DIR
import path from 'node:path';
import { serveSite, launchChromium, openGame } from './browser_support.mjs';

const [siteDir, outDir] = process.argv.slice(2);
const site = await serveSite(siteDir);
const chromium = await launchChromium();
const wait = (ms) => new Promise((done) => setTimeout(done, ms));
try {
  const page = await openGame(chromium.browser, site.url);
  await page.screenshot({ path: path.join(outDir, 'web-title.png') });
  await page.mouse.click(700, 600);
  await page.waitForSelector('#ok');
  await wait(200);
  await page.screenshot({ path: path.join(outDir, 'web-form.png') });
  await page.keyboard.press('Enter');
  await wait(2000);
  await page.screenshot({ path: path.join(outDir, 'web-game.png') });

  const english = await openGame(chromium.browser, `${site.url}?lang=en`);
  await english.mouse.click(700, 600);
  await english.waitForSelector('#ok');
  await wait(200);
  await english.screenshot({ path: path.join(outDir, 'web-english.png') });

  const phone = await openGame(chromium.browser, site.url,
    { width: 390, height: 844, isMobile: true, hasTouch: true });
  await phone.touchscreen.tap(195, 130);
  await phone.waitForSelector('#ok');
  await phone.$eval('.modal-cover', (cover) => { cover.scrollTop = 0; });
  await wait(200);
  await phone.screenshot({ path: path.join(outDir, 'web-phone.png') });
} finally {
  await chromium.close();
  await site.close();
}
