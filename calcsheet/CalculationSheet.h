#pragma once
// The calculation sheet ("Расчётный лист") of a selection: the plant's header, the date and the
// kind, the inputs as typed and as converted, each formula of the sizing method with its numbers
// and result, the offered models, the engineering checks and the signature block, laid out on
// one A4 page of a PDF document with real, embedded-font text.
// Depends on Qt Gui (the PDF writer; a QGuiApplication must exist), the selection library and
// the engineering checks; the season's page, its charts painted from the season's series; the
// substation's page.
// No Widgets.

#include "checks/Checks.h"
#include "core/Failure.h"
#include "season/Season.h"
#include "selection/SelectionRun.h"
#include "selection/SizingRequest.h"
#include "substation/Substation.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

namespace calcsheet {

// The heating season of the selection, for a page of its own.
struct SeasonSheet {
    season::Schedule schedule;
    std::optional<season::Cut> cut; // in force
    std::vector<season::Point> points;
};

// The substation's pressure budget, for a page of its own: the request and options it was
// computed on, and what it gave.
struct SubstationSheet {
    selection::SizingRequest request;
    substation::Options options;
    substation::Budget budget;
    // false: the sheet holds its title block, this page and the signatures alone, without the
    // selection's pages (the budget sizes its devices on drops of its own).
    bool withSelection = true;
};

struct SheetData {
    selection::TypedTexts typed; // the inputs as typed, also when they did not read
    selection::SelectionRun run;
    std::vector<checks::Check> checks;
    QDateTime when;
    QString objectName; // the object the selection is for, in the title block; may be empty
    // With a design outdoor temperature given: the page "Работа в течение отопительного сезона".
    std::optional<SeasonSheet> season = std::nullopt;
    // With the substation's window open: the page "Распределение располагаемого напора и расчёт
    // дроссельных устройств".
    std::optional<SubstationSheet> substation = std::nullopt;
};

// What the sheet takes for granted, one statement a line, as the sheet and `--json --steps`
// state them.
QStringList assumptions();

// The sheet's last line: "Все проверки пройдены", "Есть предупреждения: …" or "Не пройдены
// проверки: …", naming the checks; empty without checks.
QString conclusion(const std::vector<checks::Check>& found);

// The longest input shown on the sheet as typed; a longer one is cut and the sheet says so.
inline constexpr int kLongestShownInput = 40;
// The longest object name shown in the title block; a longer one is cut the same way.
inline constexpr int kLongestShownObject = 200;

// The sheet's content as rich text (what the PDF shows), without the page numbers, which the
// PDF writes at the foot of every page ("Лист N / Листов M").
QString sheetHtml(const SheetData& data);

// The PDF document of the sheet.
vedan::Outcome<QByteArray> renderPdf(const SheetData& data);

} // namespace calcsheet
