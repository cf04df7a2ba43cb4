#include "charcodes.h"

namespace vorn {

namespace {

constexpr bool inTable(int code)
{
    return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z');
}

} // namespace

QString CodeTextToChar(const QString &codeText)
{
    // Only the exact decimal spelling counts: "065", "+65" and " 65" are not code texts.
    if (codeText.isEmpty() || codeText.size() > 3 || codeText.front() == QLatin1Char('0'))
        return {};
    int code = 0;
    for (QChar c : codeText) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return {};
        code = code * 10 + (c.unicode() - '0');
    }
    return inTable(code) ? QString(QChar(code)) : QString();
}

QString CharToCodeText(const QString &text)
{
    if (text.size() != 1 || !inTable(text.front().unicode()))
        return {};
    return QString::number(text.front().unicode());
}

QString byteToChar(std::uint8_t byte)
{
    return CodeTextToChar(QString::number(byte));
}

QString slotTextFromBytes(std::span<const std::uint8_t> bytes)
{
    QString text;
    for (std::uint8_t byte : bytes)
        text += byteToChar(byte);
    return text;
}

std::optional<std::uint8_t> charToByte(const QString &text)
{
    bool ok = false;
    const int value = CharToCodeText(text).toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return static_cast<std::uint8_t>(value & 0xFF);
}

QString upperCaseAscii(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - ('a' - 'A'));
    }
    return result;
}

} // namespace vorn
