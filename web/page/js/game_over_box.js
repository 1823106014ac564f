// The end of a game: the record "記録：N日" under the caption "GAME OVER", an OK that goes back
// to the title screen, a link that plays the same game again from a fresh start, and what to
// take away: the game's days as a CSV file, a PNG of the final screen and the link copied.
import { openModalBox, element } from './modal_box.js';
import { texts } from './texts.js';

// game: { days, replayHref, csv (text), fileName (without extension), screen (canvas) }.
export function openGameOverBox(parent, game, onOk) {
  const box = openModalBox({
    parent, id: 'game-over', title: 'GAME OVER', left: 420, top: 320, width: 260, height: 176,
    onCloseBox: () => done(), role: 'alertdialog',
  });
  const record = element('div', 'label', texts.record(game.days));
  record.id = 'record';
  box.box.setAttribute('aria-describedby', record.id);
  box.place(record, 20, 18);
  const replay = element('a', 'replay-link', texts.replay);
  replay.id = 'replay';
  replay.href = game.replayHref;
  box.place(replay, 20, 44);

  const table = download('day-table', texts.dayTable, `${game.fileName}.csv`);
  table.href = URL.createObjectURL(new Blob([game.csv], { type: 'text/csv' }));
  box.place(table, 20, 66);
  const picture = download('final-screen', texts.finalScreen, `${game.fileName}.png`);
  game.screen.toBlob((png) => {
    if (!closed) picture.href = URL.createObjectURL(png);
  }, 'image/png');
  box.place(picture, 20, 88);
  const copy = element('button', 'push', texts.copyLink);
  copy.id = 'copy-link';
  box.place(copy, 20, 110, 220, 22);
  copy.addEventListener('click', async () => {
    copy.textContent = (await copyText(game.replayHref)) ? texts.copied : texts.notCopied;
  });

  const ok = element('button', 'push', 'OK');
  ok.id = 'game-over-ok';
  box.place(ok, 95, 144, 70, 24);

  let closed = false;
  function done() {
    if (closed) return;
    closed = true;
    box.close();
    [table.href, picture.href].filter(Boolean).forEach((href) => URL.revokeObjectURL(href));
    onOk();
  }
  ok.addEventListener('click', done);
  box.cover.addEventListener('keydown', (event) => {
    // Enter on a link or another button does what that control does.
    const ownEnter = event.target !== ok && event.target.matches('a, button');
    if ((event.key === 'Enter' && !ownEnter) || event.key === 'Escape') {
      event.preventDefault();
      done();
    }
  });
  ok.focus();
}

function download(id, text, fileName) {
  const a = element('a', 'replay-link', text);
  a.id = id;
  a.download = fileName;
  return a;
}

// The clipboard's own call where the page may use it (a secure page), else the selection's copy.
async function copyText(text) {
  try {
    await navigator.clipboard.writeText(text);
    return true;
  } catch {
    const focused = document.activeElement;
    const area = element('textarea');
    area.value = text;
    area.className = 'offscreen';
    document.body.append(area);
    area.select();
    const copied = document.execCommand('copy');
    area.remove();
    focused?.focus();
    return copied;
  }
}
