#pragma once
// The worksheet as the spreadsheet operations of an export build it in memory. The
// builder keeps the order the operations must come in (connect, addWorkbook, newestWorkbook,
// firstWorksheet, then the sheet's own operations) and refuses, with SheetError and a clear
// message, what the spreadsheet application would refuse: a bad address, name, width,
// alignment, formula or text, a range that cuts a merged area, an operation out of order or
// after the book was handed over. Writing and opening the workbook are not its business
// (sheet/XLApp.h). Depends on Qt Core only.

#include "sheet/SheetModel.h"

#include <QString>
#include <stdexcept>

namespace sheet {

enum XlHAlign { xlLeft = -4131, xlCenter = -4108, xlRight = -4152 };
constexpr int xlWBATWorksheet = -4167;

class SheetError : public std::runtime_error {
public:
    explicit SheetError(const QString& message);
};

// A column width as the messages and the log of operations write it.
QString widthText(double width);

class SheetBuilder {
public:
    void connect();
    void addWorkbook(int templateKind);
    void newestWorkbook();
    void firstWorksheet();
    void nameSheet(const QString& name);
    void setColumnsBold();
    void alignColumns(int alignment);
    void setColumnsWidth(double width);
    // The text is taken as typed input: a number under the regional settings becomes a number,
    // a text beginning with "=" a formula, anything else stays text.
    void writeCell(const QString& first, const QString& last, const QString& text);
    // See XLApp::keepFormulasAsText.
    void keepFormulasAsText(bool keep);
    void mergeCells(const QString& first, const QString& last);
    void alignCells(const QString& first, const QString& last, int alignment);
    void setColumnWidth(const QString& address, double width);
    void wrapCells(const QString& first, const QString& last);
    void disconnect();

    // Whether the book is still to be handed over: false once it was; SheetError before a book
    // was added.
    bool readyToHandOver() const;
    // The book has been handed over: the sheet's operations are refused from now on.
    void handedOver();

    const SheetModel& model() const { return m_model; }

private:
    // Where an export stands: the operations must come in this order.
    enum class Stage { Detached, Connected, BookAdded, BookChosen, SheetChosen, Shown };

    void require(Stage needed, const QString& operation) const;
    static QString missingStep(Stage needed);
    void checkNoPartialMerge(const CellRange& range, const QString& what) const;
    bool hiddenByMerge(const CellRef& ref) const;

    Stage m_stage = Stage::Detached;
    SheetModel m_model;
    bool m_formulasAsText = false;
};

} // namespace sheet
