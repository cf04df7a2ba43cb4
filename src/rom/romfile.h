#pragma once

#include "failure.h"
#include "fileaccess.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>

namespace vorn {

/// The editor's one binding to an image file: a name, and a handle while the file is
/// open. Every step reports its own failure as an IoFailure: 103 while the file is not
/// open, 100 for a read that meets the end of the file, 101 for a write that takes
/// nothing, the system's error otherwise. The image is only ever patched in place.
class RomFile
{
public:
    explicit RomFile(FileAccess &files = FileAccess::system());
    ~RomFile();
    RomFile(const RomFile &) = delete;
    RomFile &operator=(const RomFile &) = delete;

    /// Binds a new name. The file of the earlier binding is released; the new one is not
    /// open until open() succeeds.
    void bind(const QString &name);
    QString name() const { return m_name; }
    bool isOpen() const { return m_handle != FileAccess::NoHandle; }

    /// Opens the bound name for reading and writing. Only an existing plain file is
    /// opened; it is never created, and a folder, pipe or device fails with 5 without
    /// being opened. Other programs may keep reading and writing the file.
    void open();

    /// Moves to an absolute byte offset. A position past the end is not a failure.
    void seek(std::int64_t offset);

    std::uint8_t readByte();
    void writeByte(std::uint8_t byte);

    /// Reads out.size() bytes from the current position, as that many one-byte reads
    /// would. Returns how many arrived before the first failing byte; when that is fewer
    /// than asked, `failure` holds that byte's failure. Never throws.
    std::size_t read(std::span<std::uint8_t> out, std::optional<IoFailure> &failure);

    /// Writes all bytes from the current position, as that many one-byte writes would:
    /// when one fails, every byte before it is written and the failure is thrown.
    void write(std::span<const std::uint8_t> bytes);

    /// Waits until what was written is on the disk.
    void flush();

    /// The file's current length in bytes.
    std::int64_t size();

private:
    void requireOpen() const;
    void release();

    FileAccess &m_files;
    QString m_name;
    FileAccess::Handle m_handle = FileAccess::NoHandle;
};

} // namespace vorn
