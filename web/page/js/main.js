// The main window: the menu, the 100 ms tick that draws the title screen or runs one day of
// the game, the game modes and the end-of-game rule, and what a screen reader is told of them.
// world_module.js, loaded before this module, provides createWorldModule. "embed=1" shows the
// game view alone, sized to the frame the page is shown in.
import { loadWorld } from './world.js';
import { Canvas } from './canvas.js';
import { drawTitleFrame } from './title_screen.js';
import { drawSimulationFrame } from './simulation_screen.js';
import { openParameterForm } from './parameter_form.js';
import { openGameOverBox } from './game_over_box.js';
import { openAboutBox } from './about_box.js';
import { buildMenuBar } from './menu_bar.js';
import { linkFields, linkStarts, replayLink } from './shared_link.js';
import { texts, language, dayReport, nameLevels } from './texts.js';
import { createAnnouncer } from './announcer.js';
import { DayTable } from './day_table.js';

const Title = 0;
const Running = 1;
const kTickMs = 100;

const world = await loadWorld(window.createWorldModule);
nameLevels(world);
const canvas = new Canvas(document.getElementById('screen'));
const client = document.getElementById('client');
const announcer = createAnnouncer(document.getElementById('announcer'));
const dayTable = new DayTable();
document.documentElement.lang = language;
if (new URLSearchParams(location.search).get('embed') === '1') {
  document.documentElement.classList.add('embed');
}
// What the dialog opens with: the link's texts, or the defaults.
const formFields = linkFields(location.search, world.defaultFields) ?? world.defaultFields;

let mode = Title;
let dayCount = 0;
let timer = 0;
let openBoxes = 0; // while a box is open, clicks on the window and the menu do nothing
const modalOpen = () => openBoxes > 0;
let gameFields = formFields;

function tick() {
  if (mode === Title) {
    drawTitleFrame(canvas);
  } else {
    dayCount = world.stepDay();
    drawSimulationFrame(canvas, world, dayCount);
    const populations = [];
    for (let k = 0; k < world.speciesCount; ++k) populations.push(world.population(k));
    dayTable.addDay(dayCount, populations);
    const report = dayReport(dayCount, populations);
    if (announcer.report(report) || world.gameOver()) describeScreen(report);
  }
  checkGameOver();
  document.body.dataset.ready = '1'; // the first frame is drawn
}

function startTimer() {
  timer = setInterval(tick, kTickMs);
}

function checkGameOver() {
  if (mode !== Running || !world.gameOver()) return;
  clearInterval(timer);
  ++openBoxes;
  announcer.say(texts.record(dayCount));
  const game = {
    days: dayCount,
    replayHref: replayLink(location.href, gameFields),
    csv: dayTable.csv(),
    fileName: `velmoria-${dayTable.game}-${dayCount}`,
    screen: canvas.element,
  };
  openGameOverBox(client, game, () => {
    --openBoxes;
    mode = Title;
    describeScreen();
    startTimer();
    dayCount = 0;
  });
}

// The canvas's text alternative: the title screen (which starts a game like a button), or the
// game's day and populations as last reported.
function describeScreen(report) {
  const title = mode === Title;
  canvas.element.setAttribute('role', title ? 'button' : 'img');
  canvas.element.setAttribute('aria-label', title ? texts.titleScreen
    : `${texts.gameScreen} ${report}`.trim());
}

function startGame(fields) {
  gameFields = fields;
  world.confirm(fields);
  dayTable.startGame();
  dayCount = 0;
  mode = Running;
  describeScreen('');
}

function openForm() {
  ++openBoxes;
  openParameterForm(client, formFields, (fields) => {
    --openBoxes;
    startGame(fields);
  });
}

function openAbout() {
  if (modalOpen()) return;
  ++openBoxes;
  openAboutBox(client, world, () => {
    --openBoxes;
  });
}

function exitProgram() {
  if (modalOpen()) return;
  ++openBoxes; // held for good: once the page has ended, no key opens a box or a menu again
  clearInterval(timer);
  document.body.replaceChildren();
  window.close();
}

// A click, a tap, or Enter or Space on the focused title screen opens the form.
canvas.element.addEventListener('pointerdown', (event) => {
  event.preventDefault(); // keeps the focus where the dialog puts it
  if (event.button === 0 && mode === Title && !modalOpen()) openForm();
});
canvas.element.addEventListener('keydown', (event) => {
  if ((event.key === 'Enter' || event.key === ' ') && mode === Title && !modalOpen()) {
    event.preventDefault();
    openForm();
  }
});

// Alt+? and Alt+/ open the About box.
document.addEventListener('keydown', (event) => {
  const slash = event.key === '/' || event.key === '?' || event.code === 'Slash';
  if (event.altKey && !event.ctrlKey && slash) {
    event.preventDefault();
    openAbout();
  }
});

buildMenuBar(document.getElementById('menu-bar'), {
  exit: exitProgram, about: openAbout, available: () => !modalOpen(),
});

describeScreen();
if (linkStarts(location.search)) startGame(formFields);
startTimer();
