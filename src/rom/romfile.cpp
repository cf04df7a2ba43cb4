#include "romfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>

namespace vorn {

RomFile::RomFile(SysCalls &sys)
    : m_sys(sys)
{
}

RomFile::~RomFile()
{
    release();
}

void RomFile::bind(const QString &name)
{
    release();
    m_name = name;
}

void RomFile::release()
{
    if (m_fd >= 0)
        m_sys.close(m_fd);
    m_fd = -1;
}

void RomFile::open()
{
    release();
    if (m_name.isEmpty())
        throw IoFailure(IoCode::InvalidFilename);
    // O_NONBLOCK: opening a FIFO or a device must never hang the editor; regular files ignore it.
    const int fd = m_sys.open(QFile::encodeName(m_name).constData(),
                              O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        throw IoFailure::fromOpenErrno(errno, m_name);
    struct stat st {};
    if (m_sys.fstat(fd, &st) != 0) {
        const int error = errno;
        m_sys.close(fd);
        throw IoFailure::fromErrno(error);
    }
    if (!S_ISREG(st.st_mode)) {
        m_sys.close(fd);
        throw IoFailure(IoCode::AccessDenied);
    }
    m_fd = fd;
}

void RomFile::requireOpen() const
{
    if (!isOpen())
        throw IoFailure(IoCode::NotOpen);
}

void RomFile::seek(std::int64_t offset)
{
    requireOpen();
    if (m_sys.lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) < 0)
        throw IoFailure::fromErrno(errno);
}

std::uint8_t RomFile::readByte()
{
    std::uint8_t byte = 0;
    std::optional<IoFailure> failure;
    if (read(std::span(&byte, 1), failure) != 1)
        throw *failure;
    return byte;
}

void RomFile::writeByte(std::uint8_t byte)
{
    write(std::span(&byte, 1));
}

std::size_t RomFile::read(std::span<std::uint8_t> out, std::optional<IoFailure> &failure)
{
    failure.reset();
    if (!isOpen()) {
        if (!out.empty())
            failure = IoFailure(IoCode::NotOpen);
        return 0;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = m_sys.read(m_fd, out.data() + done, out.size() - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            failure = IoFailure::fromErrno(errno);
            break;
        }
        if (got == 0) {
            failure = IoFailure(IoCode::ReadPastEnd);
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void RomFile::write(std::span<const std::uint8_t> bytes)
{
    requireOpen();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = m_sys.write(m_fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            throw IoFailure::fromErrno(errno);
        }
        if (put == 0)
            throw IoFailure(IoCode::DiskFull);
        done += static_cast<std::size_t>(put);
    }
}

void RomFile::flush()
{
    requireOpen();
    if (m_sys.fsync(m_fd) != 0)
        throw IoFailure::fromErrno(errno);
}

std::int64_t RomFile::size()
{
    requireOpen();
    struct stat st {};
    if (m_sys.fstat(m_fd, &st) != 0)
        throw IoFailure::fromErrno(errno);
    return st.st_size;
}

} // namespace vorn
