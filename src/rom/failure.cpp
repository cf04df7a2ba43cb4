#include "failure.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>

namespace vorn {

QString messageForCode(int code)
{
    switch (code) {
    case IoCode::FileNotFound:
        return QCoreApplication::translate("vorn", "File not found");
    case IoCode::InvalidFilename:
        return QCoreApplication::translate("vorn", "Invalid filename");
    case IoCode::TooManyOpenFiles:
        return QCoreApplication::translate("vorn", "Too many open files");
    case IoCode::AccessDenied:
        return QCoreApplication::translate("vorn", "File access denied");
    case IoCode::ReadPastEnd:
        return QCoreApplication::translate("vorn", "Read beyond end of file");
    case IoCode::DiskFull:
        return QCoreApplication::translate("vorn", "Disk full");
    case IoCode::InvalidNumeric:
        return QCoreApplication::translate("vorn", "Invalid numeric input");
    default:
        return QCoreApplication::translate("vorn", "I/O error %1").arg(code);
    }
}

QString errorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + QLatin1Char('.');
    return message;
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

IoFailure IoFailure::fromErrno(int error)
{
    switch (error) {
    case EMFILE:
    case ENFILE:
        return IoFailure(IoCode::TooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return IoFailure(IoCode::AccessDenied);
    default:
        return IoFailure(error, QCoreApplication::translate("vorn", "I/O error %1").arg(error));
    }
}

IoFailure IoFailure::fromOpenErrno(int error, const QString &path)
{
    switch (error) {
    case ENOENT: {
        const QFileInfo folder(QFileInfo(path).absolutePath());
        return IoFailure(path.isEmpty() || !folder.isDir() ? IoCode::InvalidFilename
                                                            : IoCode::FileNotFound);
    }
    case ENOTDIR:
    case ENAMETOOLONG:
        return IoFailure(IoCode::InvalidFilename);
    default:
        return fromErrno(error);
    }
}

ConversionFailure::ConversionFailure(const QString &text)
    : Failure(Kind::Conversion, 0,
              QCoreApplication::translate("vorn", "'%1' is not a valid integer value").arg(text))
{
}

} // namespace vorn
