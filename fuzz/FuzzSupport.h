#pragma once
// Shared by the fuzz targets: inputs as Qt texts, and the check that stops a run on a broken
// rule (a crash that libFuzzer reports with the input that caused it).

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The input as a text: UTF-16 code units when the first byte is odd (so that lone surrogates,
// NUL and U+FFFE occur), otherwise UTF-8 (invalid sequences become U+FFFD).
inline QString text(const uint8_t* data, size_t size)
{
    if (size == 0)
        return {};
    if (data[0] % 2)
        return QString(reinterpret_cast<const QChar*>(data + 1), qsizetype((size - 1) / 2));
    return QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
}

inline void require(bool rule)
{
    if (!rule)
        std::abort();
}

} // namespace fuzz
