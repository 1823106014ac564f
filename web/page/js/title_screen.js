// The title screen: the same frame on every tick until a game starts. It draws nothing from
// the random source, so time spent here does not change the game that follows.

export const kStartButton = { left: 220, top: 280, right: 550, bottom: 370 };

const picture = new Image();
picture.src = 'title.bmp';

export function drawTitleFrame(canvas) {
  canvas.clearBlack();
  canvas.setFont(30, 255, 255, 255);
  canvas.drawText(170, 85, 'Velmoria');
  canvas.setPen(3, 0, 0, 255);
  canvas.drawLine(0, 180, 1000, 180);
  // A picture that has not loaded (or could not) leaves its place black.
  if (picture.complete && picture.naturalWidth > 0) {
    canvas.ctx.drawImage(picture, 50, 50, 89, 103);
  }
  canvas.setPen(1, 255, 0, 0);
  canvas.setBrush(255, 0, 0);
  const b = kStartButton;
  canvas.drawEllipse(b.left, b.top, b.right, b.bottom);
  canvas.setFont(25, 255, 255, 0);
  canvas.drawText(285, 310, 'CLICK TO START!!');
}
