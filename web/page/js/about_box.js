// The About box "ﾊﾞｰｼﾞｮﾝ情報": its texts, and every 50 ms one random line in a random colour
// and width on a black picture at the top-left of its client area. The picture's size comes from
// the world module, and so do the line's values, drawn from its random source, which the running
// game shares.
import { openModalBox, element } from './modal_box.js';
import { texts } from './texts.js';

// Dialog units to pixels for the system font.
const kUnit = 2;
const px = (units) => units * kUnit;

export function openAboutBox(parent, world, onClose) {
  let timer = 0;
  const close = () => {
    clearInterval(timer);
    box.close();
    onClose();
  };
  const box = openModalBox({
    parent, id: 'about-box', title: texts.aboutCaption, left: px(22), top: px(17),
    width: px(230), height: px(75), onCloseBox: close,
  });
  box.client.style.overflow = 'hidden';

  const lines = element('canvas', 'about-lines');
  lines.id = 'about-lines';
  lines.width = world.aboutPicture.width;
  lines.height = world.aboutPicture.height;
  lines.setAttribute('aria-hidden', 'true');
  box.place(lines, 0, 0, lines.width, lines.height);
  const icon = element('img', 'icon');
  icon.src = 'title.bmp';
  icon.alt = '';
  box.place(icon, px(16), px(51), 32, 32); // an icon keeps its own size
  box.place(element('span', 'label', texts.version), px(49), px(48), px(170), px(8));
  box.place(element('span', 'label', '(C) 2026 Velmoria developers'), px(49), px(58), px(119),
    px(8));
  const ok = element('button', 'push', 'OK');
  ok.id = 'about-ok';
  box.place(ok, px(190), px(58), px(30), px(11));
  ok.addEventListener('click', close);
  box.cover.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' || event.key === 'Escape') {
      event.preventDefault();
      close();
    }
  });

  // Drawn pixel by pixel, without smoothing, as the program's pen draws.
  const ctx = lines.getContext('2d');
  const picture = ctx.createImageData(lines.width, lines.height);
  const clearBlack = () => {
    picture.data.fill(0);
    for (let i = 3; i < picture.data.length; i += 4) picture.data[i] = 255;
  };
  clearBlack();
  ctx.putImageData(picture, 0, 0);
  timer = setInterval(() => {
    clearBlack();
    plotLine(picture, world.aboutLine());
    ctx.putImageData(picture, 0, 0);
  }, 50);
  ok.focus();
}

// The line from (x1, y1) towards (x2, y2), its end point left out, in a pen of the line's width
// (0 and 1 both one pixel) and colour.
function plotLine(picture, line) {
  const { width, height, data } = picture;
  const radius = line.width / 2;
  const reach = Math.floor(radius);
  const put = (cx, cy) => {
    for (let dy = -reach; dy <= reach; ++dy) {
      for (let dx = -reach; dx <= reach; ++dx) {
        const x = cx + dx;
        const y = cy + dy;
        if (line.width > 1 && dx * dx + dy * dy > radius * radius) continue;
        if (x < 0 || y < 0 || x >= width || y >= height) continue;
        const at = (y * width + x) * 4;
        data[at] = line.red;
        data[at + 1] = line.green;
        data[at + 2] = line.blue;
      }
    }
  };
  let x = line.x1;
  let y = line.y1;
  const dx = Math.abs(line.x2 - x);
  const dy = -Math.abs(line.y2 - y);
  const sx = x < line.x2 ? 1 : -1;
  const sy = y < line.y2 ? 1 : -1;
  let error = dx + dy;
  while (x !== line.x2 || y !== line.y2) {
    put(x, y);
    const e2 = 2 * error;
    if (e2 >= dy) { error += dy; x += sx; }
    if (e2 <= dx) { error += dx; y += sy; }
  }
}
