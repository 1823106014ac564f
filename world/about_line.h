// The About box's animation: every frame one random line in a random colour and pen width on a
// black picture of kAboutPictureWidth x kAboutPictureHeight pixels. Its values come from the
// shared random source, so the box's frames are part of the game's random sequence.
#pragma once

constexpr int kAboutPictureWidth = 500;
constexpr int kAboutPictureHeight = 100;

struct AboutLine {
  int red, green, blue;
  int penWidth;  // 0 .. 19
  int x1, y1;    // where the line starts
  int x2, y2;    // where it ends
};

// Draws one frame's line from the random source, in the order the box has always drawn its
// values (blue, green, red, width, then y2, x2, y1, x1).
AboutLine nextAboutLine();
