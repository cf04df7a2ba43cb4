#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <span>

// Password characters and the bytes that store them. A character is stored as its
// ASCII code; the table has "0"-"9" (48-57) and "A"-"Z" (65-90) and nothing else.
namespace vorn {

/// Whether a character is one of the table's 36: "0"-"9" and "A"-"Z".
bool isPasswordChar(QChar c);

/// The table's 36 characters in code order, "0" to "Z".
QString passwordChars();

/// The character whose code text (decimal, no sign, no leading zeros) is the whole input,
/// e.g. "65" gives "A"; empty text for anything else. Never fails.
QString CodeTextToChar(const QString &codeText);

/// The code text of a one-character text from the table, e.g. "Z" gives "90"; empty text
/// for anything else, including "a", "AB" and the empty text. Never fails.
QString CharToCodeText(const QString &text);

/// The character a stored byte shows as, or empty text for a byte outside the table.
QString byteToChar(std::uint8_t byte);

/// A slot's text from its four stored bytes: their characters joined in stored order;
/// a byte without a character leaves no gap, so the text is then shorter than four.
QString slotTextFromBytes(std::span<const std::uint8_t> bytes);

/// The byte that stores a one-character text, or nullopt when the character has no
/// code text (its empty code text cannot be read as an integer).
std::optional<std::uint8_t> charToByte(const QString &text);

/// Raises a-z to A-Z and leaves every other character as it is. Unlike a locale's
/// upper-casing it can never change the length of a password or make a letter
/// from outside the table ("i" never becomes a dotted capital I, nor "ß" "SS").
QString upperCaseAscii(const QString &text);

} // namespace vorn
