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
