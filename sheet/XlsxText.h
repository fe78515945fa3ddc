#pragma once
// Texts as a workbook file carries them. The file format (XML 1.0) cannot hold NUL, U+FFFE,
// U+FFFF or a lone half of a surrogate pair at all, and holds the other control characters only
// through the format's own escape "_xHHHH_". A text that already holds such an escape as typed
// characters has its underscore escaped ("_x005F_"), so that a spreadsheet reads back exactly
// what was typed. Depends on Qt Core only.

#include <QString>

namespace sheet {

constexpr char16_t replacementCharacter = 0xFFFD;

// The text as written into a cell of the file: every character kept, control characters other
// than tab and line feed escaped, typed escapes escaped, the characters the format cannot carry
// replaced by U+FFFD. Never shorter than the text.
QString cellTextForFile(const QString& text);
// A stored cell text read back as a spreadsheet reads it (every "_xHHHH_" decoded).
QString cellTextFromFile(const QString& stored);
// Whether the format can carry the character (by itself, not as half of a pair) in a name,
// where no escape exists: no control characters, no NUL, U+FFFE, U+FFFF or lone surrogate.
bool isNameCharacter(char32_t c);
// Whether the text holds a character that no name may hold.
bool hasNonNameCharacter(const QString& text);
// Whether the file carries the text as it is, without any escape (a formula has none): only
// tab, line feed and carriage return among the control characters, no NUL, U+FFFE, U+FFFF or
// lone surrogate.
bool fileCanCarry(const QString& text);

} // namespace sheet
