// The days of the games played in this page, as velmoria-sim's --csv writes them: a header,
// then per day the game's number (counted from 1 in this page, as velmoria-sim counts its
// games), the day's number and the four populations at the end of that day.

const kHeader = 'game,day,large_carnivores,small_carnivores,herbivores,plants';

export class DayTable {
  constructor() {
    this.game = 0;
    this.rows = [];
  }

  startGame() {
    this.game += 1;
    this.rows = [];
  }

  addDay(day, populations) {
    this.rows.push([this.game, day, ...populations].join(','));
  }

  // The current game's table as CSV text.
  csv() {
    return [kHeader, ...this.rows].map((line) => `${line}\n`).join('');
  }
}
