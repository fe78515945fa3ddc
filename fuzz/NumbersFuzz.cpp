// Number texts: any text parses or is refused without a fault; any finite double prints in the
// general and fixed forms, and the general form reads back as the same value to its 15 digits
// (except the few largest doubles, which round up beyond the range of a double).
#include "core/Numbers.h"
#include "fuzz/FuzzSupport.h"

#include <cmath>
#include <cstring>

namespace {

void checkPrinted(double value)
{
    for (const QChar separator : {QChar(','), QChar('.')}) {
        const QString general = num::general(value, separator);
        if (!std::isfinite(value))
            continue;
        const auto back = num::parseDecimal(general, separator);
        // Only the very largest doubles round up past the range in 15 digits.
        fuzz::require(back.has_value() || std::fabs(value) > 1.7976931348623e308);
        if (back)
            fuzz::require(*back == value || std::fabs(*back - value) <= 1e-14 * std::fabs(value));
        for (int decimals = 0; decimals <= 3; ++decimals)
            fuzz::require(!num::fixed(value, decimals, separator).isEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzz::text(data, size);
    for (const QChar separator : {QChar(','), QChar('.')})
        if (const auto value = num::parseDecimal(text, separator)) {
            fuzz::require(std::isfinite(*value));
            checkPrinted(*value);
        }
    num::parseInteger(text);
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        checkPrinted(raw);
    }
    return 0;
}
