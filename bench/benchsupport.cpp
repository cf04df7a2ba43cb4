#include "benchsupport.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace vorn::bench {

FileAccess::Handle CountingFileAccess::open(const std::string &name, FileError &error)
{
    ++m_calls[Open];
    return FileAccess::open(name, error);
}

FileError CountingFileAccess::seek(Handle handle, std::int64_t offset)
{
    ++m_calls[Seek];
    return FileAccess::seek(handle, offset);
}

FileError CountingFileAccess::read(Handle handle, void *buffer, std::size_t count, std::size_t &done)
{
    ++m_calls[Read];
    const FileError error = FileAccess::read(handle, buffer, count, done);
    m_bytesRead += static_cast<long>(done);
    return error;
}

FileError CountingFileAccess::write(Handle handle, const void *buffer, std::size_t count, std::size_t &done)
{
    ++m_calls[Write];
    const FileError error = FileAccess::write(handle, buffer, count, done);
    m_bytesWritten += static_cast<long>(done);
    return error;
}

FileError CountingFileAccess::flush(Handle handle)
{
    ++m_calls[Flush];
    return FileAccess::flush(handle);
}

FileError CountingFileAccess::size(Handle handle, std::int64_t &bytes)
{
    ++m_calls[Size];
    return FileAccess::size(handle, bytes);
}

void CountingFileAccess::close(Handle handle)
{
    ++m_calls[Close];
    FileAccess::close(handle);
}

void CountingFileAccess::reset()
{
    m_calls.fill(0);
    m_bytesRead = 0;
    m_bytesWritten = 0;
}

std::string CountingFileAccess::summary() const
{
    static constexpr const char *Names[OpCount] = {"open", "seek", "read", "write",
                                                   "flush", "size", "close"};
    std::ostringstream out;
    for (int op = 0; op < OpCount; ++op) {
        if (op > 0)
            out << ", ";
        out << Names[op] << ' ' << m_calls[op];
        if (op == Read && m_calls[op] > 0)
            out << " (" << m_bytesRead << " bytes)";
        if (op == Write && m_calls[op] > 0)
            out << " (" << m_bytesWritten << " bytes)";
    }
    return out.str();
}

FileError NoSyncFileAccess::flush(Handle)
{
    return {};
}

QuietDialogs::QuietDialogs(QStringList names)
    : m_names(std::move(names))
{
}

std::optional<QString> QuietDialogs::openFileName(QWidget *, const QString &)
{
    if (m_names.isEmpty())
        return std::nullopt;
    const QString name = m_names.at(m_next);
    m_next = (m_next + 1) % m_names.size();
    return name;
}

void QuietDialogs::message(QWidget *, const QString &text)
{
    messages << text;
}

void QuietDialogs::error(QWidget *, const QString &text)
{
    errors << text;
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
