// The main window's menu: ﾌｧｲﾙ(F) with ｱﾌﾟﾘｹｰｼｮﾝの終了(X), ﾍﾙﾌﾟ(H) with ﾊﾞｰｼﾞｮﾝ情報(A) ...
import { element } from './modal_box.js';

export function buildMenuBar(bar, commands) {
  const menus = [
    { title: 'ﾌｧｲﾙ', key: 'F', items: [{ title: 'ｱﾌﾟﾘｹｰｼｮﾝの終了', key: 'X', run: commands.exit }] },
    {
      title: 'ﾍﾙﾌﾟ', key: 'H',
      items: [{ title: 'ﾊﾞｰｼﾞｮﾝ情報', key: 'A', tail: ' ...', run: commands.about }],
    },
  ];
  const closeAll = () => {
    bar.querySelectorAll('.menu.open').forEach((m) => m.classList.remove('open'));
  };
  for (const menu of menus) {
    const holder = element('div', 'menu');
    const opener = element('button');
    opener.tabIndex = -1;
    opener.append(...withKey(menu.title, menu.key, ''));
    const list = element('div', 'menu-items');
    for (const item of menu.items) {
      const button = element('button');
      button.tabIndex = -1;
      button.append(...withKey(item.title, item.key, item.tail || ''));
      button.addEventListener('click', (event) => {
        event.stopPropagation();
        closeAll();
        item.run();
      });
      list.append(button);
    }
    opener.addEventListener('click', (event) => {
      event.stopPropagation();
      const wasOpen = holder.classList.contains('open');
      closeAll();
      if (!wasOpen) holder.classList.add('open');
    });
    holder.append(opener, list);
    bar.append(holder);
  }
  document.addEventListener('click', closeAll);
}

// "title(K)tail" with the access key underlined.
function withKey(title, key, tail) {
  return [document.createTextNode(`${title}(`), element('span', 'accelerator-key', key),
    document.createTextNode(`)${tail}`)];
}
