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
    menu.opener.addEventListener('keydown', (event) => {
      const step = { ArrowLeft: -1, ArrowRight: 1 }[event.key];
      if (step) {
        menus[(index + step + menus.length) % menus.length].opener.focus();
        event.preventDefault();
      } else if (event.key === 'ArrowDown') {
        open(menu, true);
        event.preventDefault();
      } else if (event.key === 'Escape' && openMenu()) {
        closeAndRestore();
      }
    });
    for (const item of menu.items) {
      item.button.addEventListener('click', (event) => {
        event.stopPropagation();
        run(item);
      });
    }
    menu.list.addEventListener('keydown', (event) => {
      const at = menu.items.findIndex((item) => item.button === document.activeElement);
      const step = { ArrowUp: -1, ArrowDown: 1 }[event.key];
      const side = { ArrowLeft: -1, ArrowRight: 1 }[event.key];
      const keyed = menu.items.find((item) => !event.ctrlKey &&
        event.code === `Key${item.key}`);
      if (step) {
        menu.items[(at + step + menu.items.length) % menu.items.length].button.focus();
      } else if (side) {
        open(menus[(index + side + menus.length) % menus.length], true);
      } else if (event.key === 'Escape' || event.key === 'Tab') {
        closeAndRestore();
      } else if (keyed) {
        run(keyed);
      } else {
        return;
      }
      event.preventDefault();
    });
  });

  document.addEventListener('click', closeAll);
  document.addEventListener('keydown', (event) => {
    if (!event.altKey || event.ctrlKey || !commands.available()) return;
    const menu = menus.find((m) => event.code === `Key${m.key}`);
    if (!menu) return;
    event.preventDefault();
    open(menu, true);
  });
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
