#pragma once
// The heating and hot-water savings of an assessment: the report section of each system and
// the heat it saves a year. A section that meets an arithmetic fault stops there and returns
// the lines written before it together with the fault.
// Depends on Qt Core and the checked arithmetic only.

#include "assessment/AssessmentInputs.h"
#include "core/Checked.h"
#include "core/Failure.h"

#include <QStringList>
#include <optional>

namespace assessment {

struct ReportPart {
    QStringList lines;
    double heatSaving = 0;                 // Gcal a year
    std::optional<vedan::Failure> failure; // an arithmetic fault, in the error report's words

    bool ok() const { return !failure; }
};

// The heating section. Its own payback line is written only for the heating choice.
ReportPart heatingSavings(const AssessmentInputs& in, SystemChoice choice);
// The hot-water section. Its own payback line is written only for the hot-water choice.
ReportPart hotWaterSavings(const AssessmentInputs& in, SystemChoice choice);

} // namespace assessment
