// Shared games: "?f=" and the sixteen field texts, each URL-encoded, separated by commas (a
// comma inside a text is written %2C); "&start=1" confirms them at once. The texts are taken
// as if typed into the dialog: never checked, never rejected, never read as markup. A replay
// link keeps the page's language and embedding.

// The texts the link gives, defaults for any it leaves out; null without "f=". A text box
// holds no line breaks, so a text loses them here whether the link starts at once or fills
// the form: either way the same game.
export function linkFields(search, defaults) {
  const raw = rawParameter(search, 'f');
  if (raw === null) return null;
  const given = raw.split(',').map((text) => decodeText(text).replace(/[\r\n]/g, ''));
  return defaults.map((text, i) => (i < given.length ? given[i] : text));
}

export function linkStarts(search) {
  return rawParameter(search, 'start') === '1';
}

const kKeptParameters = ['lang', 'embed'];

// The link that starts a game with these texts at once, relative to the page at base.
export function replayLink(base, texts) {
  const url = new URL(base);
  const kept = kKeptParameters.map((name) => [name, rawParameter(url.search, name)])
    .filter(([, value]) => value !== null).map(([name, value]) => `&${name}=${value}`);
  url.search = `?f=${texts.map(encodeText).join(',')}&start=1${kept.join('')}`;
  url.hash = '';
  return url.href;
}

// A parameter's value before decoding (so that encoded commas stay inside one text).
function rawParameter(search, name) {
  for (const pair of search.replace(/^\?/, '').split('&')) {
    const at = pair.indexOf('=');
    const key = at < 0 ? pair : pair.slice(0, at);
    if (key === name) return at < 0 ? '' : pair.slice(at + 1);
  }
  return null;
}

// A text box can hold a lone surrogate (pasted, say), which no URL can carry and which
// encodeURIComponent refuses: it goes as U+FFFD, which is how the world reads it too.
const kLoneSurrogate = /[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/g;

function encodeText(text) {
  return encodeURIComponent(text.replace(kLoneSurrogate, '\uFFFD'));
}

// "+" stays a plus sign (a typed "+0.2"); a broken escape is kept as it was written.
function decodeText(text) {
  try {
    return decodeURIComponent(text);
  } catch {
    return text;
  }
}
