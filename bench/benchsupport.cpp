#include "benchsupport.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace vorn::bench {

int CountingSysCalls::open(const char *path, int flags)
{
    ++m_calls[Open];
    return SysCalls::open(path, flags);
}

int CountingSysCalls::fstat(int fd, struct stat *st)
{
    ++m_calls[Fstat];
    return SysCalls::fstat(fd, st);
}

off_t CountingSysCalls::lseek(int fd, off_t offset, int whence)
{
    ++m_calls[Lseek];
    return SysCalls::lseek(fd, offset, whence);
}

ssize_t CountingSysCalls::read(int fd, void *buffer, size_t count)
{
    ++m_calls[Read];
    const ssize_t got = SysCalls::read(fd, buffer, count);
    if (got > 0)
        m_bytesRead += got;
    return got;
}

ssize_t CountingSysCalls::write(int fd, const void *buffer, size_t count)
{
    ++m_calls[Write];
    const ssize_t put = SysCalls::write(fd, buffer, count);
    if (put > 0)
        m_bytesWritten += put;
    return put;
}

int CountingSysCalls::fsync(int fd)
{
    ++m_calls[Fsync];
    return SysCalls::fsync(fd);
}

int CountingSysCalls::close(int fd)
{
    ++m_calls[Close];
    return SysCalls::close(fd);
}

void CountingSysCalls::reset()
{
    m_calls.fill(0);
    m_bytesRead = 0;
    m_bytesWritten = 0;
}

std::string CountingSysCalls::summary() const
{
    static constexpr const char *Names[OpCount] = {"open", "fstat", "lseek", "read",
                                                   "write", "fsync", "close"};
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

int NoSyncSysCalls::fsync(int)
{
    return 0;
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
