// The page's handle on the world module (world_module.js, built from the program's own world
// code): the dialog's texts in, one day at a time, populations, history, dots and About lines
// out. Every random draw happens inside the module, in the order the program makes them. The
// module also gives what the page shows as the program does: the dialog's default texts, the
// levels' names and colours and the simulation screen's layout.

export async function loadWorld(createWorldModule) {
  const m = await createWorldModule();
  const encoder = new TextEncoder();
  const fieldBytes = m._webFieldBytes();
  const historyDays = m._webHistoryDays();
  const dotWidth = m._webDotAreaWidth();
  const dotHeight = m._webDotAreaHeight();
  const speciesCount = m._webSpeciesCount();
  const decoder = new TextDecoder();
  const text = (at) => decoder.decode(m.HEAPU8.subarray(at, m.HEAPU8.indexOf(0, at)));
  const rgb = (colour) => [(colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF];

  return {
    historyDays,
    speciesCount,
    // The sixteen texts the dialog opens with.
    defaultFields: Array.from({ length: m._webFieldCount() }, (_, i) =>
      text(m._webDefaultFieldText(i))),
    // Each level's name and colour ([red, green, blue]).
    species: Array.from({ length: speciesCount }, (_, k) => ({
      name: text(m._webSpeciesName(k)),
      rgb: rgb(m._webSpeciesColour(k)),
    })),
    // Where the simulation screen draws its legend, day counter and graph, by the names of the
    // module's layout table (legendX, graphOriginY, ...).
    layout: Object.fromEntries(Array.from({ length: m._webLayoutCount() }, (_, i) =>
      [text(m._webLayoutName(i)), m._webLayoutValue(i)])),
    // The last graph segment that can show after days days on a canvas this wide.
    lastGraphSegment: (canvasWidth, days) => m._webLastGraphSegment(canvasWidth, days),
    // The graph's y for a population.
    graphY: (population) => m._webGraphY(population),
    // The size of the About box's picture of random lines.
    aboutPicture: { width: m._webAboutPictureWidth(), height: m._webAboutPictureHeight() },
    dotArea: { left: 0, top: m._webDotAreaTop(), width: dotWidth, height: dotHeight },

    // The dialog's OK with these sixteen texts: stores them as the program reads its edits
    // (cut to what its buffer holds), seeds, and starts at day 0.
    confirm(texts) {
      texts.forEach((text, i) => {
        const bytes = encoder.encode(String(text));
        const length = Math.min(bytes.length, fieldBytes - 1);
        const at = m._webFieldBuffer(i);
        m.HEAPU8.set(bytes.subarray(0, length), at);
        m.HEAPU8[at + length] = 0;
      });
      m._webConfirmFields();
    },

    // One day; returns its number, counted from 1.
    stepDay: () => m._webStepDay(),
    population: (species) => m._webPopulation(species),
    gameOver: () => m._webGameOver() !== 0,
    // Population of species at the end of day index day (0 for the first day).
    history(species, day) {
      return m.HEAP32[(m._webHistory() >> 2) + species * historyDays + day];
    },

    // This frame's dots as RGBA pixels of the dot area (a view into the module's memory,
    // valid until the next call).
    paintDots() {
      const at = m._webPaintDots();
      return new Uint8ClampedArray(m.HEAPU8.buffer, at, dotWidth * dotHeight * 4);
    },

    // How many dots the last paintDots scattered.
    dotsPainted: () => m._webDotsPainted(),

    // One About box frame: { red, green, blue, width, x1, y1, x2, y2 }.
    aboutLine() {
      const at = m._webAboutLine() >> 2;
      const v = m.HEAP32.subarray(at, at + 8);
      return {
        blue: v[0], green: v[1], red: v[2], width: v[3], x1: v[4], y1: v[5], x2: v[6], y2: v[7],
      };
    },
  };
}
