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

  // Marks slot alive when `when` holds, and does nothing otherwise; the flag lets the step
  // keep unpredictable outcomes out of its branches.
  void markAlive(int slot, bool when = true) {
    int w = slot >> 6;
    alive[w] |= uint64_t{when} << (slot & 63);
    fullWords[w >> 6] |= uint64_t{alive[w] == kAllSet} << (w & 63);
  }

  void markFree(int slot, bool when = true) {
    int w = slot >> 6;
    alive[w] &= ~(uint64_t{when} << (slot & 63));
    fullWords[w >> 6] &= ~(uint64_t{when} << (w & 63));
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

  // The living among slots 64 w .. 64 w + 63, bit b for slot 64 w + b.
  uint64_t livingBits(int w) const {
    return alive[w] & (w == kWords - 1 ? kLastWordSlots : kAllSet);
  }

  // How many of slots 0 .. end-1 are alive.
  int countLivingBelow(int end) const;

 private:
  static constexpr uint64_t kAllSet = ~uint64_t{0};
  static constexpr int kSummaryWords = (kWords + 63) / 64;
  static constexpr int kSlotsInLastWord = kSlotsPerSpecies - (kWords - 1) * 64;
  static constexpr uint64_t kLastWordSlots =
      kSlotsInLastWord == 64 ? kAllSet : (uint64_t{1} << kSlotsInLastWord) - 1;

  static int lowestClearBit(uint64_t word) { return __builtin_ctzll(~word); }

  // Bits past the last slot stay set, so that they are never handed out as free.
  uint64_t alive[kWords];
  uint64_t fullWords[kSummaryWords];
};

// Calls act(i) for every living slot i of the level in increasing order, including a slot that
// comes alive above the current one while act runs (it is visited in its turn) and leaving out
// one that dies before its turn.
template <typename Act>
void forEachLiving(const LivingSlots& slots, Act&& act) {
  for (int w = 0; w < LivingSlots::kWords; ++w) {
    for (uint64_t bits = slots.livingBits(w); bits != 0;) {
      int b = __builtin_ctzll(bits);
      act(w * 64 + b);
      bits = slots.livingBits(w) & (~uint64_t{0} << b << 1);
    }
  }
}

// The four levels' index of the world last stepped or shown. Rebuilt from the slots when w is
// another world, or when lifeSlotsChanged(w) was called since (see world.h).
LivingSlots* livingSlotsOf(const World& w);
