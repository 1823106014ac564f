// What the browser tests and the benchmark share: the site served on 127.0.0.1 and Debian's
// Chromium started headless with a fresh profile, driven through puppeteer-core.
import http from 'node:http';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const kTypes = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8', '.bmp': 'image/bmp', '.png': 'image/png' };

// Serves the files under siteDir; resolves to { url, close }.
export function serveSite(siteDir) {
  const root = path.resolve(siteDir);
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(root, name.endsWith('/') ? `${name}index.html` : name);
    if (!file.startsWith(root) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404).end();
      return;
    }
    const type = kTypes[path.extname(file)] ?? 'application/octet-stream';
    response.writeHead(200, { 'Content-Type': type });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => resolve({
      url: `http://127.0.0.1:${server.address().port}/`,
      close: () => new Promise((done) => server.close(done)),
    }));
  });
}

export async function launchChromium() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'velmoria-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--font-render-hinting=none'],
  });
  return {
    browser,
    async close() {
      await browser.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A page the size of the whole game window (or of viewport); resolves once the game page is
// running.
export async function openGame(browser, url, viewport = { width: 1200, height: 823 }) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  page.on('pageerror', (error) => { throw error; });
  await page.goto(url);
  await page.waitForSelector('body[data-ready="1"]');
  return page;
}

// Waits until the game canvas shows [red, green, blue] at (x, y): the next tick may take a
// while on a busy machine.
export function waitForPixel(page, x, y, rgb) {
  return page.waitForFunction((x, y, rgb) => {
    const d = document.querySelector('#screen').getContext('2d').getImageData(x, y, 1, 1).data;
    return d[0] === rgb[0] && d[1] === rgb[1] && d[2] === rgb[2];
  }, { timeout: 10000 }, x, y, rgb);
}

// [red, green, blue] of the game canvas at (x, y), in canvas pixels.
export function canvasPixel(page, x, y, selector = '#screen') {
  return page.$eval(selector, (canvas, x, y) =>
    [...canvas.getContext('2d').getImageData(x, y, 1, 1).data.slice(0, 3)], x, y);
}

// Presses key with Alt held down (and Shift where asked).
export async function pressWithAlt(page, key, shift = false) {
  await page.keyboard.down('Alt');
  if (shift) await page.keyboard.down('Shift');
  await page.keyboard.press(key);
  if (shift) await page.keyboard.up('Shift');
  await page.keyboard.up('Alt');
}
