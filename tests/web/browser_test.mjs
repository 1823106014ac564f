// The page played in headless Chromium: the title screen, the parameter form (labels,
// defaults, Tab order, Esc, Enter), the About box's lines, and games started from shared links,
// whose records must be those of velmoria-sim with the same texts.
// Usage: node browser_test.mjs SITE_DIR VELMORIA_SIM
import { execFileSync } from 'node:child_process';
import assert from 'node:assert/strict';
import { serveSite, launchChromium, openGame, canvasPixel, waitForPixel } from './browser_support.mjs';

const [siteDir, simPath] = process.argv.slice(2);
const site = await serveSite(siteDir);
const chromium = await launchChromium();
const checks = [];
const check = (name, run) => checks.push({ name, run });

const kDefaults = ['2000', '0.5', '0.2', '2000', '0.5', '0.2', '2000', '0.5', '0.2',
  '2000', '0.5', '0.2', '0.1', '0.1', '0.1', '0.1'];
const link = (texts, start) =>
  `${site.url}?f=${texts.map(encodeURIComponent).join(',')}${start ? '&start=1' : ''}`;

function simRecord(texts) {
  return execFileSync(simPath, ['--', ...texts], { encoding: 'utf8' }).trim();
}

// Pixel (x, y) of the title picture as the site serves it, decoded by the browser itself,
// as [red, green, blue].
function picturePixel(page, x, y) {
  return page.evaluate(async (x, y) => {
    const picture = await createImageBitmap(await (await fetch('title.bmp')).blob());
    const canvas = new OffscreenCanvas(picture.width, picture.height);
    canvas.getContext('2d').drawImage(picture, 0, 0);
    return [...canvas.getContext('2d').getImageData(x, y, 1, 1).data.slice(0, 3)];
  }, x, y);
}

async function waitForRecord(page) {
  await page.waitForSelector('#record', { timeout: 120000 });
  return page.$eval('#record', (e) => e.textContent);
}

check('the defaults shared with start=1 end with the first game\'s record', async (page) => {
  const url = link(kDefaults, true);
  await page.goto(url);
  assert.equal(await waitForRecord(page), simRecord(kDefaults));
  assert.equal(await waitForRecord(page), '記録：28日');
  assert.equal(await page.$eval('#replay', (a) => a.href), url);
  // The final day's frame: white axes, and only black and the four colours in the dot field.
  assert.deepEqual(await canvasPixel(page, 600, 450), [255, 255, 255]);
  assert.deepEqual(await canvasPixel(page, 250, 100), [255, 255, 255]);
  const colours = await page.$eval('#screen', (canvas) => {
    const d = canvas.getContext('2d').getImageData(0, 150, 246, 301).data;
    const seen = new Set();
    for (let i = 0; i < d.length; i += 4) seen.add(`${d[i]},${d[i + 1]},${d[i + 2]}`);
    return [...seen].sort();
  });
  assert.deepEqual(colours, ['0,0,0', '0,255,0', '255,0,0', '255,255,0']);
  // OK goes back to the title screen.
  await page.click('#game-over-ok');
  assert.equal(await page.$('#game-over'), null);
  await waitForPixel(page, 500, 180, [0, 0, 255]);
});

check('the title screen draws the rule, the start ellipse and the picture', async (page) => {
  assert.deepEqual(await canvasPixel(page, 500, 180), [0, 0, 255]);
  assert.deepEqual(await canvasPixel(page, 240, 325), [255, 0, 0]);
  assert.deepEqual(await canvasPixel(page, 50 + 44, 50 + 51),
    await picturePixel(page, 44, 51));
  assert.deepEqual(await canvasPixel(page, 900, 600), [0, 0, 0]);
});

