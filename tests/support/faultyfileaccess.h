#pragma once

#include "rom/fileaccess.h"

#include <algorithm>
#include <map>
#include <utility>

// A FileAccess that passes every call through to the system until told to refuse one: the
// nth call (1-based, counted from arming) of an operation fails with an error, or a read
// or write transfers nothing, or only part of what was asked.
class FaultyFileAccess : public vorn::FileAccess
{
public:
    enum Op { Open, Seek, Read, Write, Flush, Size, Close, OpCount };

    struct Fault
    {
        vorn::FileError error; // none: the call transfers nothing, or `partial` bytes
        long partial = -1;     // >= 0: transfer at most this many bytes instead of failing
    };

    // Several faults may be armed for one operation; its calls are counted from the
    // first of them.
    void fail(Op op, int nth, vorn::FileError error) { arm(op, nth, Fault{error, -1}); }
    void transferNothing(Op op, int nth) { arm(op, nth, Fault{}); }
    void transferAtMost(Op op, int nth, long bytes) { arm(op, nth, Fault{{}, bytes}); }
    /// Every read and write transfers at most `bytes` (-1: no limit), so that a fault can
    /// strike in the middle of a transfer.
    void transferInChunks(long bytes) { m_chunk = bytes; }
    void clear()
    {
        m_faults.clear();
        m_chunk = -1;
        std::fill(std::begin(m_calls), std::end(m_calls), 0);
        std::fill(std::begin(m_total), std::end(m_total), 0);
        m_bytesRead = 0;
        m_bytesWritten = 0;
    }

    /// Calls of an operation since the last clear(), whether they failed or not.
    int calls(Op op) const { return m_total[op]; }
    /// Bytes read and written by all calls since the last clear().
    long bytesRead() const { return m_bytesRead; }
    long bytesWritten() const { return m_bytesWritten; }

    Handle open(const std::string &name, vorn::FileError &error) override
    {
        if (const Fault *fault = trip(Open); fault && fault->error) {
            error = fault->error;
            return NoHandle;
        }
        return FileAccess::open(name, error);
    }
    vorn::FileError seek(Handle handle, std::int64_t offset) override
    {
        if (const Fault *fault = trip(Seek); fault && fault->error)
            return fault->error;
        return FileAccess::seek(handle, offset);
    }
    vorn::FileError read(Handle handle, void *buffer, std::size_t count, std::size_t &done) override
    {
        return transfer(Read, count, done, m_bytesRead,
                        [&](std::size_t n) { return FileAccess::read(handle, buffer, n, done); });
    }
    vorn::FileError write(Handle handle, const void *buffer, std::size_t count, std::size_t &done) override
    {
        return transfer(Write, count, done, m_bytesWritten,
                        [&](std::size_t n) { return FileAccess::write(handle, buffer, n, done); });
    }
    vorn::FileError flush(Handle handle) override
    {
        if (const Fault *fault = trip(Flush); fault && fault->error)
            return fault->error;
        return FileAccess::flush(handle);
    }
    vorn::FileError size(Handle handle, std::int64_t &bytes) override
    {
        if (const Fault *fault = trip(Size); fault && fault->error)
            return fault->error;
        return FileAccess::size(handle, bytes);
    }
    void close(Handle handle) override
    {
        ++m_total[Close];
        FileAccess::close(handle);
    }

private:
    // A read or write of `count` bytes that the armed fault may fail or cut short; what
    // arrives is added to `bytes`.
    template<typename Call>
    vorn::FileError transfer(Op op, std::size_t count, std::size_t &done, long &bytes, Call call)
    {
        done = 0;
        if (m_chunk >= 0)
            count = std::min<std::size_t>(count, static_cast<std::size_t>(m_chunk));
        if (const Fault *fault = trip(op)) {
            if (fault->partial < 0)
                return fault->error;
            count = std::min<std::size_t>(count, static_cast<std::size_t>(fault->partial));
        }
        const vorn::FileError error = call(count);
        bytes += static_cast<long>(done);
        return error;
    }

    void arm(Op op, int nth, Fault fault)
    {
        if (!pending(op))
            m_calls[op] = 0;
        m_faults[{op, nth}] = fault;
    }

    bool pending(Op op) const
    {
        const auto it = m_faults.lower_bound({op, 0});
        return it != m_faults.end() && it->first.first == op;
    }

    // The fault armed for this call, if any; it is used up.
    const Fault *trip(Op op)
    {
        ++m_total[op];
        if (!pending(op))
            return nullptr;
        const auto it = m_faults.find({op, ++m_calls[op]});
        if (it == m_faults.end())
            return nullptr;
        m_tripped = it->second;
        m_faults.erase(it);
        return &m_tripped;
    }

    std::map<std::pair<Op, int>, Fault> m_faults;
    Fault m_tripped;
    int m_calls[OpCount] = {};
    int m_total[OpCount] = {};
    long m_chunk = -1;
    long m_bytesRead = 0;
    long m_bytesWritten = 0;
};
