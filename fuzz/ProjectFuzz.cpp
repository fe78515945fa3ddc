// The project reader on any bytes: a project is read or refused with a message; one that is read
// is written again, and what is written reads back to the same fields.
#include "fuzz/FuzzSupport.h"
#include "project/Project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const vedan::Outcome<project::Project> read = project::parseProject(fuzz::bytes(data, size));
    if (read.failure) {
        fuzz::require(!read.failure->message.isEmpty());
        return 0;
    }
    const vedan::Outcome<QByteArray> written =
        project::projectBytes(read.value, QStringLiteral("fuzz"));
    fuzz::require(!written.failure);
    const vedan::Outcome<project::Project> again = project::parseProject(written.value);
    fuzz::require(!again.failure);
    fuzz::require(again.value.kind == read.value.kind && again.value.object == read.value.object
                  && again.value.note == read.value.note && again.value.inputs == read.value.inputs
                  && again.value.season == read.value.season
                  && again.value.substation == read.value.substation);
    return 0;
}
