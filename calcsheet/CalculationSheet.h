#pragma once
// The calculation sheet ("Расчётный лист") of a selection: the plant's header, the date and the
// kind, the inputs as typed and as converted, each formula of the sizing method with its numbers
// and result, the offered models, the engineering checks and the signature block, laid out on
// one A4 page of a PDF document with real, embedded-font text.
// Depends on Qt Gui (the PDF writer; a QGuiApplication must exist), the selection library and
// the engineering checks. No Widgets.

#include "checks/Checks.h"
#include "core/Failure.h"
#include "selection/SelectionRun.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

namespace calcsheet {

struct SheetData {
    selection::SelectionForm form;
    selection::SelectionRun run;
    std::vector<checks::Check> checks;
    QDateTime when;
};

// The sheet's content as rich text (what the PDF shows).
QString sheetHtml(const SheetData& data);

// The PDF document of the sheet.
vedan::Outcome<QByteArray> renderPdf(const SheetData& data);

} // namespace calcsheet
