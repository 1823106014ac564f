// Drawing as the program's canvas draws: attributes set first (font height and colour, pen
// width and colour, brush colour), then text, lines and ellipses that use them.

const kCanvasFont = '"MS Gothic", "ＭＳ ゴシック", "IPAGothic", monospace';

export class Canvas {
  constructor(element) {
    this.element = element;
    this.ctx = element.getContext('2d', { alpha: false });
    this.font = { height: 15, colour: 'rgb(255,0,0)' };
    this.pen = { width: 1, colour: 'rgb(255,0,0)' };
    this.brush = 'rgb(255,0,0)';
  }

  clearBlack() {
    this.ctx.fillStyle = '#000';
    this.ctx.fillRect(0, 0, this.element.width, this.element.height);
  }

  setFont(height, red, green, blue) {
    this.font = { height, colour: colour(red, green, blue) };
  }
  setPen(width, red, green, blue) {
    this.pen = { width, colour: colour(red, green, blue) };
  }
  setBrush(red, green, blue) {
    this.brush = colour(red, green, blue);
  }

  // The text's top-left cell corner at (x, y).
  drawText(x, y, text) {
    const ctx = this.ctx;
    ctx.font = `${this.font.height}px ${kCanvasFont}`;
    ctx.textBaseline = 'top';
    ctx.fillStyle = this.font.colour;
    ctx.fillText(text, x, y);
  }

  // The width of text in the current font.
  textWidth(text) {
    this.ctx.font = `${this.font.height}px ${kCanvasFont}`;
    return this.ctx.measureText(text).width;
  }

  drawLine(x1, y1, x2, y2) {
    this.drawPolyline([x1, y1, x2, y2]);
  }

  // Lines through the points x0, y0, x1, y1, ... with the pen.
  drawPolyline(points) {
    if (points.length < 4) return;
    const ctx = this.ctx;
    const width = Math.max(1, this.pen.width);
    // A one-pixel pen covers whole pixels: its centre lies in the middle of them.
    const shift = width % 2 === 1 ? 0.5 : 0;
    ctx.lineWidth = width;
    ctx.lineCap = width > 1 ? 'round' : 'butt';
    ctx.lineJoin = 'round';
    ctx.strokeStyle = this.pen.colour;
    ctx.beginPath();
    ctx.moveTo(points[0] + shift, points[1] + shift);
    for (let i = 2; i < points.length; i += 2) {
      ctx.lineTo(points[i] + shift, points[i + 1] + shift);
    }
    ctx.stroke();
  }

  // Filled with the brush and outlined with the pen, inside left, top, right, bottom.
  drawEllipse(left, top, right, bottom) {
    const ctx = this.ctx;
    ctx.beginPath();
    ctx.ellipse((left + right) / 2, (top + bottom) / 2, (right - left) / 2, (bottom - top) / 2,
      0, 0, 2 * Math.PI);
    ctx.fillStyle = this.brush;
    ctx.fill();
    ctx.lineWidth = Math.max(1, this.pen.width);
    ctx.strokeStyle = this.pen.colour;
    ctx.stroke();
  }
}

export function colour(red, green, blue) {
  return `rgb(${red & 255},${green & 255},${blue & 255})`;
}
