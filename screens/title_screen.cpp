// The title screen: the same frame on every tick until a game starts.
#include "title_screen.h"

#include "canvas.h"
#include "main_window.h"

void drawTitleFrame(HWND window) {
  mainCanvas.clearBlack();
  mainCanvas.setFont(30, 255, 255, 255);
  mainCanvas.drawText(170, 85, "Velmoria");
  mainCanvas.setPen(3, 0, 0, 255);
  mainCanvas.drawLine(0, 180, 1000, 180);
  mainCanvas.drawMaskedImage(window, 50, 50, "b.dat", "b.dat", 89, 103);
  mainCanvas.setPen(1, 255, 0, 0);
  mainCanvas.setBrush(255, 0, 0);
  mainCanvas.drawEllipse(startButtonRect);
  mainCanvas.setFont(25, 255, 255, 0);
  mainCanvas.drawText(285, 310, "CLICK TO START!!");
  mainCanvas.invalidate(window);
}
