#include "measure.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <malloc.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A line of /proc/self/status such as "VmHWM:    1234 kB", in MB.
double statusMb(const std::string &key)
{
    std::ifstream status("/proc/self/status");
    std::string name;
    double kb = 0;
    while (status >> name) {
        if (name == key + ":") {
            status >> kb;
            return kb / 1024;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

// Starts the peak (VmHWM) afresh at the present resident set; false where the kernel cannot.
bool resetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

} // namespace

double residentMb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

Sample measure(const Step &step, int maxRuns, double budgetMs)
{
    std::vector<double> times, growths;
    double peak = 0;
    const Clock::time_point start = Clock::now();
    while (int(times.size()) < maxRuns && (times.empty() || msSince(start) < budgetMs)) {
        if (step.prepare)
            step.prepare();
        malloc_trim(0);
        const double before = residentMb();
        const bool peakKnown = resetPeak();
        const Clock::time_point runStart = Clock::now();
        step.run();
        times.push_back(msSince(runStart));
        if (peakKnown)
            peak = std::max(peak, statusMb("VmHWM") - before);
        malloc_trim(0);
        growths.push_back(residentMb() - before);
        if (step.restore)
            step.restore();
    }
    return {median(times), median(growths), peak, int(times.size())};
}

} // namespace bench
