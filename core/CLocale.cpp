#include "core/CLocale.h"

namespace clocale {

locale_t c()
{
    static const locale_t l = newlocale(LC_ALL_MASK, "C", nullptr);
    return l;
}

CNumericScope::CNumericScope()
{
    // A copy of the thread's locale (the global one unless the thread set its own), with only
    // the numeric category replaced.
    const locale_t base = duplocale(uselocale(nullptr));
    if (base)
        m_scoped = newlocale(LC_NUMERIC_MASK, "C", base);
    if (!m_scoped) {
        if (base)
            freelocale(base);
        // Without memory for a copy, the whole C locale still gives the file's syntax.
        m_previous = uselocale(c());
        return;
    }
    m_previous = uselocale(m_scoped);
}

CNumericScope::~CNumericScope()
{
    uselocale(m_previous);
    if (m_scoped)
        freelocale(m_scoped);
}

} // namespace clocale
