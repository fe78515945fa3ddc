#pragma once
// The spreadsheet server component of an exporting window. It offers the fourteen spreadsheet
// operations that every export uses, builds the workbook in memory, and on showApplication
// writes it as an .xlsx file and opens it in the user's spreadsheet application as a new,
// untitled document. An operation that the spreadsheet would refuse throws SheetError with a
// clear message; the export stops there.
// Depends on Qt Core and libxlsxwriter only.

#include "sheet/SheetModel.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>

namespace sheet {

enum XlHAlign { xlLeft = -4131, xlCenter = -4108, xlRight = -4152 };
constexpr int xlWBATWorksheet = -4167;

class SheetError : public std::runtime_error {
public:
    explicit SheetError(const QString& message);
};

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
    void mergeCells(const QString& first, const QString& last);
    void alignCells(const QString& first, const QString& last, int alignment);
    void setColumnWidth(const QString& address, double width);
    void showApplication();
    void disconnect();

    // Where showApplication writes the workbook. Unset: a new file in this user's private
    // folder of unsaved workbooks (sheet/Launcher.h), then opened in the spreadsheet
    // application. Set (the command-line tool, tests): exactly that file, replaced the way an
    // office suite saves (core/SafeFile.h), or standard output for "-"; nothing is opened.
    void setTargetFile(const QString& path);
    // The file that the last showApplication wrote.
    QString writtenFile() const;

    // Replaces the step that opens a written file (tests never start a real application).
    // The opener returns false when nothing could open the file.
    using Opener = std::function<bool(const QString& file)>;
    static Opener setOpener(Opener opener);
    // Replaces, for the whole process, the step used when no opener is set: normally the real
    // spreadsheet application. The shared test set-up puts a stand-in here, so that no test
    // can start a real application, even one that clears its own opener.
    static void replaceSystemOpener(Opener opener);

    // Every operation called on this component, in order, one line each with its arguments,
    // e.g. "writeCell(A1,A1,Подбор ЭЖ)", while recording is on. Kept over the component's life:
    // several exports of one window follow each other. Off in the program, so that the log
    // does not grow with every export; tests turn it on.
    QStringList recordedCalls() const;
    void setRecording(bool on);
    // Whether components made from now on record their calls (the shared test set-up).
    static void setRecordingByDefault(bool on);

    // The worksheet as the operations have built it so far (the last export's, after it).
    const sheet::SheetModel& model() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace sheet
