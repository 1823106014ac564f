// The main window: the menu, the 100 ms tick that draws the title screen or runs one day of
// the game, the game modes and the end-of-game rule. world_module.js, loaded before this
// module, provides createWorldModule.
import { loadWorld } from './world.js';
import { Canvas } from './canvas.js';
import { drawTitleFrame } from './title_screen.js';
import { drawSimulationFrame } from './simulation_screen.js';
import { openParameterForm } from './parameter_form.js';
import { openGameOverBox } from './game_over_box.js';
import { openAboutBox } from './about_box.js';
import { buildMenuBar } from './menu_bar.js';
import { linkFields, linkStarts, replayLink } from './shared_link.js';

const Title = 0;
const Running = 1;
const kTickMs = 100;

const world = await loadWorld(window.createWorldModule);
const canvas = new Canvas(document.getElementById('screen'));
const client = document.getElementById('client');
// What the dialog opens with: the link's texts, or the defaults.
const formFields = linkFields(location.search, world.defaultFields) ?? world.defaultFields;

let mode = Title;
let dayCount = 0;
let timer = 0;
let modalOpen = false; // a box is open: clicks on the window and the menu do nothing
let gameFields = formFields;

function tick() {
  if (mode === Title) {
    drawTitleFrame(canvas);
  } else {
    dayCount = world.stepDay();
    drawSimulationFrame(canvas, world, dayCount);
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
  modalOpen = true;
  openGameOverBox(client, dayCount, replayLink(location.href, gameFields), () => {
    modalOpen = false;
    mode = Title;
    startTimer();
    dayCount = 0;
  });
}

function startGame(texts) {
  gameFields = texts;
  world.confirm(texts);
  dayCount = 0;
  mode = Running;
}

function openForm() {
  modalOpen = true;
  openParameterForm(client, formFields, (texts) => {
    modalOpen = false;
    startGame(texts);
  });
}

function openAbout() {
  if (modalOpen) return;
  modalOpen = true;
  openAboutBox(client, world, () => {
    modalOpen = false;
  });
}

function exitProgram() {
  if (modalOpen) return;
  clearInterval(timer);
  document.body.replaceChildren();
  window.close();
}

canvas.element.addEventListener('mousedown', (event) => {
  event.preventDefault(); // keeps the focus where the dialog puts it
  if (event.button === 0 && mode === Title && !modalOpen) openForm();
});

// Alt+? and Alt+/ open the About box.
document.addEventListener('keydown', (event) => {
  const slash = event.key === '/' || event.key === '?' || event.code === 'Slash';
  if (event.altKey && !event.ctrlKey && slash) {
    event.preventDefault();
    openAbout();
  }
});

buildMenuBar(document.getElementById('menu-bar'), { exit: exitProgram, about: openAbout });

if (linkStarts(location.search)) startGame(formFields);
startTimer();
