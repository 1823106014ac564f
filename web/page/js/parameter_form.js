// The parameter dialog "パラメータの設定": sixteen edits in four species groups and the
// disturbance group, opened over the title screen. The focus starts on OK and Tab visits OK,
// then the edits in order; Enter is OK; there is no way back out (Esc and the close box do
// nothing). Texts are taken as typed: nothing is checked.
import { openModalBox, element } from './modal_box.js';
import { texts, fieldName, language } from './texts.js';

// Dialog units to pixels for the dialog's 9-point font.
const kUnit = 1.75;
const px = (units) => Math.round(units * kUnit);

// The species groups in the order of their levels.
const kSpeciesGroups = [
  { x: 8, y: 22, lower: false },
  { x: 125, y: 22, lower: false },
  { x: 8, y: 87, lower: true },
  { x: 125, y: 87, lower: true },
];
const kDisturbanceRows = [
  { labelX: 13, labelWidth: 103, editY: 171 },
  { labelX: 13, labelWidth: 103, editY: 188 },
  { labelX: 27, labelWidth: 89, editY: 205 },
  { labelX: 38, labelWidth: 78, editY: 222 },
];

// Opens the dialog with fields in its edits; onOk(typed) gets the sixteen texts on OK.
export function openParameterForm(parent, fields, onOk) {
  const form = openModalBox({
    parent, id: 'parameter-form', title: texts.formCaption, left: 0, top: 0, width: px(251),
    height: px(273),
    flow: language !== 'ja', // the program's layout has room for its own labels only
  });
  form.client.classList.add('fields');
  const edits = [];

  const ok = element('button', 'push', 'OK');
  ok.id = 'ok';
  form.place(ok, px(94), px(252), px(50), px(14));
  groupBox(form, texts.foodChain, 7, 7, 235, 152);

  kSpeciesGroups.forEach((g, k) => {
    groupBox(form, texts.species[k], g.x, g.y, 113, 61);
    texts.speciesRows.forEach((row, r) => {
      const editY = g.y + 10 + 16 * r;
      const textY = editY + (g.lower ? 4 : 3);
      form.place(element('span', 'label', row.label), px(g.x + 5), px(textY), px(25), px(8));
      const e = form.place(edit(edits.length, fieldName(texts.species[k], row.label)),
        px(g.x + 31), px(editY), px(40), px(14));
      edits.push(e);
      describe(e, form.place(element('span', 'note', row.note), px(g.x + 75), px(textY),
        px(37), px(8)));
    });
  });

  groupBox(form, texts.disturbance, 8, 162, 234, 80);
  kDisturbanceRows.forEach((row, i) => {
    const textY = row.editY + 3;
    const label = texts.disturbanceRows[i];
    form.place(element('span', 'label', label), px(row.labelX), px(textY),
      px(row.labelWidth), px(8));
    const e = form.place(edit(edits.length, fieldName('', label)), px(117), px(row.editY),
      px(40), px(14));
    edits.push(e);
    describe(e, form.place(element('span', 'note', texts.disturbanceNote), px(161),
      px(row.editY + 4), px(37), px(8)));
  });

  edits.forEach((e, i) => { e.value = fields[i]; });

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

// An edit named for a screen reader by its level and its label.
function edit(index, name) {
  const e = element('input');
  e.type = 'text';
  e.id = `field-${1000 + index}`;
  e.setAttribute('aria-label', name);
  e.autocomplete = 'off';
  e.spellcheck = false;
  return e;
}

// The note beside an edit (its range) is read as the edit's description.
function describe(edit, note) {
  note.id = `${edit.id}-note`;
  edit.setAttribute('aria-describedby', note.id);
}
