#include "reference_step.h"

#include "random_source.h"

namespace {

int slot() {
  return randomNext() % 50000;
}
int chance() {
  return randomNext() % 10000;
}

void birthAttempt(Species& s) {
  for (int j = 0; j < kSlotsPerSpecies; ++j) {
    if (s.life[j] <= 0) {
      if (chance() < s.birthChance) {
        s.life[j] = s.startLife;
      }
      return;
    }
  }
}

}  // namespace

void referenceStepWorld(World& w, int32_t day) {
  Species& large = w.species[0];
  Species& small = w.species[1];
  Species& herbivores = w.species[2];
  Species& plants = w.species[3];
  int32_t* L = large.life;
  int32_t* S = small.life;
  int32_t* H = herbivores.life;
  int32_t* P = plants.life;
  const int32_t* dist = w.disturbance;

  for (int i = 0; i < 50000; ++i) {
    if (L[i] > 0) {
      int a = slot();
      int b = slot();
      if (H[a] > 0 && H[b] > 0) {
        H[a] = 0;
        H[b] = 0;
      } else if (S[a] > 0 && S[b] > 0) {
        S[a] = 0;
        S[b] = 0;
      } else {
        L[i] = L[i] / 5;
      }
      L[i] = L[i] - 1;
      int r = chance();
      if (large.population < 20000 && r > dist[0] && L[i] > 0 &&
          (small.population > 0 || herbivores.population > 0)) {
        birthAttempt(large);
      }
    }
  }

  for (int i = 0; i < 50000; ++i) {
    if (S[i] > 0) {
      int a = slot();
      if (H[a] > 0) {
        H[a] = 0;
      } else {
        S[i] = S[i] / 10;
      }
      S[i] = S[i] - 1;
      int r = chance();
      if (small.population < 20000 && r > dist[1] && S[i] > 0 && herbivores.population > 0) {
        birthAttempt(small);
      }
    }
  }

  for (int i = 0; i < 50000; ++i) {
    if (H[i] > 0) {
      int a = slot();
      if (P[a] > 0) {
        P[a] = 0;
      } else {
        H[i] = H[i] / 10;
      }
      H[i] = H[i] - 1;
      int r = chance();
      if (herbivores.population < 20000 && r > dist[2] && H[i] > 0) {
        birthAttempt(herbivores);
      }
    }
  }

  for (int i = 0; i < 50000; ++i) {
    if (P[i] > 0) {
      slot();
      P[i] = P[i] / 10;
      P[i] = P[i] - 1;
      int r = chance();
      if (plants.population < 20000 && r > dist[3]) {
        birthAttempt(plants);
      }
    }
  }

  for (int k = 0; k < 4; ++k) {
    int32_t count = 0;
    for (int i = 0; i < 50000; ++i) {
      if (w.species[k].life[i] > 0) {
        ++count;
      }
    }
    w.species[k].population = count;
    if (day >= 0 && day < 1000) {
      w.history[k][day] = count;
    }
  }
}
