#include "csv_file.h"

#include <cstdio>

bool CsvFile::open(const std::string& path, std::string& error) {
  if (!file_.open(path, OutputFile::kWhole, error)) {
    return false;
  }
  std::fputs("game,day,large_carnivores,small_carnivores,herbivores,plants\n", file_.stream());
  return true;
}

void CsvFile::writeRow(int game, int32_t day, const World& w) {
  std::fprintf(file_.stream(), "%d,%d,%d,%d,%d,%d\n", game, static_cast<int>(day),
               static_cast<int>(w.species[LargeCarnivore].population),
               static_cast<int>(w.species[SmallCarnivore].population),
               static_cast<int>(w.species[Herbivore].population),
               static_cast<int>(w.species[Plant].population));
}
