#include "sheet/XLApp.h"

#include "core/Desktop.h"
#include "core/Failure.h"
#include "sheet/Launcher.h"
#include "sheet/Opener.h"
#include "sheet/XlsxFile.h"

#include <utility>

namespace sheet {

namespace {

XLApp::CallObserver*& callObserver()
{
    static XLApp::CallObserver* observer = nullptr;
    return observer;
}

} // namespace

XLApp::XLApp() = default;

XLApp::~XLApp()
{
    if (callObserver())
        callObserver()->ended(*this);
}

XLApp::CallObserver* XLApp::setCallObserver(CallObserver* observer)
{
    return std::exchange(callObserver(), observer);
}

void XLApp::observe(const QString& operation, const QStringList& arguments) const
{
    if (callObserver())
        callObserver()->called(*this, operation + '(' + arguments.join(',') + ')');
}

void XLApp::connect()
{
    observe(QStringLiteral("connect"));
    m_builder.connect();
}

void XLApp::addWorkbook(int templateKind)
{
    observe(QStringLiteral("addWorkbook"), {QString::number(templateKind)});
    m_builder.addWorkbook(templateKind);
}

void XLApp::newestWorkbook()
{
    observe(QStringLiteral("newestWorkbook"));
    m_builder.newestWorkbook();
}

void XLApp::firstWorksheet()
{
    observe(QStringLiteral("firstWorksheet"));
    m_builder.firstWorksheet();
}

void XLApp::nameSheet(const QString& name)
{
    observe(QStringLiteral("nameSheet"), {name});
    m_builder.nameSheet(name);
}

void XLApp::setColumnsBold()
{
    observe(QStringLiteral("setColumnsBold"));
    m_builder.setColumnsBold();
}

void XLApp::alignColumns(int alignment)
{
    observe(QStringLiteral("alignColumns"), {QString::number(alignment)});
    m_builder.alignColumns(alignment);
}

void XLApp::setColumnsWidth(double width)
{
    observe(QStringLiteral("setColumnsWidth"), {widthText(width)});
    m_builder.setColumnsWidth(width);
}

void XLApp::writeCell(const QString& first, const QString& last, const QString& text)
{
    observe(QStringLiteral("writeCell"), {first, last, text});
    m_builder.writeCell(first, last, text);
}

void XLApp::keepFormulasAsText(bool keep) { m_builder.keepFormulasAsText(keep); }

void XLApp::mergeCells(const QString& first, const QString& last)
{
    observe(QStringLiteral("mergeCells"), {first, last});
    m_builder.mergeCells(first, last);
}

void XLApp::alignCells(const QString& first, const QString& last, int alignment)
{
    observe(QStringLiteral("alignCells"), {first, last, QString::number(alignment)});
    m_builder.alignCells(first, last, alignment);
}

void XLApp::setColumnWidth(const QString& address, double width)
{
    observe(QStringLiteral("setColumnWidth"), {address, widthText(width)});
    m_builder.setColumnWidth(address, width);
}

void XLApp::wrapCells(const QString& first, const QString& last)
{
    observe(QStringLiteral("wrapCells"), {first, last});
    m_builder.wrapCells(first, last);
}

void XLApp::showApplication()
{
    observe(QStringLiteral("showApplication"));
    if (!m_builder.readyToHandOver())
        return;
    if (!m_target.isEmpty()) {
        writeXlsx(m_builder.model(), m_target);
        m_written = m_target;
        m_builder.handedOver();
        return;
    }
    const QString file = writeNewExport(m_builder.model(), exportStem(m_builder.model().name));
    m_written = file;
    m_builder.handedOver();
    // The export ends here; an application that cannot open the book is told later, with the
    // file's whole path, so that the user can find the book.
    openWorkbook(file, [file](const QString& reason) {
        desktop::report(vedan::Failure::file(
            QStringLiteral("Книга записана в файл %1, но открыть её не удалось: %2")
                .arg(file, reason)));
    });
}

void XLApp::disconnect()
{
    observe(QStringLiteral("disconnect"));
    m_builder.disconnect();
}

void XLApp::setTargetFile(const QString& path) { m_target = path; }
QString XLApp::writtenFile() const { return m_written; }
const SheetModel& XLApp::model() const { return m_builder.model(); }

} // namespace sheet
