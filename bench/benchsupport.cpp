#include "benchsupport.h"

#include <algorithm>
#include <sstream>

namespace vorn::bench {

std::string callSummary(const FaultyFileAccess &sys)
{
    static constexpr const char *Names[FaultyFileAccess::OpCount] = {"open", "seek", "read", "write",
                                                                     "flush", "size", "close"};
    std::ostringstream out;
    for (int op = 0; op < FaultyFileAccess::OpCount; ++op) {
        const int calls = sys.calls(FaultyFileAccess::Op(op));
        out << (op > 0 ? ", " : "") << Names[op] << ' ' << calls;
        if (op == FaultyFileAccess::Read && calls > 0)
            out << " (" << sys.bytesRead() << " bytes)";
        if (op == FaultyFileAccess::Write && calls > 0)
            out << " (" << sys.bytesWritten() << " bytes)";
    }
    return out.str();
}

FileError NoSyncFileAccess::flush(Handle)
{
    return {};
}

void SummaryReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        // The registered name alone: without the "/real_time" or aggregate suffixes.
        Times &times = m_times[run.run_name.function_name];
        if (run.error_occurred) {
            times.error = true;
            continue;
        }
        const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        if (run.run_type == Run::RT_Iteration)
            times.iterations.push_back(seconds);
        else if (run.aggregate_name == "median")
            times.median = seconds;
    }
}

std::optional<double> SummaryReporter::seconds(const std::string &name) const
{
    const auto it = m_times.find(name);
    if (it == m_times.end() || it->second.error)
        return std::nullopt;
    const Times &times = it->second;
    if (times.median)
        return times.median;
    if (times.iterations.empty())
        return std::nullopt;
    std::vector<double> sorted = times.iterations;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

std::vector<std::string> SummaryReporter::failed() const
{
    std::vector<std::string> names;
    for (const auto &[name, times] : m_times) {
        if (times.error)
            names.push_back(name);
    }
    return names;
}

} // namespace vorn::bench
