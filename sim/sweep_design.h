// The options that give a sweep a design (--design, --sample, --range, --seed) and the design
// they make.
#pragma once

#include <string>

#include "options.h"
#include "sweep_plan.h"

bool isDesignOption(const std::string& name);
// Stores one option's value; --sample's count comes as second. False with a one-line reason.
bool readDesignOption(const std::string& name, const std::string& value, const std::string& second,
                      SimOptions& options, std::string& error);
// The combinations of design options that make no sense; empty when they are usable.
std::string designOptionsProblem(const SimOptions& options);

// Reads the design file or draws the sample, if the options ask for one.
bool addDesign(const SimOptions& options, SweepPlan& plan, std::string& error);
