// The read-back of a written workbook: any bytes are judged sound or damaged without a crash, a
// read out of bounds or an allocation beyond what the entry can hold.
#include "fuzz/FuzzSupport.h"
#include "sheet/XlsxCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<QString> fault = sheet::packageFaultIn(fuzz::bytes(data, size));
    if (fault)
        fuzz::require(!fault->isEmpty());
    return 0;
}
