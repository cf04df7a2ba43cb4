#pragma once

#include "fileaccess.h"

#include <QByteArray>
#include <QString>

#include <exception>

namespace vorn {

/// The message an I/O code (FileError::Code) stands for: the seven codes with texts of
/// their own, and "I/O error <code>" for every other.
QString messageForCode(int code);

/// A failed file step or conversion. It ends the user action that ran into it and is
/// reported once, where that action started. Its message is fixed when it is raised.
class Failure : public std::exception
{
public:
    enum class Kind { Io, Conversion };

    Kind kind() const { return m_kind; }
    /// The I/O code; 0 for a conversion failure.
    int code() const { return m_code; }
    QString message() const { return m_message; }
    const char *what() const noexcept override { return m_what.constData(); }

protected:
    Failure(Kind kind, int code, const QString &message);

private:
    Kind m_kind;
    int m_code;
    QString m_message;
    QByteArray m_what;
};

class IoFailure : public Failure
{
public:
    /// A failure whose message is the code's own (messageForCode).
    explicit IoFailure(int code);
    IoFailure(int code, const QString &message);

    /// A refused file step: a code of the file layer with its own text, or the system's
    /// own number shown through "I/O error %d", even where that number happens to be one
    /// of the codes with a text (errno 5 is not "access denied").
    explicit IoFailure(const FileError &error);
};

class ConversionFailure : public Failure
{
public:
    /// `text` failed to read as a decimal integer.
    explicit ConversionFailure(const QString &text);
};

} // namespace vorn
