#include "romfile.h"

namespace vorn {

RomFile::RomFile(FileAccess &files)
    : m_files(files)
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
    if (isOpen())
        m_files.close(m_handle);
    m_handle = FileAccess::NoHandle;
}

void RomFile::open()
{
    release();
    if (m_name.isEmpty())
        throw IoFailure(FileError::PathNotFound);
    FileError error;
    const FileAccess::Handle handle = m_files.open(m_name.toUtf8().toStdString(), error);
    if (handle == FileAccess::NoHandle)
        throw IoFailure(error);
    m_handle = handle;
}

void RomFile::requireOpen() const
{
    if (!isOpen())
        throw IoFailure(FileError::NotOpen);
}

void RomFile::seek(std::int64_t offset)
{
    requireOpen();
    if (const FileError error = m_files.seek(m_handle, offset))
        throw IoFailure(error);
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
            failure = IoFailure(FileError::NotOpen);
        return 0;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        std::size_t got = 0;
        if (const FileError error = m_files.read(m_handle, out.data() + done, out.size() - done, got)) {
            failure = IoFailure(error);
            break;
        }
        if (got == 0) {
            failure = IoFailure(FileError::ReadPastEnd);
            break;
        }
        done += got;
    }
    return done;
}

void RomFile::write(std::span<const std::uint8_t> bytes)
{
    requireOpen();
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t put = 0;
        if (const FileError error = m_files.write(m_handle, bytes.data() + done, bytes.size() - done, put))
            throw IoFailure(error);
        if (put == 0)
            throw IoFailure(FileError::DiskFull);
        done += put;
    }
}

void RomFile::flush()
{
    requireOpen();
    if (const FileError error = m_files.flush(m_handle))
        throw IoFailure(error);
}

std::int64_t RomFile::size()
{
    requireOpen();
    std::int64_t bytes = 0;
    if (const FileError error = m_files.size(m_handle, bytes))
        throw IoFailure(error);
    return bytes;
}

} // namespace vorn
