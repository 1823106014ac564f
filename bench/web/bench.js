// Times simulation frames with a full dot field: 20000 living individuals in each level's
// shown slots, 80,000 dots. Prints the times of the drawing alone (dots included) and of one
// day's step, into #result and the console.
import { loadWorld } from './world.js';
import { Canvas } from './canvas.js';
import { drawSimulationFrame } from './simulation_screen.js';
import { nameLevels } from './texts.js';

const kFrames = 60;
const kFull = ['20000', '1', '0', '20000', '1', '0', '20000', '1', '0', '20000', '1', '0',
  '0', '0', '0', '0'];

const world = await loadWorld(window.createWorldModule);
nameLevels(world);
const canvas = new Canvas(document.getElementById('screen'));

// Milliseconds of run(), with the canvas made to finish its drawing.
function time(run) {
  const start = performance.now();
  run();
  canvas.ctx.getImageData(0, 0, 1, 1);
  return performance.now() - start;
}
// The first run includes warming up (compiling, loading fonts): shown apart from the rest.
const summary = (times) => {
  const rest = times.slice(1).sort((a, b) => a - b);
  return `first ${times[0].toFixed(2)} ms, then median ${rest[rest.length >> 1].toFixed(2)} ms,` +
    ` slowest ${rest.at(-1).toFixed(2)} ms`;
};

world.confirm(kFull);
const draws = [];
let dots = 0;
for (let i = 0; i < kFrames; ++i) {
  draws.push(time(() => drawSimulationFrame(canvas, world, 1)));
  dots = world.dotsPainted();
}
const steps = [];
for (let i = 0; i < 10; ++i) {
  world.confirm(kFull);
  steps.push(time(() => world.stepDay()));
}
const text = `frame with ${dots} dots: ${summary(draws)} over ${kFrames} frames\n` +
  `one day's step of that world: ${summary(steps)} over ${steps.length} days`;
document.getElementById('result').textContent = text;
console.log(text);
document.body.dataset.done = '1';
