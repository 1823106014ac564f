// A sensitivity sweep (--sensitivity morris R | sobol N, --levels L): the Morris or Saltelli
// points of sensitivity_design.h over the unit cube, mapped onto each field's --range as
// --sample maps its points, played as a design. The settings lines record it, so that the
// indices can be computed again from a table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "design_file.h"
#include "options.h"
#include "run_settings.h"
#include "sample_design.h"
#include "sensitivity_design.h"

struct SensitivityStudy {
  std::string method;  // "morris" or "sobol"
  int count = 0;       // R trajectories or N base rows
  int levels = 4;      // of the Morris grid
  uint32_t seed = 1;   // of the Morris trajectories and of the Sobol' bootstrap
  int fields = 0;      // the fields of the --range options, in their order
};

// Stores --sensitivity ("METHOD N") or --levels, as the option table's rows do.
void storeSensitivityOption(const std::string& name, const std::string& value, SimOptions& options,
                            std::string& error);
// The combinations of sensitivity options that make no sense; empty when they are usable.
std::string sensitivityOptionsProblem(const SimOptions& options);

SensitivityStudy sensitivityStudy(const SimOptions& options);
// N (k + 2) for Sobol', R (k + 1) for Morris.
int64_t sensitivityPoints(const SensitivityStudy& study);
// The points in the design's order, each a row of texts.
Design sensitivityDesign(const SensitivityStudy& study, const std::vector<SampleRange>& ranges);
// The Morris design with each move's size as the ranges play it: the change of the field's
// value as a share of HI - LO. A field takes only whole steps of its range, so on a narrow
// range a grid step moves it further than its size in the unit cube (on 0:1 a step of 2/3
// goes from 0 to 1), and on a range of one value not at all (size 0).
MorrisDesign playedMorrisDesign(const SensitivityStudy& study,
                                const std::vector<SampleRange>& ranges);

// "design=sensitivity METHOD N", and "design.levels=L" for Morris.
Settings sensitivitySettings(const SensitivityStudy& study);
// The study that a run's settings record; false when they are not of a sensitivity run.
// fields: how many fields the design varies.
bool sensitivityFromSettings(const Settings& settings, int fields, SensitivityStudy& study);
// The range of each of `fields` as the settings' design.range lines record them; false when
// they are not one good line per field, in that order.
bool sensitivityRangesFromSettings(const Settings& settings, const std::vector<int>& fields,
                                   std::vector<SampleRange>& ranges);
