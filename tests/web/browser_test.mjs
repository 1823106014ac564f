// The page played in headless Chromium: the title screen, the parameter form (labels,
// defaults, Tab order, Esc, Enter), the About box's lines, games started from shared links,
// whose records and days must be those of velmoria-sim with the same texts, the keyboard, what
// a screen reader is told, phone and tablet screens, English and embedding.
// Usage: node browser_test.mjs SITE_DIR VELMORIA_SIM
import { execFileSync } from 'node:child_process';
import assert from 'node:assert/strict';
import {
  serveSite, launchChromium, openGame, canvasPixel, waitForPixel, pressWithAlt,
} from './browser_support.mjs';

const [siteDir, simPath] = process.argv.slice(2);
const site = await serveSite(siteDir);
const chromium = await launchChromium();
const checks = [];
// Each check starts on a fresh page showing the title screen: the page itself, or the page
// with query on a screen of the size of viewport.
const check = (name, run, { query = '', viewport } = {}) =>
  checks.push({ name, run, query, viewport });

const kDefaults = ['2000', '0.5', '0.2', '2000', '0.5', '0.2', '2000', '0.5', '0.2',
  '2000', '0.5', '0.2', '0.1', '0.1', '0.1', '0.1'];
const link = (texts, start) =>
  `${site.url}?f=${texts.map(encodeURIComponent).join(',')}${start ? '&start=1' : ''}`;

function simRecord(texts) {
  return execFileSync(simPath, ['--', ...texts], { encoding: 'utf8' }).trim();
}

