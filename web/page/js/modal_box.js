// A modal box over the main window: a cover that takes every click, a caption bar and a client
// area whose controls are placed in the box's own units. Only the box's controls take focus
// while it is open; Tab cycles through them (the caption's close box first, when it closes the
// box), and the focus goes back where it was when the box closes. On a phone or tablet (a
// narrow or short screen) the controls flow one under another instead, at the width of the
// screen and large enough to tap (classes "flow" and "narrow"); a box whose texts outgrow the
// program's layout flows on any screen.
import { texts } from './texts.js';

const narrowScreen = globalThis.matchMedia?.('(max-width: 820px), (max-height: 560px)');
function fitScreen(box) {
  const narrow = Boolean(narrowScreen?.matches);
  box.classList.toggle('narrow', narrow);
  box.classList.toggle('flow', narrow || box.dataset.flow === '1');
}
narrowScreen?.addEventListener('change', () => document.querySelectorAll('.box').forEach(fitScreen));

// role: "dialog", or "alertdialog" for a box that tells something and waits; flow: true when
// the controls flow on any screen; onCloseBox: what the close box does (without it the close box
// does nothing and takes no focus).
export function openModalBox({ parent, id, title, left, top, width, height, onCloseBox,
  role = 'dialog', flow = false }) {
  const returnFocus = document.activeElement;
  const cover = document.createElement('div');
  cover.className = 'modal-cover';
  const box = document.createElement('div');
  box.className = 'box';
  box.dataset.flow = flow ? '1' : '0';
  fitScreen(box);
  box.id = id;
  box.setAttribute('role', role);
  box.setAttribute('aria-modal', 'true');
  box.setAttribute('aria-labelledby', `${id}-caption`);
  box.style.left = `${left}px`;
  box.style.top = `${top}px`;

  const caption = document.createElement('div');
  caption.className = 'caption';
  const titleText = document.createElement('span');
  titleText.className = 'title';
  titleText.id = `${id}-caption`;
  titleText.textContent = title;
  const closeBox = document.createElement('button');
  closeBox.className = 'close-box';
  closeBox.id = `${id}-close`;
  closeBox.tabIndex = onCloseBox ? 0 : -1;
  closeBox.textContent = '×';
  closeBox.setAttribute('aria-label', texts.closeBox);
  closeBox.addEventListener('click', () => onCloseBox?.());
  caption.append(titleText, closeBox);

  const client = document.createElement('div');
  client.className = 'box-client';
  client.style.width = `${width}px`;
  client.style.height = `${height}px`;
  box.append(caption, client);
  cover.append(box);
  parent.append(cover);

  // A key an input method is composing with is the method's: Enter then commits its text and
  // is no OK. First among the box's key handlers, it keeps them from seeing such a key.
  cover.addEventListener('keydown', (event) => {
    if (event.isComposing || event.keyCode === 229) event.stopImmediatePropagation();
  });
  cover.addEventListener('keydown', (event) => {
    if (event.key !== 'Tab') return;
    const stops = [...(onCloseBox ? [closeBox] : []),
      ...client.querySelectorAll('input, button, a[href]')];
    const at = stops.indexOf(document.activeElement);
    const next = (at + (event.shiftKey ? stops.length - 1 : 1)) % stops.length;
    stops[at < 0 ? 0 : next].focus();
    event.preventDefault();
  });

  return {
    cover,
    box,
    client,
    // Places element at x, y with size w, h (pixels) in the client area.
    place(element, x, y, w, h) {
      element.style.left = `${x}px`;
      element.style.top = `${y}px`;
      if (w !== undefined) element.style.width = `${w}px`;
      if (h !== undefined) element.style.height = `${h}px`;
      client.append(element);
      return element;
    },
    close() {
      cover.remove();
      if (returnFocus?.isConnected && returnFocus !== document.body) returnFocus.focus();
    },
  };
}

export function element(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}
