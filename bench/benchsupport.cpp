#include "benchsupport.h"

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
        times.error = times.error || run.error_occurred;
        const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        // Repetitions come with a median; a single run has its own time only.
        if (run.run_type == Run::RT_Iteration)
            times.single = seconds;
        else if (run.aggregate_name == "median")
            times.median = seconds;
    }
}

std::optional<double> SummaryReporter::seconds(const std::string &name) const
{
    const auto it = m_times.find(name);
    if (it == m_times.end() || it->second.error)
        return std::nullopt;
    return it->second.median ? it->second.median : it->second.single;
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
