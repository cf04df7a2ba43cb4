#include "charcodes.h"

#include <array>

namespace vorn {

namespace {

constexpr bool inTable(int code)
{
    return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z');
}

} // namespace

bool isPasswordChar(QChar c)
{
    return inTable(c.unicode());
}

QString passwordChars()
{
    QString chars;
    for (int code = 0; code < 128; ++code) {
        if (inTable(code))
            chars += QChar(code);
    }
    return chars;
}

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

namespace {

// The character of every byte value, worked out once through the code texts so the two
// can never disagree; a null QChar marks a byte without a character.
const std::array<QChar, 256> &byteCharacters()
{
    static const std::array<QChar, 256> table = [] {
        std::array<QChar, 256> characters{};
        for (int byte = 0; byte < 256; ++byte) {
            const QString character = CodeTextToChar(QString::number(byte));
            if (!character.isEmpty())
                characters[byte] = character.front();
        }
        return characters;
    }();
    return table;
}

} // namespace

QString byteToChar(std::uint8_t byte)
{
    const QChar character = byteCharacters()[byte];
    return character.isNull() ? QString() : QString(character);
}

QString slotTextFromBytes(std::span<const std::uint8_t> bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::uint8_t byte : bytes) {
        if (const QChar character = byteCharacters()[byte]; !character.isNull())
            text += character;
    }
    return text;
}

std::optional<std::uint8_t> charToByte(const QString &text)
{
    // Same answer as reading CharToCodeText(text) as an integer, without the detour.
    if (text.size() != 1 || !inTable(text.front().unicode()))
        return std::nullopt;
    return static_cast<std::uint8_t>(text.front().unicode());
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
