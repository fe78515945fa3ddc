#pragma once
// The substation's page of the calculation sheet, "Распределение располагаемого напора и расчёт
// дроссельных устройств": the scheme and its inputs, each formula of the pressure budget with its
// numbers and result, the notes on the orifice plates and on the first device's cavitation, the
// piezometric chart, the table of the elements, the budget's checks and the conclusion.
// Depends on Qt Gui (the chart's image), the substation library and the sheet's shared pieces.
// No Widgets.

#include "calcsheet/CalculationSheet.h"
#include "calcsheet/SheetSteps.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

namespace calcsheet {

// The page's title.
QString substationPageTitle();

// The steps of the budget in the order it computes them; each computed step recomputes, as
// printed, to its printed result.
std::vector<WrittenStep> substationSteps(const SubstationSheet& sheet);

// The page as rich text, starting on a page of its own when `newPage`; its chart is the image
// resource kPiezometricChart of the document.
QString substationHtml(const SubstationSheet& sheet, bool newPage);

inline constexpr const char* kPiezometricChart = "substation-piezometric";
inline constexpr double kPiezometricChartHeightMm = 80;

// The piezometric chart painted from substation::stepPoints: the pressure along the flow as
// steps, each element's drop labelled, the regulator's set point marked.
QImage piezometricChart(const SubstationSheet& sheet, QSize pixels, int dotsPerInch);

} // namespace calcsheet
