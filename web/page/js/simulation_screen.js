// The simulation screen: legend, population graph, day counter and the dots, drawn after each
// day from the world's state. The dots are scattered by the world module (the same random draws
// as the program's) into an RGBA picture that is put on the canvas in one call.
import { kSpeciesCount } from './world.js';
import { texts } from './texts.js';

// The species' colours in the order of their levels (their names are in texts.js).
export const kSpecies = [
  { rgb: [255, 0, 0] },
  { rgb: [255, 0, 255] },
  { rgb: [255, 255, 0] },
  { rgb: [0, 255, 0] },
];

const kOriginX = 250;
const kOriginY = 450;
const kPeoplePerPixel = 20;
// The populations stand at x = 150, or further right when a name is longer than the program's.
const kPopulationX = 150;
const kNameGap = 10;
// Segment i starts at x = 249 + i: from this one on, every segment lies right of the canvas.
const kLastVisibleSegment = 951;

// Draws the frame of the day just run (day counted from 1).
export function drawSimulationFrame(canvas, world, day) {
  canvas.clearBlack();

  canvas.setFont(20, 255, 255, 255);
  const populationX = Math.max(kPopulationX,
    ...texts.species.map((name) => 10 + canvas.textWidth(name) + kNameGap));
  for (let k = 0; k < kSpeciesCount; ++k) {
    const y = 10 + 20 * k;
    canvas.setFont(20, ...kSpecies[k].rgb);
    canvas.drawText(10, y, texts.species[k]);
    canvas.drawText(populationX, y, String(world.population(k)));
  }

  canvas.setPen(1, 255, 255, 255);
  canvas.drawLine(kOriginX, kOriginY, 750, kOriginY);
  canvas.drawLine(kOriginX, 30, kOriginX, kOriginY);

  const lastSegment = Math.min(day - 1, kLastVisibleSegment, world.historyDays - 1);
  for (let k = 0; k < kSpeciesCount; ++k) {
    if (lastSegment < 1) break;
    canvas.setPen(1, ...kSpecies[k].rgb);
    const points = [];
    for (let i = 0; i <= lastSegment; ++i) {
      points.push(249 + i + 1, kOriginY - Math.trunc(world.history(k, i) / kPeoplePerPixel));
    }
    canvas.drawPolyline(points);
  }

  canvas.setFont(30, 255, 255, 255);
  canvas.drawText(10, 100, texts.day(day));

  drawDots(canvas, world);
}

// The dots alone: one scatter of the world's living individuals (two random draws each).
export function drawDots(canvas, world) {
  const area = world.dotArea;
  const pixels = world.paintDots();
  canvas.ctx.putImageData(new ImageData(pixels, area.width, area.height), area.left, area.top);
}
