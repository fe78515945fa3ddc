#pragma once
// Texts in code page 1251, the single-byte Cyrillic code page in which a template file keeps
// the object name. The code page's table comes from the C library's iconv.
// Depends on Qt Core and the C library only.

#include <QByteArray>
#include <QString>

namespace cp1251 {

// One byte per character; a character that the code page lacks becomes "?".
QByteArray encode(const QString& text);
// Each byte as its character; a byte that the code page leaves undefined becomes U+FFFD.
QString decode(const QByteArray& bytes);

} // namespace cp1251
