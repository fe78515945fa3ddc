#include "SelectionReport.h"

// Placeholder until the report lands.
void writeSelectionReport(XLApp&, const SelectionReportData&) {}
