// The WebAssembly world against the headless simulator: over many field sets, each played for
// a few games in a fresh module (a fresh random source, as a fresh velmoria-sim), every day's
// four populations and every record must agree.
// Usage: node records_test.mjs SITE_DIR VELMORIA_SIM
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import assert from 'node:assert/strict';

const [siteDir, simPath] = process.argv.slice(2);
const createWorldModule = createRequire(import.meta.url)(path.resolve(siteDir, 'world_module.js'));
const { loadWorld } = await import(
  pathToFileURL(path.resolve(siteDir, 'js/world.js')).href
);

const defaults = ['2000', '0.5', '0.2', '2000', '0.5', '0.2', '2000', '0.5', '0.2',
  '2000', '0.5', '0.2', '0.1', '0.1', '0.1', '0.1'];
// Field values a player might type, and odd texts the dialog takes as they come.
const usual = [
  ['1500', '2000', '3000', '5000'], // populations
  ['0.3', '0.5', '0.7', '1'], // 繁殖度
  ['0.1', '0.2', '0.25', '0.3'], // 寿命長
];
const usualDisturbances = ['0', '0.05', '0.1', '0.2'];
const odd = ['0', '1', '10000', '60000', '-5', ' 1500', 'abc', '1e-1', '+0.2', '0,5', '.5', '5.',
  '-0.1', '0.29999999999999998', '2e4', '0.7x', '１', ''];

// A fixed sequence of field sets: the defaults, then mixtures of the values above, about one
// field in twelve odd.
function fieldSets(n) {
  const sets = [defaults];
  let s = 12345;
  const next = (m) => {
    s = (s * 1103515245 + 12345) % 2147483648;
    return (s >> 8) % m;
  };
  while (sets.length < n) {
    sets.push(defaults.map((_, i) => {
      if (next(12) === 0) return odd[next(odd.length)];
      const list = i < 12 ? usual[i % 3] : usualDisturbances;
      return list[next(list.length)];
    }));
  }
  return sets;
}

const games = 2;
const dayLimit = 250;

function simulator(fields) {
  const csv = execFileSync(simPath, ['--games', String(games), '--days', String(dayLimit),
    '--csv', '-', '--', ...fields], { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });
  return csv.trim().split('\n').slice(1);
}

async function wasm(fields) {
  const world = await loadWorld(createWorldModule);
  const rows = [];
  for (let game = 1; game <= games; ++game) {
    world.confirm(fields);
    let day = 0;
    while (day < dayLimit) {
      day = world.stepDay();
      world.paintDots();
      const populations = [];
      for (let k = 0; k < world.speciesCount; ++k) {
        populations.push(world.population(k));
        if (day <= world.historyDays) {
          assert.equal(world.history(k, day - 1), world.population(k), `history, day ${day}`);
        }
      }
      rows.push([game, day, ...populations].join(','));
      if (world.gameOver()) break;
    }
  }
  return rows;
}

// What the page takes from the module: the dialog's defaults, and the levels' names as UTF-8.
const facts = await loadWorld(createWorldModule);
assert.deepEqual(facts.defaultFields, defaults);
assert.deepEqual(facts.species.map((s) => s.name),
  ['大型肉食動物', '小型肉食動物', '草食動物', '緑色植物']);

let compared = 0;
for (const fields of fieldSets(24)) {
  const expected = simulator(fields);
  const actual = await wasm(fields);
  assert.deepEqual(actual, expected, `fields ${JSON.stringify(fields)}`);
  if (process.env.VERBOSE) console.log(JSON.stringify(fields), actual.length);
  compared += actual.length;
}
console.log(`records_test: ${compared} days agree over ${fieldSets(24).length} field sets`);
