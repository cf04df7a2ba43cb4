#pragma once

#include "rom/fileaccess.h"
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
class CountingFileAccess : public FileAccess
{
public:
    enum Op { Open, Seek, Read, Write, Flush, Size, Close, OpCount };

    Handle open(const std::string &name, FileError &error) override;
    FileError seek(Handle handle, std::int64_t offset) override;
    FileError read(Handle handle, void *buffer, std::size_t count, std::size_t &done) override;
    FileError write(Handle handle, const void *buffer, std::size_t count, std::size_t &done) override;
    FileError flush(Handle handle) override;
    FileError size(Handle handle, std::int64_t &bytes) override;
    void close(Handle handle) override;

    void reset();
    int calls(Op op) const { return m_calls[op]; }
    long bytesRead() const { return m_bytesRead; }
    long bytesWritten() const { return m_bytesWritten; }

    /// "open 1, seek 1, read 1 (68 bytes), ..., close 1": every operation, also
    /// those not called, so two lines compare column by column.
    std::string summary() const;

private:
    std::array<int, OpCount> m_calls{};
    long m_bytesRead = 0;
    long m_bytesWritten = 0;
};

/// The real calls, except that a flush returns at once without waiting for the disk:
/// takes it out of a timed save through the window.
class NoSyncFileAccess : public FileAccess
{
public:
    FileError flush(Handle handle) override;
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
