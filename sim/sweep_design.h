// The options that give a sweep a design (--design, --sample, --range, --seed) and the design
// they make.
#pragma once

#include <string>

#include "options.h"
#include "sweep_plan.h"

// Stores --sample ("METHOD N"), --range or --seed, as the option table's rows do.
void storeDesignOption(const std::string& name, const std::string& value, SimOptions& options,
                       std::string& error);
// The combinations of design options that make no sense; empty when they are usable.
std::string designOptionsProblem(const SimOptions& options);

// Reads the design file or draws the sample, if the options ask for one.
bool addDesign(const SimOptions& options, SweepPlan& plan, std::string& error);
