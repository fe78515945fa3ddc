#pragma once
// The assessment report: its header, the echo of the inputs, and the order in which a run
// writes the sections for heating, hot water or both, ending with the common payback of the
// combined choice. The window and the command-line tool write the same lines from here.
// Depends on Qt Core and the checked arithmetic only.

#include "assessment/AssessmentInputs.h"
#include "assessment/Savings.h"

#include <QStringList>

namespace assessment {

// Title, system, object and price texts as given, and an empty line.
QStringList reportHeader(SystemChoice choice, const QString& objectText, const QString& priceText);

// The input echo and the calculation title that open the computed part of the report.
QStringList inputEcho(const AssessmentInputs& in, SystemChoice choice);

// "ОБЩИЙ ИТОГ.", the common payback of both systems and an empty line.
ReportPart combinedTotal(const AssessmentInputs& in, double heatingSaving, double hotWaterSaving);

// Everything a run writes after the header for a choice other than None: the echo, the
// sections and, for both systems, the common total. Stops at the first fault.
ReportPart assessmentBody(const AssessmentInputs& in, SystemChoice choice);

} // namespace assessment
