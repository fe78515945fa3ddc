#pragma once
// The spreadsheet server component of an exporting window. It offers the fourteen spreadsheet
// operations that every export uses, and wrapCells beside them: the sheet's operations build
// the workbook in memory (sheet/SheetBuilder.h), and showApplication writes it as an .xlsx file
// (sheet/XlsxFile.h) and opens it in the user's spreadsheet application as a new, untitled
// document (sheet/Opener.h), without waiting for it: an application that cannot open the file is
// told later, through the report of failed openings (core/Desktop.h), with the file's whole path.
// An operation that the spreadsheet would refuse throws SheetError with a clear message; the
// export stops there.
// Depends on Qt Core, core and the sheet's builder, writer and opener only.

#include "sheet/SheetBuilder.h"

#include <QString>
#include <QStringList>

namespace sheet {

class XLApp {
public:
    XLApp();
    ~XLApp();
    XLApp(const XLApp&) = delete;
    XLApp& operator=(const XLApp&) = delete;

    void connect();
    void addWorkbook(int templateKind = xlWBATWorksheet);
    void newestWorkbook();
    void firstWorksheet();
    void nameSheet(const QString& name);
    void setColumnsBold();
    void alignColumns(int alignment);
    void setColumnsWidth(double width);
    // The text is taken as typed input: a number under the regional settings becomes a number,
    // a text beginning with "=" a formula, anything else stays text.
    void writeCell(const QString& first, const QString& last, const QString& text);
    // For texts read from files rather than typed (the command-line tool's answers and
    // templates): a text that would be a formula is written as a text cell, as it stands;
    // numbers still become numbers. Off by default: a typed "=" makes a formula in the windows.
    void keepFormulasAsText(bool keep);
    void mergeCells(const QString& first, const QString& last);
    void alignCells(const QString& first, const QString& last, int alignment);
    void setColumnWidth(const QString& address, double width);
    // Sets WrapText of the range: a text wider than its cell goes on to further lines inside it.
    // The written file gives a row whose wrapped text needs more than one line the height of
    // those lines (sheet/TextFit.h), since spreadsheet applications do not grow a row for a
    // merged cell themselves. Nothing else changes: the cell's text, value and width stay.
    void wrapCells(const QString& first, const QString& last);
    void showApplication();
    void disconnect();

    // Where showApplication writes the workbook. Unset: a new file in this user's private
    // folder of unsaved workbooks (sheet/Launcher.h), then opened in the spreadsheet
    // application. Set (the command-line tool, tests): exactly that file, replaced the way an
    // office suite saves (core/SafeFile.h), or standard output for "-"; nothing is opened.
    void setTargetFile(const QString& path);
    // The file that the last showApplication wrote.
    QString writtenFile() const;

    // The worksheet as the operations have built it so far (the last export's, after it).
    const sheet::SheetModel& model() const;

    // Sees every operation called on every component, one line each with its arguments, e.g.
    // "writeCell(A1,A1,Подбор ЭЖ)": the tests keep a log of them. None in the program.
    class CallObserver {
    public:
        virtual ~CallObserver() = default;
        virtual void called(const XLApp& app, const QString& call) = 0;
        virtual void ended(const XLApp& app) = 0;
    };
    // Replaces the observer for the whole process; returns the one it replaced.
    static CallObserver* setCallObserver(CallObserver* observer);

private:
    void observe(const QString& operation, const QStringList& arguments = {}) const;

    SheetBuilder m_builder;
    QString m_target;
    QString m_written;
};

} // namespace sheet
