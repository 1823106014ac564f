#include "living_slots.h"

#include "newer_x86_64.h"

namespace {

// The index of one world at a time: the program has one world, and a test or a tool that
// steps several pays a rebuild when it switches.
const World* indexedWorld = nullptr;
LivingSlots indexedLevels[kSpeciesCount];

// The number of set bits, in a form the compiler turns into one instruction where the target
// has one, and into a few shifts and adds (not a library call) where it does not.
int countBits(uint64_t x) {
  x -= (x >> 1) & 0x5555555555555555ull;
  x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}

}  // namespace

void LivingSlots::rebuild(const int32_t* life) {
  for (int w = 0; w < kWords; ++w) {
    const int first = w * 64;
    const int count = kSlotsPerSpecies - first < 64 ? kSlotsPerSpecies - first : 64;
    uint64_t bits = 0;
    for (int b = 0; b < count; ++b) {
      bits |= uint64_t{life[first + b] > 0} << b;
    }
    if (count < 64) {
      bits |= kAllSet << count;
    }
    alive[w] = bits;
  }
  alive[kWords] = kAllSet;
  wordsInUse = kWords;
  forgetEmptyTop();
  summariseFullWords();
}

void LivingSlots::setFirstAlive(int count) {
  for (int w = 0; w < kWords; ++w) {
    int alivePart = count - w * 64;
    alive[w] = alivePart >= 64 ? kAllSet : alivePart <= 0 ? 0 : (uint64_t{1} << alivePart) - 1;
  }
  alive[kWords - 1] |= ~kLastWordSlots;  // never handed out, as in rebuild
  alive[kWords] = kAllSet;
  wordsInUse = kWords;
  forgetEmptyTop();
  summariseFullWords();
}

void LivingSlots::summariseFullWords() {
  for (uint64_t& bits : fullWords) {
    bits = 0;
  }
  fullWords[kSummaryWords - 1] = kPastLastWord;
  // Words from wordsInUse on hold no life, so none of them is full.
  for (int w = 0; w < wordsInUse; ++w) {
    fullWords[w >> 6] |= uint64_t{alive[w] == kAllSet} << (w & 63);
  }
}

int LivingSlots::lowestFreeAbove(int w, int cursorWord) {
  // The summary from word w + 1 on, then the cursor's word: the summary may still count it as
  // full, but it can only have lost slots since.
  int found = -1;
  const int from = w + 1;
  for (int s = from >> 6; s < kSummaryWords; ++s) {
    uint64_t open = ~fullWords[s] & (s == from >> 6 ? kAllSet << (from & 63) : kAllSet);
    if (open != 0) {
      int word = s * 64 + lowestClearBit(~open);
      found = word * 64 + lowestClearBit(alive[word]);
      break;
    }
  }
  uint64_t bits = alive[cursorWord];
  bool between = cursorWord > w && (found < 0 || cursorWord < found >> 6);
  return coveredByWordsInUse(bits != kAllSet && between ? cursorWord * 64 + lowestClearBit(bits)
                                                        : found);
}

BUILT_FOR_NEWER_X86_64_TOO int LivingSlots::countLivingBelow(int end) const {
  int count = 0;
  int w = 0;
  for (; (w + 1) * 64 <= end && w < wordsInUse; ++w) {
    count += countBits(livingBits(w));
  }
  if (w * 64 < end && w < wordsInUse) {
    count += countBits(livingBits(w) & ((uint64_t{1} << (end - w * 64)) - 1));
  }
  return count;
}

LivingSlots* livingSlotsOf(const World& w) {
  if (indexedWorld != &w) {
    for (int k = 0; k < kSpeciesCount; ++k) {
      indexedLevels[k].rebuild(w.species[k].life);
    }
    indexedWorld = &w;
  }
  return indexedLevels;
}

void indexSeededWorld(const World& w, const int living[kSpeciesCount]) {
  for (int k = 0; k < kSpeciesCount; ++k) {
    indexedLevels[k].setFirstAlive(living[k]);
  }
  indexedWorld = &w;
}

void lifeSlotsChanged(const World& w) {
  if (indexedWorld == &w) {
    indexedWorld = nullptr;
  }
}
