// Every text the page shows, in each of its languages: Japanese (the program's own texts, the
// default) and English for "?lang=en". A menu text marks its access key with "&". The game is
// the same in either language; only what is shown and announced changes.

const kTexts = {
  ja: {
    fileMenu: 'ﾌｧｲﾙ(&F)',
    exitItem: 'ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)',
    helpMenu: 'ﾍﾙﾌﾟ(&H)',
    aboutItem: 'ﾊﾞｰｼﾞｮﾝ情報(&A) ...',

    species: null,  // the world module's names, set when it loads
    day: (n) => `${n}日`,
    titleScreen: 'Velmoria タイトル画面：クリックするか Enter キーで始めます',
    gameScreen: 'シミュレーション画面',
    colon: '：',
    comma: '、',

    formCaption: 'パラメータの設定',
    foodChain: '食物連鎖',
    speciesRows: [
      { label: '個体数：', note: '(0～10000)' },
      { label: '繁殖度：', note: '(0～1)' },
      { label: '寿命長：', note: '(0～1)' },
    ],
    disturbance: '外乱',
    disturbanceRows: ['ウイルス(大型肉食動物)出現頻度：', 'ウイルス(小型肉食動物)出現頻度：',
      'ウイルス(草食動物)出現頻度：', '乾季(緑色植物)出現頻度：'],
    disturbanceNote: '(0～1)',

    closeBox: '閉じる',
    aboutCaption: 'ﾊﾞｰｼﾞｮﾝ情報',
    version: 'Velmoria Version 1.0',

    record: (n) => `記録：${n}日`,
    replay: 'このゲームをもう一度（共有リンク）',
    dayTable: '日ごとの個体数（CSV）',
    finalScreen: '最終画面（PNG）',
    copyLink: '共有リンクをコピー',
    copied: 'コピーしました',
    notCopied: 'コピーできませんでした',
  },
  en: {
    fileMenu: '&File',
    exitItem: 'E&xit',
    helpMenu: '&Help',
    aboutItem: '&About Velmoria ...',

    species: ['Large carnivores', 'Small carnivores', 'Herbivores', 'Green plants'],
    day: (n) => `Day ${n}`,
    titleScreen: 'Velmoria title screen: click or press Enter to start',
    gameScreen: 'Simulation screen',
    colon: ': ',
    comma: ', ',

    formCaption: 'Parameters',
    foodChain: 'Food chain',
    speciesRows: [
      { label: 'Population:', note: '(0-10000)' },
      { label: 'Life:', note: '(0-1)' },
      { label: 'Birth rate:', note: '(0-1)' },
    ],
    disturbance: 'Disturbances',
    disturbanceRows: ['Virus (large carnivores) frequency:', 'Virus (small carnivores) frequency:',
      'Virus (herbivores) frequency:', 'Dry season (green plants) frequency:'],
    disturbanceNote: '(0-1)',

    closeBox: 'Close',
    aboutCaption: 'About Velmoria',
    version: 'Velmoria, version 1.0',

    record: (n) => `Record: ${n} ${n === 1 ? 'day' : 'days'}`,
    replay: 'Play this game again (shared link)',
    dayTable: 'Populations by day (CSV)',
    finalScreen: 'Final screen (PNG)',
    copyLink: 'Copy the shared link',
    copied: 'Copied',
    notCopied: 'Could not copy',
  },
};

// "en" for a page opened with "lang=en", otherwise "ja".
export function pageLanguage(search) {
  return new URLSearchParams(search).get('lang') === 'en' ? 'en' : 'ja';
}

export const language = pageLanguage(globalThis.location?.search ?? '');
export const texts = kTexts[language];

// Takes the levels' names from the world module where the language has none of its own.
export function nameLevels(world) {
  texts.species ??= world.species.map((s) => s.name);
}

// A day of the running game as a screen reader hears it: the day, then each level's population.
export function dayReport(day, populations) {
  const counts = populations.map((n, k) => `${texts.species[k]} ${n}`);
  return `${texts.day(day)}${texts.colon}${counts.join(texts.comma)}`;
}

// A field's name for a screen reader: its group and its label, without the label's colon.
export function fieldName(group, label) {
  const bare = label.replace(/[：:]$/, '');
  return group ? `${group} ${bare}` : bare;
}
