// The simulation screen: legend, population graph, day counter and the dots, drawn after each
// day from the world's state. The dots are scattered by the world module (the same random draws
// as the program's) into an RGBA picture that is put on the canvas in one call.
import { texts } from './texts.js';

// The populations stand at the program's x, or further right when a name is longer than the
// program's (the English names).
const kNameGap = 10;

// Draws the frame of the day just run (day counted from 1), laid out as the program's screen.
export function drawSimulationFrame(canvas, world, day) {
  const { species, layout } = world;
  canvas.clearBlack();

  const names = texts.species;
  canvas.setFont(layout.legendFontHeight, 255, 255, 255);
  const populationX = Math.max(layout.legendNumberX,
    ...names.map((name) => layout.legendX + canvas.textWidth(name) + kNameGap));
  for (let k = 0; k < world.speciesCount; ++k) {
    const y = layout.legendTop + layout.legendLineHeight * k;
    canvas.setFont(layout.legendFontHeight, ...species[k].rgb);
    canvas.drawText(layout.legendX, y, names[k]);
    canvas.drawText(populationX, y, String(world.population(k)));
  }

  const { graphOriginX: originX, graphOriginY: originY } = layout;
  canvas.setPen(1, 255, 255, 255);
  canvas.drawLine(originX, originY, layout.axisRight, originY);
  canvas.drawLine(originX, layout.axisTop, originX, originY);

  // Segment i joins day index i - 1 to day index i, from x = originX - 1 + i.
  const lastSegment = world.lastGraphSegment(canvas.element.width, day);
  for (let k = 0; k < world.speciesCount; ++k) {
    if (lastSegment < 1) break;
    canvas.setPen(1, ...species[k].rgb);
    const points = [];
    for (let i = 0; i <= lastSegment; ++i) {
      points.push(originX + i, world.graphY(world.history(k, i)));
    }
    canvas.drawPolyline(points);
  }

  canvas.setFont(layout.dayCounterFontHeight, 255, 255, 255);
  canvas.drawText(layout.dayCounterX, layout.dayCounterY, texts.day(day));

  drawDots(canvas, world);
}

// The dots alone: one scatter of the world's living individuals (two random draws each).
export function drawDots(canvas, world) {
  const area = world.dotArea;
  const pixels = world.paintDots();
  canvas.ctx.putImageData(new ImageData(pixels, area.width, area.height), area.left, area.top);
}
