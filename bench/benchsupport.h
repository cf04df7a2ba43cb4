#pragma once

#include "rom/syscalls.h"
#include "ui/dialogs.h"

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vorn::bench {

/// Passes every call to the system and counts them, with the bytes read and written.
class CountingSysCalls : public SysCalls
{
public:
    enum Op { Open, Fstat, Lseek, Read, Write, Fsync, Close, OpCount };

    int open(const char *path, int flags) override;
    int fstat(int fd, struct stat *st) override;
    off_t lseek(int fd, off_t offset, int whence) override;
    ssize_t read(int fd, void *buffer, size_t count) override;
    ssize_t write(int fd, const void *buffer, size_t count) override;
    int fsync(int fd) override;
    int close(int fd) override;

    void reset();
    int calls(Op op) const { return m_calls[op]; }
    long bytesRead() const { return m_bytesRead; }
    long bytesWritten() const { return m_bytesWritten; }

    /// "open 1, fstat 1, lseek 1, read 1 (68 bytes), close 1": every operation, also
    /// those not called, so two lines compare column by column.
    std::string summary() const;

private:
    std::array<int, OpCount> m_calls{};
    long m_bytesRead = 0;
    long m_bytesWritten = 0;
};

/// The real calls, except that fsync returns at once without waiting for the disk:
/// takes the flush out of a timed save through the window.
class NoSyncSysCalls : public SysCalls
{
public:
    int fsync(int fd) override;
};

/// Accepts the given file names in turn, one per file dialog, and keeps every box closed;
/// remembers what the boxes would have said.
class QuietDialogs : public Dialogs
{
public:
    explicit QuietDialogs(QStringList names);

    std::optional<QString> openFileName(QWidget *parent, const QString &initialName) override;
    void message(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;

    QStringList messages;
    QStringList errors;

private:
    QStringList m_names;
    qsizetype m_next = 0;
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
        std::vector<double> iterations;
        std::optional<double> median;
        bool error = false;
    };
    std::map<std::string, Times> m_times;
};

} // namespace vorn::bench
