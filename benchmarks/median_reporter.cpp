#include "median_reporter.h"

#include <cstdio>

void printFigure(const char *what, std::optional<double> value, const char *unit,
                 const char *target, bool met)
{
    if (!value) {
        std::printf("  %-46s %12s\n", what, "not run");
        return;
    }
    std::printf("  %-46s %9.2f %-4s", what, *value, unit);
    if (target)
        std::printf(" target %-10s %s", target, met ? "met" : "MISSED");
    std::printf("\n");
}

namespace {

double toMilliseconds(double time, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return time / 1e6;
    case benchmark::kMicrosecond:
        return time / 1e3;
    case benchmark::kMillisecond:
        return time;
    case benchmark::kSecond:
        return time * 1e3;
    }
    return time;
}

} // namespace

void MedianReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        m_anyFailed = m_anyFailed || run.error_occurred;
        if (run.error_occurred || run.run_type != Run::RT_Aggregate ||
            run.aggregate_name != "median")
            continue;
        std::string name = run.run_name.function_name;
        if (!run.run_name.args.empty())
            name += "/" + run.run_name.args;
        Median &median = m_medians[name];
        median.milliseconds = toMilliseconds(run.GetAdjustedRealTime(), run.time_unit);
        for (const auto &[counter, value] : run.counters)
            median.counters[counter] = value.value;
    }
}

std::optional<double> MedianReporter::medianMilliseconds(const std::string &name) const
{
    const auto found = m_medians.find(name);
    if (found == m_medians.end())
        return std::nullopt;
    return found->second.milliseconds;
}

std::optional<double> MedianReporter::medianCounter(const std::string &name,
                                                    const std::string &counter) const
{
    const auto found = m_medians.find(name);
    if (found == m_medians.end())
        return std::nullopt;
    const auto value = found->second.counters.find(counter);
    if (value == found->second.counters.end())
        return std::nullopt;
    return value->second;
}
