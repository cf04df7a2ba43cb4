#pragma once

#include "faultyfileaccess.h"

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vorn::bench {

/// "open 1, seek 1, read 1 (68 bytes), ..., close 1": every operation the fake counted,
/// also those not called, so two lines compare column by column.
std::string callSummary(const FaultyFileAccess &sys);

/// The real calls, except that a flush returns at once without waiting for the disk:
/// takes it out of a timed save through the window.
class NoSyncFileAccess : public FileAccess
{
public:
    FileError flush(Handle handle) override;
};

/// The console output of Google Benchmark, keeping each benchmark's time per iteration
/// for the summary: the median of its repetitions when there were several.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run> &runs) override;

    /// Wall-clock seconds per iteration; nullopt when the benchmark did not run or failed.
    std::optional<double> seconds(const std::string &name) const;
    /// Names of the benchmarks that reported an error.
    std::vector<std::string> failed() const;

private:
    struct Times
    {
        std::optional<double> single;
        std::optional<double> median;
        bool error = false;
    };
    std::map<std::string, Times> m_times;
};

} // namespace vorn::bench
