#include "random_source.h"

namespace {
uint32_t state = 1;
}

int randomNext() {
  state = advanceRandomState(state);
  return randomValueOf(state);
}

uint32_t randomState() {
  return state;
}

void setRandomState(uint32_t newState) {
  state = newState;
}

void skipRandomDraws(uint64_t n) {
  state = advanceRandomState(state, n);
}
