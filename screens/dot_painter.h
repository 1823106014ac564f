// The population dots of the simulation screen: for each level in turn, one "●" at font
// height 2 in the level's colour for every living individual among its first kDotSlots slots,
// at a place drawn from the shared random source (dot_field.h), later dots over earlier ones.
#pragma once

#include "canvas.h"
#include "world.h"

using DotPainter = void (*)(Canvas& canvas, const World& w);

// Draws every dot with its own text call, as the canvas draws any text. Simple and slow: under
// Wine a full field of 80,000 dots takes most of a second.
void paintDotsPerCall(Canvas& canvas, const World& w);

// The same picture and the same random draws, composed in memory from what one dot of each
// colour was measured to do (dot_stamp.h); drawn one call per dot when there is no memory
// for that.
void paintDots(Canvas& canvas, const World& w);

// For tests: forgets the dots measured so far, so that the next frame measures them again.
void forgetMeasuredDots();