// velmoria-sim's --csv for the first `games` games with these texts.
function simCsv(texts, games = 1) {
  return execFileSync(simPath, ['--games', String(games), '--csv', '-', '--', ...texts],
    { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
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

// The role and name Chromium gives a screen reader for the element (a handle or a selector).
async function accessible(page, element) {
  const root = typeof element === 'string' ? await page.$(element) : element;
  const { role, name } = await page.accessibility.snapshot({ root, interestingOnly: false });
  return { role, name };
}

async function startWithKeyboard(page) {
  await page.focus('#screen');
  await page.keyboard.press('Enter');
  await page.waitForSelector('#ok');
  await page.keyboard.press('Enter');
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
  // The legend: each level's name and number on its own line in its colour.
  const legend = [[255, 0, 0], [255, 0, 255], [255, 255, 0], [0, 255, 0]];
  for (const [k, rgb] of legend.entries()) {
    const count = await page.$eval('#screen', (canvas, y, want) => {
      const d = canvas.getContext('2d').getImageData(10, y, 230, 20).data;
      let n = 0;
      for (let i = 0; i < d.length; i += 4) n += want.every((c, j) => d[i + j] === c) ? 1 : 0;
      return n;
    }, 10 + 20 * k, rgb);
    assert.ok(count > 20, `legend line ${k} has ${count} pixels of its colour`);
  }
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
    // A screen reader names each edit by its level and its label.
    const names = [];
    for (const input of await page.$$('.box input')) names.push((await accessible(page, input)).name);
    const species = ['大型肉食動物', '小型肉食動物', '草食動物', '緑色植物'];
    assert.deepEqual(names, [
      ...species.flatMap((s) => ['個体数', '繁殖度', '寿命長'].map((label) => `${s} ${label}`)),
      'ウイルス(大型肉食動物)出現頻度', 'ウイルス(小型肉食動物)出現頻度', 'ウイルス(草食動物)出現頻度',
      '乾季(緑色植物)出現頻度']);
    const focused = () => page.evaluate(() => document.activeElement.id);
    assert.equal(await focused(), 'ok');
    for (let id = 1000; id <= 1015; ++id) {
      await page.keyboard.press('Tab');
      assert.equal(await focused(), `field-${id}`);
    }
    await page.keyboard.press('Tab');
    assert.equal(await focused(), 'ok');
    // Enter that commits an input method's text is not OK.
    await page.$eval('#field-1000', (e) => e.dispatchEvent(new KeyboardEvent('keydown',
      { key: 'Enter', isComposing: true, bubbles: true })));
    assert.ok(await page.$('#ok'), 'the form stays open');
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
  await pressWithAlt(page, '/');
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
  await pressWithAlt(page, '?', true);
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
    // A pasted lone surrogate, which no URL can carry, reaches the replay link as U+FFFD.
    typed[12] = 'abc\uD800';
    await page.$$eval('.box input', (all, text) => { all[12].value = text; }, typed[12]);
    await page.keyboard.press('Enter');
    assert.equal(await waitForRecord(page), simRecord(typed));
    assert.match(await page.$eval('#replay', (a) => a.href), /,abc%EF%BF%BD,/);
    // A text box holds no line break, so a link's text loses it even when the link starts at
    // once: the game the form would have played.
    const broken = ['30\r\n00', ...kDefaults.slice(1)];
    await page.goto(link(broken, true));
    assert.equal(await waitForRecord(page), simRecord(['3000', ...kDefaults.slice(1)]));
  });

check('the keyboard alone: Tab with focus rings, a game from the title to the record, the menus',
  async (page) => {
    const focused = () => page.evaluate(() => {
      const style = getComputedStyle(document.activeElement);
      const ring = style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) > 0;
      return `${document.activeElement.id}${ring ? '' : ' (no focus ring)'}`;
    });
    const tabThrough = async (ids) => {
      for (const id of ids) {
        await page.keyboard.press('Tab');
        assert.equal(await focused(), id);
      }
    };
    await tabThrough(['menu-0', 'menu-1', 'screen']);
    assert.equal((await accessible(page, '#screen')).role, 'button');
    await page.keyboard.press('Enter');
    assert.equal(await focused(), 'ok');
    await tabThrough(['field-1000']);
    await page.keyboard.press('Enter');
    assert.equal(await waitForRecord(page), simRecord(kDefaults));
    assert.deepEqual(await accessible(page, '#game-over'), { role: 'alertdialog', name: 'GAME OVER' });
    await page.waitForSelector('#final-screen[href]');
    await tabThrough(['game-over-close', 'replay', 'day-table', 'final-screen', 'copy-link',
      'game-over-ok']);
    await page.keyboard.press('Enter');
    assert.equal(await page.$('#game-over'), null);
    assert.equal(await focused(), 'screen', 'the focus is back where it was');

    const menus = await accessible(page, '#menu-bar');
    assert.equal(menus.role, 'menubar');
    const menuState = () => page.evaluate(() => [
      ...[...document.querySelectorAll('[aria-haspopup="menu"]')]
        .map((opener) => opener.getAttribute('aria-expanded')),
      document.activeElement.getAttribute('role'), document.activeElement.textContent]);
    await pressWithAlt(page, 'h');
    assert.deepEqual(await menuState(), ['false', 'true', 'menuitem', 'ﾊﾞｰｼﾞｮﾝ情報(A) ...']);
    await page.keyboard.press('ArrowRight'); // round to the first menu
    assert.deepEqual(await menuState(), ['true', 'false', 'menuitem', 'ｱﾌﾟﾘｹｰｼｮﾝの終了(X)']);
    await page.keyboard.press('Escape');
    assert.deepEqual(await menuState(), ['false', 'false', 'button', '']);
    assert.equal(await focused(), 'screen');
    for (const key of ['Enter', 'a']) {
      await pressWithAlt(page, 'h');
      await page.keyboard.press(key);
      await page.waitForSelector('#about-box');
      assert.deepEqual(await accessible(page, '#about-box'), { role: 'dialog', name: 'ﾊﾞｰｼﾞｮﾝ情報' });
      await page.keyboard.press('Escape');
      assert.equal(await focused(), 'screen');
    }
    await pressWithAlt(page, 'f');
    await page.keyboard.press('x');
    assert.equal(await page.$('#screen'), null, 'the program has ended');
    // Nothing starts again: the About box's keys would run its timer unseen.
    await page.evaluate(() => {
      window.timersStarted = 0;
      const start = window.setInterval;
      window.setInterval = (...args) => (++window.timersStarted, start(...args));
    });
    await pressWithAlt(page, '/');
    await pressWithAlt(page, 'h');
    await page.keyboard.press('a');
    assert.equal(await page.evaluate(() => window.timersStarted), 0);
  });

check('the live region tells the day and populations at most once a second, then the record',
  async (page) => {
    await page.evaluate(() => {
      const region = document.getElementById('announcer');
      window.said = [];
      new MutationObserver(() => window.said.push([performance.now(), region.textContent]))
        .observe(region, { childList: true, characterData: true, subtree: true });
    });
    await startWithKeyboard(page);
    assert.equal(await waitForRecord(page), '記録：28日');
    const said = await page.evaluate(() => window.said);
    assert.equal(said.at(-1)[1], '記録：28日');
    const reports = said.slice(0, -1);
    assert.ok(reports.length >= 2, JSON.stringify(said));
    const days = simCsv(kDefaults).trim().split('\n').slice(1);
    const spoken = (row) => {
      const [, day, ...populations] = row.split(',');
      const names = ['大型肉食動物', '小型肉食動物', '草食動物', '緑色植物'];
      return `${day}日：${populations.map((n, k) => `${names[k]} ${n}`).join('、')}`;
    };
    reports.forEach(([time, text], i) => {
      assert.equal(text, spoken(days[parseInt(text, 10) - 1]));
      if (i > 0) assert.ok(time - reports[i - 1][0] >= 950, `${text} came too soon`);
    });
    // The canvas's text alternative shows the last day.
    assert.equal(await page.$eval('#screen', (e) => e.getAttribute('aria-label')),
      `シミュレーション画面 ${spoken(days.at(-1))}`);
  });

check('the game-over box gives the days as velmoria-sim --csv, the final screen and the link',
  async (page) => {
    await page.browserContext().overridePermissions(new URL(site.url).origin,
      ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
    const [header, ...rows] = simCsv(kDefaults, 2).trimEnd().split('\n');
    for (const game of [1, 2]) {
      await startWithKeyboard(page);
      await waitForRecord(page);
      const table = await page.$eval('#day-table', async (a) =>
        [a.download.endsWith('.csv'), await (await fetch(a.href)).text()]);
      const expected = [header, ...rows.filter((row) => row.startsWith(`${game},`))];
      assert.deepEqual(table, [true, expected.map((line) => `${line}\n`).join('')]);
      if (game === 1) {
        await page.waitForSelector('#final-screen[href]');
        const sameAsScreen = await page.$eval('#final-screen', async (a) => {
          const picture = await createImageBitmap(await (await fetch(a.href)).blob());
          const screen = document.getElementById('screen');
          const copy = new OffscreenCanvas(picture.width, picture.height).getContext('2d');
          copy.drawImage(picture, 0, 0);
          const pixels = (ctx) => ctx.getImageData(0, 0, screen.width, screen.height).data;
          const shown = pixels(screen.getContext('2d'));
          return a.download.endsWith('.png') && picture.width === screen.width &&
            picture.height === screen.height && pixels(copy).every((v, i) => v === shown[i]);
        });
        assert.ok(sameAsScreen, 'the PNG is the final screen');
        await page.click('#copy-link');
        await page.waitForFunction(() => document.querySelector('#copy-link').textContent === 'コピーしました');
        assert.equal(await page.evaluate(() => navigator.clipboard.readText()),
          await page.$eval('#replay', (a) => a.href));
      }
      await page.keyboard.press('Escape');
    }
  });

for (const [width, height] of [[390, 844], [768, 1024]]) {
  check(`a ${width} x ${height} touch screen: a tap starts, the boxes fit its width, controls are ` +
    'large enough to tap', async (page) => {
    const fault = () => page.evaluate(() => {
      if (document.documentElement.scrollWidth > innerWidth) return 'horizontal scrolling';
      const small = [...document.querySelectorAll('.box-client :is(input, button, a)')]
        .filter((e) => e.getBoundingClientRect().height < 44);
      return small.map((e) => `${e.id || e.textContent} is too small`).join(', ') || null;
    });
    await pressWithAlt(page, '/');
    await page.waitForSelector('#about-box');
    assert.equal(await fault(), null);
    await page.keyboard.press('Escape');
    await page.touchscreen.tap(width / 2, width / 3);
    await page.waitForSelector('#ok');
    assert.equal(await fault(), null);
    await page.keyboard.press('Enter');
    await waitForRecord(page);
    assert.equal(await fault(), null);
    const [boxTop, pictureBottom] = await page.evaluate(() => [
      document.getElementById('game-over').getBoundingClientRect().top,
      document.getElementById('screen').getBoundingClientRect().bottom].map(Math.round));
    assert.ok(boxTop >= pictureBottom, `the box at ${boxTop} covers the picture down to ${pictureBottom}`);
  }, { viewport: { width, height, isMobile: true, hasTouch: true } });
}

check('lang=en: every text in English, the same record, the language kept in the replay link',
  async (page) => {
    const japanese = () => page.evaluate(() => [document.title, document.body.textContent,
      ...[...document.querySelectorAll('[aria-label]')].map((e) => e.getAttribute('aria-label'))]
      .join('\n').match(/[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]+/g));
    assert.equal(await japanese(), null);
    await page.mouse.click(700, 600);
    await page.waitForSelector('#ok');
    assert.equal(await japanese(), null);
    await page.keyboard.press('Enter');
    const record = await waitForRecord(page);
    assert.equal(record.match(/\d+/)[0], simRecord(kDefaults).match(/\d+/)[0]);
    assert.equal(await japanese(), null);
    assert.equal(await page.$eval('#replay', (a) => a.href), `${link(kDefaults, true)}&lang=en`);
    await page.keyboard.press('Escape');
    await pressWithAlt(page, '/'); // after the game: its lines draw from the random source
    await page.waitForSelector('#about-box');
    assert.equal(await japanese(), null);
  }, { query: '?lang=en' });

for (const [width, height, screen] of [[900, 400, [150, 0, 600, 400]], [450, 600, [0, 0, 450, 300]]]) {
  check(`embed=1 in a ${width} x ${height} frame: the game view alone, as large as the frame allows`,
    async (page) => {
      const shown = await page.evaluate(() => {
        const r = document.getElementById('screen').getBoundingClientRect();
        return [getComputedStyle(document.getElementById('menu-bar')).display,
          ...[r.x, r.y, r.width, r.height].map(Math.round)];
      });
      assert.deepEqual(shown, ['none', ...screen]);
    }, { query: '?embed=1', viewport: { width, height } });
}

let failures = 0;
try {
  for (const { name, run, query, viewport } of checks) {
    const page = await openGame(chromium.browser, site.url + query, viewport);
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
