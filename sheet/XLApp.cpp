#include "XLApp.h"

// Placeholder until the spreadsheet layer lands.
struct XLApp::State {
    QStringList calls;
    QString target;
    QString written;
};

SheetError::SheetError(const QString& message) : std::runtime_error(message.toStdString()) {}

XLApp::XLApp() : m_state(new State) {}
XLApp::~XLApp() { delete m_state; }
void XLApp::connect() {}
void XLApp::addWorkbook(int) {}
void XLApp::newestWorkbook() {}
void XLApp::firstWorksheet() {}
void XLApp::nameSheet(const QString&) {}
void XLApp::setColumnsBold() {}
void XLApp::alignColumns(int) {}
void XLApp::setColumnsWidth(double) {}
void XLApp::writeCell(const QString&, const QString&, const QString&) {}
void XLApp::mergeCells(const QString&, const QString&) {}
void XLApp::alignCells(const QString&, const QString&, int) {}
void XLApp::setColumnWidth(const QString&, double) {}
void XLApp::showApplication() {}
void XLApp::disconnect() {}
void XLApp::setTargetFile(const QString& path) { m_state->target = path; }
QString XLApp::writtenFile() const { return m_state->written; }
XLApp::Opener XLApp::setOpener(Opener) { return {}; }
QStringList XLApp::recordedCalls() const { return m_state->calls; }
