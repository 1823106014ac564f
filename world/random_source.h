// The single pseudo-random source of the program: a linear congruential generator that starts
// at state 1 and is never reseeded, so a game's course depends only on its fields and on
// everything else that drew before it.
#pragma once

#include <cstdint>

// Next value in 0..32767.
int randomNext();

// For tests and tools that replay a sequence: the generator's whole state.
uint32_t randomState();
void setRandomState(uint32_t state);

// The generator's arithmetic: the state after one draw, and the value that state yields.
constexpr uint32_t advanceRandomState(uint32_t state) {
  return state * 214013u + 2531011u;
}
constexpr int randomValueOf(uint32_t state) {
  return static_cast<int>((state >> 16) & 0x7FFF);
}

// The state after n draws from state. Each draw is the affine map x -> a x + c (mod 2^32), so
// n draws are one such map, built by squaring in O(log n) steps.
constexpr uint32_t advanceRandomState(uint32_t state, uint64_t n) {
  uint32_t stepMultiplier = 214013u, stepIncrement = 2531011u;  // the map of 2^bit draws
  uint32_t multiplier = 1u, increment = 0u;                     // the map of the draws so far
  for (; n != 0; n >>= 1) {
    if (n & 1) {
      multiplier *= stepMultiplier;
      increment = increment * stepMultiplier + stepIncrement;
    }
    stepIncrement *= stepMultiplier + 1u;
    stepMultiplier *= stepMultiplier;
  }
  return state * multiplier + increment;
}

// How many draws lead from state from to state to, modulo 2^32: the generator runs through all
// 2^32 states, and n draws change bit b of the state exactly when bit b of n is set, given the
// bits below it agree.
constexpr uint32_t randomDrawsBetween(uint32_t from, uint32_t to) {
  uint32_t n = 0;
  for (int bit = 0; bit < 32; ++bit) {
    if (((advanceRandomState(from, n) ^ to) >> bit) & 1u) {
      n |= uint32_t{1} << bit;
    }
  }
  return n;
}

// Moves the source on as n draws would, without making them.
void skipRandomDraws(uint64_t n);

// Draws the shared sequence with the state held in a local, for loops that draw hundreds of
// thousands of times; hands the state back when it goes out of scope. Nothing else may draw
// from the source while one is alive.
class RandomStream {
 public:
  RandomStream() : state_(randomState()) {}
  ~RandomStream() { setRandomState(state_); }
  RandomStream(const RandomStream&) = delete;
  RandomStream& operator=(const RandomStream&) = delete;

  int next() {
    state_ = advanceRandomState(state_);
    return randomValueOf(state_);
  }

 private:
  uint32_t state_;
};
