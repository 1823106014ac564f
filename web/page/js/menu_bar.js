// The main window's menu: ﾌｧｲﾙ(F) with ｱﾌﾟﾘｹｰｼｮﾝの終了(X), ﾍﾙﾌﾟ(H) with ﾊﾞｰｼﾞｮﾝ情報(A) ...
// By mouse as in the program; by keyboard Alt+F and Alt+H open a menu on its first item, the
// arrows move, Enter runs the item, an item's access key runs it, Esc closes the menu and puts
// the focus back where it was. Both menu titles are Tab stops.
import { element } from './modal_box.js';
import { texts } from './texts.js';

// commands: { exit, about, available() }; the keyboard opens no menu while available() is false.
export function buildMenuBar(bar, commands) {
  const menus = [
    { title: texts.fileMenu, items: [{ title: texts.exitItem, run: commands.exit }] },
    { title: texts.helpMenu, items: [{ title: texts.aboutItem, run: commands.about }] },
  ].map((menu, index) => buildMenu(menu, index));
  bar.setAttribute('role', 'menubar');
  bar.append(...menus.map((m) => m.holder));

  let returnFocus = null; // what had the focus before a menu opened
  const openMenu = () => menus.find((m) => m.holder.classList.contains('open'));

  function open(menu, focusItem) {
    if (!openMenu()) returnFocus = document.activeElement;
    closeAll();
    menu.holder.classList.add('open');
    menu.opener.setAttribute('aria-expanded', 'true');
    if (focusItem) menu.items[0].button.focus();
  }
  function closeAll() {
    for (const m of menus) {
      m.holder.classList.remove('open');
      m.opener.setAttribute('aria-expanded', 'false');
    }
  }
  function closeAndRestore() {
    closeAll();
    if (returnFocus?.isConnected) returnFocus.focus();
    else document.activeElement?.blur();
    returnFocus = null;
  }
  function run(item) {
    closeAndRestore();
    item.run();
  }

  menus.forEach((menu, index) => {
    menu.opener.addEventListener('click', (event) => {
      event.stopPropagation();
      if (menu.holder.classList.contains('open')) closeAll();
      else open(menu, event.detail === 0); // detail 0: Enter or Space, not the mouse
    });
    for (const item of menu.items) {
      item.button.addEventListener('click', (event) => {
        event.stopPropagation();
        run(item);
      });
    }
    menu.holder.addEventListener('keydown', (event) => {
      if (handleKey(menu, index, event)) event.preventDefault();
    });
  });

  // A key on a menu title or in its list; true when it did something.
  function handleKey(menu, index, event) {
    const side = { ArrowLeft: -1, ArrowRight: 1 }[event.key];
    const neighbour = menus[(index + (side ?? 0) + menus.length) % menus.length];
    if (!menu.holder.classList.contains('open')) {
      if (side) neighbour.opener.focus();
      else if (event.key === 'ArrowDown') open(menu, true);
      return Boolean(side) || event.key === 'ArrowDown';
    }
    const at = menu.items.findIndex((item) => item.button === document.activeElement);
    const step = { ArrowUp: -1, ArrowDown: 1 }[event.key];
    const keyed = menu.items.find((item) => !event.ctrlKey && pressed(event, item.key));
    if (step) {
      const next = at < 0 && step < 0 ? menu.items.length - 1 : at + step;
      menu.items[(next + menu.items.length) % menu.items.length].button.focus();
    } else if (side) {
      open(neighbour, true);
    } else if (event.key === 'Escape' || event.key === 'Tab') {
      closeAndRestore();
    } else if (keyed) {
      run(keyed);
    } else {
      return false;
    }
    return true;
  }

  document.addEventListener('click', closeAll);
  document.addEventListener('keydown', (event) => {
    if (!event.altKey || event.ctrlKey || !commands.available()) return;
    const menu = menus.find((m) => pressed(event, m.key));
    if (!menu) return;
    event.preventDefault();
    open(menu, true);
  });
}

// Whether the event is the letter key (on the keyboard's layout, or at its place on a US one,
// which is what a Mac's Option key leaves to recognise).
function pressed(event, key) {
  return event.key.toUpperCase() === key || event.code === `Key${key}`;
}

function buildMenu(menu, index) {
  const holder = element('div', 'menu');
  holder.setAttribute('role', 'none');
  const opener = element('button');
  opener.id = `menu-${index}`;
  opener.setAttribute('role', 'menuitem');
  opener.setAttribute('aria-haspopup', 'menu');
  opener.setAttribute('aria-expanded', 'false');
  const key = withAccessKey(opener, menu.title);
  const list = element('div', 'menu-items');
  list.setAttribute('role', 'menu');
  list.setAttribute('aria-labelledby', opener.id);
  const items = menu.items.map((item) => {
    const button = element('button');
    button.tabIndex = -1;
    button.setAttribute('role', 'menuitem');
    list.append(button);
    return { button, run: item.run, key: withAccessKey(button, item.title) };
  });
  holder.append(opener, list);
  return { holder, opener, list, items, key };
}

// Fills e with text, the character after "&" underlined; returns that character in upper case.
function withAccessKey(e, text) {
  const at = text.indexOf('&');
  const key = text.charAt(at + 1);
  e.append(document.createTextNode(text.slice(0, at)), element('span', 'accelerator-key', key),
    document.createTextNode(text.slice(at + 2)));
  return key.toUpperCase();
}
