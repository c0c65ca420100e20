#pragma once

#include <functional>

namespace bench {

// One thing to time: prepare and restore run around each timed run, untimed.
struct Step {
    std::function<void()> prepare;
    std::function<void()> run;
    std::function<void()> restore;
};

struct Sample {
    double medianMs = 0;
    double addedMb = 0; // median growth of the resident set that a run keeps (freed heap handed back)
    double peakMb = 0;  // largest peak of the resident set during a run, above its level before it
    int runs = 0;
};

// Up to maxRuns runs, fewer once budgetMs of wall time is spent (always at least one). Freed heap
// is handed back to the system before and after each run, so the growth is what the run kept.
Sample measure(const Step &step, int maxRuns, double budgetMs);

double residentMb();

} // namespace bench
