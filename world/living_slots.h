// Which life slots of one level are alive, kept in step with the slots from one day to the
// next: the step visits the living through it, finds each newborn's slot (the lowest free one)
// without scanning, and counts the living by counting bits. Two levels of bit sets: one bit
// per slot (set while the slot is alive) and one bit per word of those (set while all 64 are).
#pragma once

#include <cstdint>

#include "world.h"

class LivingSlots {
 public:
  static constexpr int kWords = (kSlotsPerSpecies + 63) / 64;

  // Reads which slots are alive (life > 0).
  void rebuild(const int32_t* life);

  // Slots 0 .. count-1 alive, the rest free.
  void setFirstAlive(int count);

  // Marks slot alive when `when` holds, and does nothing otherwise; the flag lets the step
  // keep unpredictable outcomes out of its branches.
  void markAlive(int slot, bool when = true) {
    int w = slot >> 6;
    uint64_t bits = alive[w] | uint64_t{when} << (slot & 63);
    alive[w] = bits;
    if (bits == kAllSet) {  // rare: a branch keeps the summary out of the next search's way
      fullWords[w >> 6] |= uint64_t{1} << (w & 63);
    }
    if (w >= wordsInUse) {  // seldom: the living reach a new word
      wordsInUse = w + 1;
    }
  }

  void markFree(int slot, bool when = true) {
    int w = slot >> 6;
    uint64_t bits = alive[w];
    alive[w] = bits & ~(uint64_t{when} << (slot & 63));
    if (when & (bits == kAllSet)) {  // seldom, as in markAlive
      fullWords[w >> 6] &= ~(uint64_t{1} << (w & 63));
    }
  }

  // markFree for the prey of another level's phase: leaves the full-word summary behind, so
  // summariseFullWords must run before the next lowestFree.
  void markEaten(unsigned slot, bool when) { alive[slot >> 6] &= ~(uint64_t{when} << (slot & 63)); }

  // Recomputes the full-word summary from the alive bits, of every word or of word w.
  void summariseFullWords();
  void summariseWord(int w) {
    uint64_t bit = uint64_t{1} << (w & 63);
    fullWords[w >> 6] = (fullWords[w >> 6] & ~bit) | (alive[w] == kAllSet ? bit : 0);
  }

  // For slot, the lowest free one: marks it alive when `when` holds and returns the lowest free
  // slot after that (-1 when none), mostly from the bits at hand rather than a new search.
  // cursorWord is the word of the cursor whose deaths the summary may not show yet. Slot must
  // lie below wordsHoldingLife, as every slot that lowestFreeForBirth and this hand out does.
  int markAliveFindFree(unsigned slot, bool when, int cursorWord) {
    unsigned w = slot >> 6;
    uint64_t bits = alive[w] | uint64_t{when} << (slot & 63);
    alive[w] = bits;
    if (bits != kAllSet) {
      return (slot & ~63u) + lowestClearBit(bits);
    }
    // Every slot up to the end of word w is alive now; the next word most often has room.
    fullWords[w >> 6] |= uint64_t{1} << (w & 63);
    uint64_t next = alive[w + 1];
    return next != kAllSet
               ? coveredByWordsInUse(static_cast<int>(w + 1) * 64 + lowestClearBit(next))
               : lowestFreeAbove(w + 1, cursorWord);
  }

  // Lowest free slot, or -1 when every slot is alive.
  int lowestFree() const {
    for (int s = 0; s < kSummaryWords; ++s) {
      if (fullWords[s] != kAllSet) {
        int w = s * 64 + lowestClearBit(fullWords[s]);
        return w * 64 + lowestClearBit(alive[w]);
      }
    }
    return -1;
  }

  // lowestFree for births, which fill it next: wordsHoldingLife is raised to cover it now, so
  // that markAliveFindFree need not check it at every birth.
  int lowestFreeForBirth() { return coveredByWordsInUse(lowestFree()); }

  // Whether slot is alive: the same as its life > 0, read from far less memory.
  bool isAlive(unsigned slot) const { return (alive[slot >> 6] >> (slot & 63)) & 1; }

  // The living among slots 64 w .. 64 w + 63, bit b for slot 64 w + b.
  uint64_t livingBits(int w) const {
    return alive[w] & (w == kWords - 1 ? kLastWordSlots : kAllSet);
  }

