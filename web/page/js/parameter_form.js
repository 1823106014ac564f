// The parameter dialog "パラメータの設定": sixteen edits in four species groups and the
// disturbance group, opened over the title screen. The focus starts on OK and Tab visits OK,
// then the edits in order; Enter is OK; there is no way back out (Esc and the close box do
// nothing). Texts are taken as typed: nothing is checked.
import { openModalBox, element } from './modal_box.js';

// Dialog units to pixels for the dialog's 9-point font.
const kUnit = 1.75;
const px = (units) => Math.round(units * kUnit);

const kSpeciesGroups = [
  { title: '大型肉食動物', x: 8, y: 22, lower: false },
  { title: '小型肉食動物', x: 125, y: 22, lower: false },
  { title: '草食動物', x: 8, y: 87, lower: true },
  { title: '緑色植物', x: 125, y: 87, lower: true },
];
const kSpeciesRows = [
  { label: '個体数：', note: '(0～10000)' },
  { label: '繁殖度：', note: '(0～1)' },
  { label: '寿命長：', note: '(0～1)' },
];
const kDisturbanceRows = [
  { label: 'ウイルス(大型肉食動物)出現頻度：', labelX: 13, labelWidth: 103, editY: 171 },
  { label: 'ウイルス(小型肉食動物)出現頻度：', labelX: 13, labelWidth: 103, editY: 188 },
  { label: 'ウイルス(草食動物)出現頻度：', labelX: 27, labelWidth: 89, editY: 205 },
  { label: '乾季(緑色植物)出現頻度：', labelX: 38, labelWidth: 78, editY: 222 },
];

// Opens the dialog with texts in its edits; onOk(texts) gets the sixteen texts on OK.
export function openParameterForm(parent, texts, onOk) {
  const form = openModalBox({
    parent, title: 'パラメータの設定', left: 0, top: 0, width: px(251), height: px(273),
    onCloseBox: () => {},
  });
  const edits = [];

  const ok = element('button', 'push', 'OK');
  ok.id = 'ok';
  form.place(ok, px(94), px(252), px(50), px(14));
  groupBox(form, '食物連鎖', 7, 7, 235, 152);

  for (const g of kSpeciesGroups) {
    groupBox(form, g.title, g.x, g.y, 113, 61);
    kSpeciesRows.forEach((row, r) => {
      const editY = g.y + 10 + 16 * r;
      const textY = editY + (g.lower ? 4 : 3);
      form.place(element('span', 'label', row.label), px(g.x + 5), px(textY), px(25), px(8));
      edits.push(form.place(edit(edits.length), px(g.x + 31), px(editY), px(40), px(14)));
      form.place(element('span', 'note', row.note), px(g.x + 75), px(textY), px(37), px(8));
    });
  }

  groupBox(form, '外乱', 8, 162, 234, 80);
  for (const row of kDisturbanceRows) {
    const textY = row.editY + 3;
    form.place(element('span', 'label', row.label), px(row.labelX), px(textY),
      px(row.labelWidth), px(8));
    edits.push(form.place(edit(edits.length), px(117), px(row.editY), px(40), px(14)));
    form.place(element('span', 'note', '(0～1)'), px(161), px(row.editY + 4), px(37), px(8));
  }

  edits.forEach((e, i) => { e.value = texts[i]; });

  const confirm = () => {
    const typed = edits.map((e) => e.value);
    form.close();
    onOk(typed);
  };
  ok.addEventListener('click', confirm);
  form.cover.addEventListener('keydown', (event) => {
    if (event.key === 'Enter') {
      event.preventDefault();
      confirm();
    } else if (event.key === 'Escape') {
      event.preventDefault();
    }
  });
  ok.focus();
  return form;
}

function groupBox(form, title, x, y, w, h) {
  const box = element('div', 'group-box');
  box.append(element('span', 'group-title', title));
  form.place(box, px(x), px(y), px(w), px(h));
}

function edit(index) {
  const e = element('input');
  e.type = 'text';
  e.id = `field-${1000 + index}`;
  e.autocomplete = 'off';
  e.spellcheck = false;
  return e;
}
