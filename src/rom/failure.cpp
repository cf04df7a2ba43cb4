#include "failure.h"

#include <QCoreApplication>

namespace vorn {

namespace {

QString ioErrorText(int code)
{
    return QCoreApplication::translate("vorn", "I/O error %1").arg(code);
}

} // namespace

QString messageForCode(int code)
{
    switch (code) {
    case FileError::FileNotFound:
        return QCoreApplication::translate("vorn", "File not found");
    case FileError::PathNotFound:
        return QCoreApplication::translate("vorn", "Invalid filename");
    case FileError::TooManyOpenFiles:
        return QCoreApplication::translate("vorn", "Too many open files");
    case FileError::AccessDenied:
        return QCoreApplication::translate("vorn", "File access denied");
    case FileError::ReadPastEnd:
        return QCoreApplication::translate("vorn", "Read beyond end of file");
    case FileError::DiskFull:
        return QCoreApplication::translate("vorn", "Disk full");
    case FileError::InvalidNumeric:
        return QCoreApplication::translate("vorn", "Invalid numeric input");
    default:
        return ioErrorText(code);
    }
}

Failure::Failure(Kind kind, int code, const QString &message)
    : m_kind(kind)
    , m_code(code)
    , m_message(message)
    , m_what(message.toUtf8())
{
}

IoFailure::IoFailure(int code)
    : IoFailure(code, messageForCode(code))
{
}

IoFailure::IoFailure(int code, const QString &message)
    : Failure(Kind::Io, code, message)
{
}

IoFailure::IoFailure(const FileError &error)
    : IoFailure(error.code, error.system ? ioErrorText(error.code) : messageForCode(error.code))
{
}

ConversionFailure::ConversionFailure(const QString &text)
    : Failure(Kind::Conversion, 0,
              QCoreApplication::translate("vorn", "'%1' is not a valid integer value").arg(text))
{
}

} // namespace vorn