  // Every living slot lies in the words below this one. Births take the lowest free slots, so
  // the living crowd the low end, and a sparse level's day need not look at its empty top.
  int wordsHoldingLife() const { return wordsInUse; }

  // Lowers wordsHoldingLife past the words that have emptied since.
  void forgetEmptyTop() {
    while (wordsInUse > 0 && livingBits(wordsInUse - 1) == 0) {
      --wordsInUse;
    }
  }

  // How many of slots 0 .. end-1 are alive (end at most kSlotsPerSpecies).
  int countLivingBelow(int end) const;

 private:
  static constexpr uint64_t kAllSet = ~uint64_t{0};
  static constexpr int kSummaryWords = (kWords + 63) / 64;
  static constexpr int kSlotsInLastWord = kSlotsPerSpecies - (kWords - 1) * 64;
  static constexpr uint64_t kLastWordSlots =
      kSlotsInLastWord == 64 ? kAllSet : (uint64_t{1} << kSlotsInLastWord) - 1;
  // Summary bits past the last word, which count as full so that they are never chosen.
  static constexpr uint64_t kPastLastWord = kWords % 64 == 0 ? 0 : kAllSet << (kWords % 64);

  friend class LivingCursor;

  static int lowestClearBit(uint64_t word) { return __builtin_ctzll(~word); }

  // markAliveFindFree once words up to w are full.
  int lowestFreeAbove(int w, int cursorWord);

  // Slot (or -1), after raising wordsInUse to cover it.
  int coveredByWordsInUse(int slot) {
    if (slot >= 0 && slot >> 6 >= wordsInUse) {
      wordsInUse = (slot >> 6) + 1;
    }
    return slot;
  }

  // Bits past the last slot stay set, so that they are never handed out as free; so does the
  // word after the last, which ends markAliveFindFree's look at the next word.
  uint64_t alive[kWords + 1];
  uint64_t fullWords[kSummaryWords];
  int wordsInUse;
};

// Visits the living slots of a level in increasing order: for (c.next();) { ... c.slot() ... }.
// A slot that comes alive above the current one is visited in its turn if the caller reports
// it with cameAlive; one that dies before its turn is left out. Only the level's own births
// can add a slot above the cursor during a phase, so the current word's bits stay in a
// register instead of being read back after every change to the index. Deaths at the cursor
// (markDied) reach the full-word summary when the cursor leaves their word, once a word rather
// than once a death.
class LivingCursor {
 public:
  explicit LivingCursor(LivingSlots& slots) : slots_(slots), bits_(slots.livingBits(0)) {}

  // Moves to the next living slot; false when there is none.
  bool next() {
    if (bits_ == 0) {
      slots_.summariseWord(word_);
    }
    while (bits_ == 0) {
      if (++word_ >= slots_.wordsHoldingLife()) {
        return false;
      }
      bits_ = slots_.livingBits(word_);
    }
    bit_ = __builtin_ctzll(bits_);
    bits_ &= bits_ - 1;
    slot_ = static_cast<unsigned>(word_) * 64 + bit_;
    return true;
  }

  // The current slot's individual has died, when `when` holds: markFree, less the full-word
  // summary, which catches up when the cursor leaves the word.
  void markDied(bool when) { slots_.alive[word_] &= ~(uint64_t{when} << bit_); }

  // Unsigned, so that indexing with it needs no widening.
  unsigned slot() const { return slot_; }
  int word() const { return word_; }

  // Slot has come alive when `when` holds (the index already says so).
  void cameAlive(unsigned slot, bool when) {
    uint64_t above = ~uint64_t{1} << bit_;
    uint64_t sameWord = (slot >> 6) == static_cast<unsigned>(word_) ? above : 0;
    bits_ |= (uint64_t{when} << (slot & 63)) & sameWord;
  }

 private:
  LivingSlots& slots_;
  int word_ = 0;
  uint64_t bits_;
  unsigned slot_ = 0;
  unsigned bit_ = 0;  // slot_ % 64
};

// Makes the index describe w, whose level k has slots 0 .. living[k]-1 alive and no others,
// as seedWorld leaves it.
void indexSeededWorld(const World& w, const int living[kSpeciesCount]);

// The four levels' index of the world last stepped or shown. Rebuilt from the slots when w is
// another world, or when lifeSlotsChanged(w) was called since (see world.h).
LivingSlots* livingSlotsOf(const World& w);
