#include "random_source.h"

namespace {
uint32_t state = 1;
}

int randomNext() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFF);
}

uint32_t randomState() { return state; }

void setRandomState(uint32_t newState) { state = newState; }
