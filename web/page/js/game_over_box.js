// The end of a game: the record "記録：N日" under the caption "GAME OVER", an OK that goes back
// to the title screen, and a link that plays the same game again from a fresh start.
import { openModalBox, element } from './modal_box.js';

export function openGameOverBox(parent, days, replayHref, onOk) {
  const box = openModalBox({
    parent, title: 'GAME OVER', left: 420, top: 320, width: 260, height: 100,
    onCloseBox: () => done(),
  });
  box.box.id = 'game-over';
  const record = element('div', 'label', `記録：${days}日`);
  record.id = 'record';
  box.place(record, 20, 18);
  const replay = element('a', 'replay-link', 'このゲームをもう一度（共有リンク）');
  replay.id = 'replay';
  replay.href = replayHref;
  box.place(replay, 20, 44);
  const ok = element('button', 'push', 'OK');
  ok.id = 'game-over-ok';
  box.place(ok, 95, 68, 70, 24);

  let closed = false;
  function done() {
    if (closed) return;
    closed = true;
    box.close();
    onOk();
  }
  ok.addEventListener('click', done);
  box.cover.addEventListener('keydown', (event) => {
    if ((event.key === 'Enter' && event.target !== replay) || event.key === 'Escape') {
      event.preventDefault();
      done();
    }
  });
  ok.focus();
}