check('the form shows its labels and defaults, starts on OK, tabs in order and stays open on Esc',
  async (page) => {
    await page.mouse.click(700, 600);
    await page.waitForSelector('#ok');
    const texts = await page.$$eval('.box .group-title, .box .label, .box .note',
      (all) => all.map((e) => e.textContent));
    const rows = (label) => [label, '(0～10000)', '繁殖度：', '(0～1)', '寿命長：', '(0～1)'];
    assert.deepEqual(texts, ['食物連鎖',
      '大型肉食動物', ...rows('個体数：'), '小型肉食動物', ...rows('個体数：'),
      '草食動物', ...rows('個体数：'), '緑色植物', ...rows('個体数：'),
      '外乱', 'ウイルス(大型肉食動物)出現頻度：', '(0～1)', 'ウイルス(小型肉食動物)出現頻度：', '(0～1)',
      'ウイルス(草食動物)出現頻度：', '(0～1)', '乾季(緑色植物)出現頻度：', '(0～1)']);
    assert.deepEqual(await page.$$eval('.box input', (all) => all.map((e) => e.value)), kDefaults);
    const focused = () => page.evaluate(() => document.activeElement.id);
    assert.equal(await focused(), 'ok');
    for (let id = 1000; id <= 1015; ++id) {
      await page.keyboard.press('Tab');
      assert.equal(await focused(), `field-${id}`);
    }
    await page.keyboard.press('Tab');
    assert.equal(await focused(), 'ok');
    await page.keyboard.press('Escape');
    await page.click('.box .close-box');
    assert.ok(await page.$('#ok'), 'the form stays open');
    await page.keyboard.press('Enter');
    assert.equal(await page.$('#ok'), null);
    await waitForPixel(page, 600, 450, [255, 255, 255]); // the game's axis
  });

check('Alt+/ and Alt+? open the About box, its lines from the random source', async (page) => {
  // Nothing drew from the source on the title screen, so the lines are its first draws.
  let state = 1;
  const next = () => {
    state = (Math.imul(state, 214013) + 2531011) >>> 0;
    return (state >>> 16) & 0x7fff;
  };
  const colours = [];
  for (let i = 0; i < 400; ++i) {
    const [blue, green, red] = [next() % 256, next() % 256, next() % 256];
    for (let j = 0; j < 5; ++j) next(); // width, y2, x2, y1, x1
    colours.push(`${red},${green},${blue}`);
  }
  await page.keyboard.down('Alt');
  await page.keyboard.press('/');
  await page.keyboard.up('Alt');
  await page.waitForSelector('#about-box');
  await page.waitForFunction(() => document.querySelector('#about-lines').getContext('2d')
    .getImageData(0, 0, 500, 100).data.some((v, i) => i % 4 !== 3 && v !== 0));
  const seen = await page.$eval('#about-lines', (canvas) => {
    const d = canvas.getContext('2d').getImageData(0, 0, 500, 100).data;
    const colours = new Set();
    for (let i = 0; i < d.length; i += 4) {
      if (d[i] || d[i + 1] || d[i + 2]) colours.add(`${d[i]},${d[i + 1]},${d[i + 2]}`);
    }
    return [...colours];
  });
  assert.equal(seen.length, 1, 'one line in one colour');
  assert.ok(colours.includes(seen[0]), `colour ${seen[0]}`);
  await page.keyboard.press('Escape');
  assert.equal(await page.$('#about-box'), null);
  await page.keyboard.down('Alt');
  await page.keyboard.down('Shift');
  await page.keyboard.press('?');
  await page.keyboard.up('Shift');
  await page.keyboard.up('Alt');
  await page.waitForSelector('#about-box');
  await page.click('#about-ok');
  assert.equal(await page.$('#about-box'), null);
});

const kOddTexts = ['<b id="typed">2000</b>', '+0.5', '0%2C5', '%E0%A4%A', ' 0.2',
  '2000', '.5', '0.2e0', '１', '0.5', '0.2', '3000', 'abc', '', '0.1', '0.1'];
check('link texts are typed text: kept as written, never markup, played as velmoria-sim plays them',
  async (page) => {
    const raw = kOddTexts.map((t, i) => (i === 2 || i === 3 ? t : encodeURIComponent(t)));
    const typed = kOddTexts.map((t, i) => (i === 2 ? '0,5' : t));
    await page.goto(`${site.url}?f=${raw.join(',')}`);
    await page.waitForSelector('body[data-ready="1"]');
    await page.mouse.click(700, 600);
    await page.waitForSelector('#ok');
    assert.deepEqual(await page.$$eval('.box input', (all) => all.map((e) => e.value)), typed);
    assert.equal(await page.$('#typed'), null);
    await page.keyboard.press('Enter');
    assert.equal(await waitForRecord(page), simRecord(typed));
  });

// Each check starts on a fresh page (a fresh world module) showing the title screen.
let failures = 0;
try {
  for (const { name, run } of checks) {
    const page = await openGame(chromium.browser, site.url);
    try {
      await run(page);
      console.log(`ok   ${name}`);
    } catch (error) {
      failures += 1;
      console.log(`FAIL ${name}\n${error.stack}`);
    }
    await page.close();
  }
} finally {
  await chromium.close();
  await site.close();
}
process.exit(failures === 0 ? 0 : 1);
