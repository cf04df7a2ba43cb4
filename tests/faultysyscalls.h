#pragma once

#include "rom/syscalls.h"

#include <cerrno>
#include <algorithm>
#include <map>
#include <utility>

// A SysCalls that passes every call through to the system until told to refuse one:
// the nth call (1-based, counted from arming) of an operation fails with an errno,
// or a read or write transfers nothing, or only part of what was asked.
class FaultySysCalls : public vorn::SysCalls
{
public:
    enum Op { Open, Fstat, Lseek, Read, Write, Fsync, Close, OpCount };

    struct Fault
    {
        int nth = 1;
        int error = EIO;      // errno to fail with; 0 = return 0 (nothing transferred)
        long partial = -1;    // >= 0: transfer at most this many bytes instead of failing
    };

    // Several faults may be armed for one operation; its calls are counted from the
    // first of them.
    void fail(Op op, int nth, int error) { arm(op, nth, Fault{nth, error, -1}); }
    void transferNothing(Op op, int nth) { arm(op, nth, Fault{nth, 0, -1}); }
    void transferAtMost(Op op, int nth, long bytes) { arm(op, nth, Fault{nth, 0, bytes}); }
    void clear()
    {
        m_faults.clear();
        for (int &c : m_calls) c = 0;
        for (int &c : m_total) c = 0;
        m_bytesWritten = 0;
    }

    /// Calls of an operation since the last clear(), whether they failed or not.
    int calls(Op op) const { return m_total[op]; }
    /// Bytes written by successful write calls since the last clear().
    long bytesWritten() const { return m_bytesWritten; }

    int open(const char *path, int flags) override
    {
        if (int r; trip(Open, r)) return r;
        return SysCalls::open(path, flags);
    }
    int fstat(int fd, struct stat *st) override
    {
        if (int r; trip(Fstat, r)) return r;
        return SysCalls::fstat(fd, st);
    }
    off_t lseek(int fd, off_t offset, int whence) override
    {
        if (int r; trip(Lseek, r)) return r;
        return SysCalls::lseek(fd, offset, whence);
    }
    ssize_t read(int fd, void *buffer, size_t count) override
    {
        long partial = -1;
        if (int r; trip(Read, r, &partial)) return r;
        if (partial >= 0)
            count = std::min<size_t>(count, static_cast<size_t>(partial));
        return SysCalls::read(fd, buffer, count);
    }
    ssize_t write(int fd, const void *buffer, size_t count) override
    {
        long partial = -1;
        if (int r; trip(Write, r, &partial)) return r;
        if (partial >= 0)
            count = std::min<size_t>(count, static_cast<size_t>(partial));
        const ssize_t put = SysCalls::write(fd, buffer, count);
        if (put > 0)
            m_bytesWritten += put;
        return put;
    }
    int fsync(int fd) override
    {
        if (int r; trip(Fsync, r)) return r;
        return SysCalls::fsync(fd);
    }
    int close(int fd) override
    {
        ++m_total[Close];
        return SysCalls::close(fd);
    }

private:
    // Returns true when the call must not reach the system; `result` is what it returns.
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

    bool trip(Op op, int &result, long *partial = nullptr)
    {
        ++m_total[op];
        if (!pending(op))
            return false;
        const auto it = m_faults.find({op, ++m_calls[op]});
        if (it == m_faults.end())
            return false;
        const Fault fault = it->second;
        m_faults.erase(it);
        if (fault.partial >= 0 && partial) {
            *partial = fault.partial;
            return false;
        }
        if (fault.error == 0) {
            result = 0;
            return true;
        }
        errno = fault.error;
        result = -1;
        return true;
    }

    std::map<std::pair<Op, int>, Fault> m_faults;
    int m_calls[OpCount] = {};
    int m_total[OpCount] = {};
    long m_bytesWritten = 0;
};
