// What a screen reader hears without asking: a polite live region that gives the running
// game's day and populations at most once a second, and anything said at once (the record).

const kReportGapMs = 1000;

export function createAnnouncer(region) {
  let lastReport = -Infinity;
  return {
    // Says text unless the last report was less than a second ago; returns whether it did.
    report(text) {
      const now = performance.now();
      if (now - lastReport < kReportGapMs) return false;
      lastReport = now;
      region.textContent = text;
      return true;
    },
    say(text) {
      lastReport = performance.now();
      region.textContent = text;
    },
  };
}
