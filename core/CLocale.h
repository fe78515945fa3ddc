#pragma once
// Numbers in the syntax of file formats (a point before the fraction, no grouping), whatever
// the user's locale says. The program's own texts follow the regional settings
// (core/Regional.h); the C library's printf and strtod follow the locale of the process, and
// under ru_RU.UTF-8 they would write "0,5" into a file format that only reads "0.5".
// Depends on the C library only.

#include <locale.h>

namespace clocale {

// The C locale, for the *_l functions (strtod_l, strerror_l).
locale_t c();

// While it lives, the calling thread formats and reads numbers as the C locale does (the
// other categories of the thread's locale stay as they were). Everything a third-party
// writer prints inside that time, up to its closing call, is then in the file's own syntax.
class CNumericScope {
public:
    CNumericScope();
    ~CNumericScope();
    CNumericScope(const CNumericScope&) = delete;
    CNumericScope& operator=(const CNumericScope&) = delete;

private:
    locale_t m_scoped = nullptr;
    locale_t m_previous = nullptr;
};

} // namespace clocale
