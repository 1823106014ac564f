// Plays a sweep on worker processes and writes its tables. Each worker plays a whole
// combination at a time as a freshly started program would: the random source back at its
// start state, the world as the program finds it, then the combination's games one after
// another. So every row equals what "velmoria-sim --games R" prints for those fields, and the
// tables do not depend on the number of workers or on the order in which they finish.
#pragma once

#include "options.h"

// Returns the exit status.
int runSweep(const SimOptions& options);
