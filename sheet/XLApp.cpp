#include "sheet/XLApp.h"

#include "core/Numbers.h"
#include "sheet/Launcher.h"
#include "sheet/XlsxFile.h"
#include "sheet/XlsxText.h"

#include <algorithm>
#include <cmath>

namespace sheet {

namespace {

// Where an export stands: the operations must come in this order.
enum class Stage { Detached, Connected, BookAdded, BookChosen, SheetChosen, Shown };

constexpr int kMaxTextLength = 32767;
constexpr int kMaxFormulaLength = 8192;
constexpr double kMaxColumnWidth = 255;
constexpr long long kMaxCellsPerCall = 100000; // far beyond any export's layout

XLApp::Opener& installedOpener()
{
    static XLApp::Opener opener;
    return opener;
}

XLApp::Opener& systemOpener()
{
    static XLApp::Opener opener = openInSpreadsheet;
    return opener;
}

bool& recordingByDefault()
{
    static bool on = false;
    return on;
}

QString widthText(double width) { return QString::number(width, 'g', 15); }

void checkWidth(double width)
{
    if (!std::isfinite(width) || width < 0 || width > kMaxColumnWidth)
        throw SheetError(QStringLiteral("Недопустимая ширина столбца %1: ширина задаётся от 0 "
                                        "до 255 знаков")
                             .arg(widthText(width)));
}

void checkAlignment(int alignment)
{
    if (alignment != xlLeft && alignment != xlCenter && alignment != xlRight
        && alignment != kGeneralAlignment)
        throw SheetError(QStringLiteral("Недопустимое выравнивание %1: допустимы xlLeft (-4131), "
                                        "xlCenter (-4108) и xlRight (-4152)")
                             .arg(alignment));
}

// A name as a message shows it: every control character as its escape.
QString shownName(const QString& name)
{
    QString shown = cellTextForFile(name);
    shown.replace('\t', QStringLiteral("_x0009_"));
    shown.replace('\n', QStringLiteral("_x000A_"));
    return shown;
}

void checkSheetName(const QString& name)
{
    static const QString forbidden = QStringLiteral("[]:*?/\\");
    QString why;
    if (name.isEmpty())
        why = QStringLiteral("имя не может быть пустым");
    else if (name.size() > 31)
        why = QStringLiteral("имя длиннее 31 знака");
    else if (std::any_of(name.begin(), name.end(), [](QChar c) { return forbidden.contains(c); }))
        why = QStringLiteral("имя не может содержать знаки [ ] : * ? / \\");
    else if (hasNonNameCharacter(name))
        why = QStringLiteral("имя не может содержать управляющие знаки (коды 0–31), "
                             "знаки U+FFFE и U+FFFF и одиночные половины суррогатных пар");
    else if (name.startsWith('\'') || name.endsWith('\''))
        why = QStringLiteral("имя не может начинаться или заканчиваться апострофом");
    if (!why.isEmpty())
        throw SheetError(
            QStringLiteral("Недопустимое имя листа «%1»: %2").arg(shownName(name), why));
}

void checkSize(const CellRange& range)
{
    const long long count = (long long)(range.lastRow - range.firstRow + 1)
                            * (range.lastColumn - range.firstColumn + 1);
    if (count > kMaxCellsPerCall)
        throw SheetError(
            QStringLiteral("Диапазон %1 слишком велик для одной операции").arg(range.address()));
}

// The text taken as if typed into the cell.
Cell typedContent(const QString& text)
{
    Cell cell;
    cell.text = text;
    // Measured as the file holds it: a control character takes the six more of its escape.
    const qsizetype stored = cellTextForFile(text).size();
    if (stored > kMaxTextLength)
        throw SheetError(
            QStringLiteral("Текст длиной %1 знаков не помещается в ячейку: допускается не более "
                           "32767 знаков в том виде, как их хранит файл (управляющий знак "
                           "занимает в нём семь)")
                .arg(stored));
    if (text.isEmpty()) {
        cell.kind = Cell::Kind::Empty;
    } else if (text.startsWith('\'')) {
        // A typed apostrophe marks what follows as text and is not part of the entry.
        cell.kind = text.size() == 1 ? Cell::Kind::Empty : Cell::Kind::Text;
        cell.text = text.mid(1);
    } else if (text.startsWith('=')) {
        // A formula has no escape for the characters a name cannot hold either.
        if (text.size() == 1 || text.size() > kMaxFormulaLength || !fileCanCarry(text))
            throw SheetError(
                QStringLiteral("Недопустимая формула «%1»").arg(cellTextForFile(text.left(80))));
        cell.kind = Cell::Kind::Formula;
    } else if (const auto number = num::parseDecimal(text)) {
        cell.kind = Cell::Kind::Number;
        cell.number = *number;
    } else {
        cell.kind = Cell::Kind::Text;
    }
    return cell;
}

} // namespace

struct XLApp::State {
    Stage stage = Stage::Detached;
    SheetModel model;
    bool recording = recordingByDefault();
    QStringList calls;
    QString target;
    QString written;

    void record(const QString& operation, const QStringList& arguments = {})
    {
        if (recording)
            calls << operation + '(' + arguments.join(',') + ')';
    }

    void require(Stage needed, const QString& operation) const
    {
        if (stage == Stage::Shown && needed >= Stage::BookChosen)
            throw SheetError(QStringLiteral("Операция %1 отклонена: книга уже передана "
                                            "в приложение электронных таблиц")
                                 .arg(operation));
        if (stage < needed)
            throw SheetError(QStringLiteral("Операция %1 отклонена: сначала %2")
                                 .arg(operation, missingStep(needed)));
    }

    static QString missingStep(Stage needed)
    {
        switch (needed) {
        case Stage::Connected: return QStringLiteral("нужно подключиться к приложению (connect)");
        case Stage::BookAdded: return QStringLiteral("нужно создать книгу (addWorkbook)");
        case Stage::BookChosen: return QStringLiteral("нужно выбрать книгу (newestWorkbook)");
        default: return QStringLiteral("нужно выбрать лист книги (firstWorksheet)");
        }
    }

    // A range that cuts through a merged area cannot be changed as a whole.
    void checkNoPartialMerge(const CellRange& range, const QString& what) const
    {
        for (const CellRange& merge : model.mergesAcross(range))
            if (range.intersects(merge) && !range.contains(merge))
                throw SheetError(QStringLiteral("%1 %2 отклонено: диапазон захватывает часть "
                                                "объединённых ячеек %3")
                                     .arg(what, range.address(), merge.address()));
    }

    template <typename F> void forEachCell(const CellRange& range, F f)
    {
        for (int r = range.firstRow; r <= range.lastRow; ++r)
            for (int c = range.firstColumn; c <= range.lastColumn; ++c)
                f(CellRef{r, c});
    }

    bool hiddenByMerge(const CellRef& ref) const
    {
        const CellRange* merge = model.mergeAt(ref);
        return merge && !(merge->topLeft() == ref);
    }
};

SheetError::SheetError(const QString& message) : std::runtime_error(message.toStdString()) {}

XLApp::XLApp() : m_state(std::make_unique<State>()) {}
XLApp::~XLApp() = default;

void XLApp::connect()
{
    m_state->record(QStringLiteral("connect"));
    if (m_state->stage == Stage::Detached)
        m_state->stage = Stage::Connected;
}

void XLApp::addWorkbook(int templateKind)
{
    m_state->record(QStringLiteral("addWorkbook"), {QString::number(templateKind)});
    m_state->require(Stage::Connected, QStringLiteral("addWorkbook"));
    if (templateKind != xlWBATWorksheet)
        throw SheetError(QStringLiteral("Операция addWorkbook отклонена: поддерживается только "
                                        "шаблон книги с одним листом (xlWBATWorksheet, -4167)"));
    m_state->model = SheetModel{};
    m_state->stage = Stage::BookAdded;
}

void XLApp::newestWorkbook()
{
    m_state->record(QStringLiteral("newestWorkbook"));
    m_state->require(Stage::BookAdded, QStringLiteral("newestWorkbook"));
    if (m_state->stage == Stage::BookAdded)
        m_state->stage = Stage::BookChosen;
}

void XLApp::firstWorksheet()
{
    m_state->record(QStringLiteral("firstWorksheet"));
    m_state->require(Stage::BookChosen, QStringLiteral("firstWorksheet"));
    m_state->stage = Stage::SheetChosen;
}

void XLApp::nameSheet(const QString& name)
{
    m_state->record(QStringLiteral("nameSheet"), {name});
    m_state->require(Stage::SheetChosen, QStringLiteral("nameSheet"));
    checkSheetName(name);
    m_state->model.name = name;
}

void XLApp::setColumnsBold()
{
    m_state->record(QStringLiteral("setColumnsBold"));
    m_state->require(Stage::SheetChosen, QStringLiteral("setColumnsBold"));
    m_state->model.columnsStyle.bold = true;
    for (auto& [key, cell] : m_state->model.cells)
        cell.style.bold = true;
}

void XLApp::alignColumns(int alignment)
{
    m_state->record(QStringLiteral("alignColumns"), {QString::number(alignment)});
    m_state->require(Stage::SheetChosen, QStringLiteral("alignColumns"));
    checkAlignment(alignment);
    m_state->model.columnsStyle.alignment = alignment;
    for (auto& [key, cell] : m_state->model.cells)
        cell.style.alignment = alignment;
}

void XLApp::setColumnsWidth(double width)
{
    m_state->record(QStringLiteral("setColumnsWidth"), {widthText(width)});
    m_state->require(Stage::SheetChosen, QStringLiteral("setColumnsWidth"));
    checkWidth(width);
    m_state->model.columnsWidth = width;
    m_state->model.columnWidths.clear();
}

void XLApp::writeCell(const QString& first, const QString& last, const QString& text)
{
    m_state->record(QStringLiteral("writeCell"), {first, last, text});
    m_state->require(Stage::SheetChosen, QStringLiteral("writeCell"));
    const CellRange range = parseRange(first, last);
    checkSize(range);
    const Cell content = typedContent(text);
    // The top-left cell alone stands for its merged cell, as a typed entry into it does.
    const CellRange* own = range.isSingleCell() ? m_state->model.mergeAt(range.topLeft()) : nullptr;
    if (!(own && own->topLeft() == range.topLeft()))
        m_state->checkNoPartialMerge(range, QStringLiteral("Запись в"));
    m_state->forEachCell(range, [&](const CellRef& ref) {
        if (m_state->hiddenByMerge(ref))
            return;
        Cell& cell = m_state->model.touch(ref);
        const CellStyle style = cell.style;
        cell = content;
        cell.style = style;
    });
}

void XLApp::mergeCells(const QString& first, const QString& last)
{
    m_state->record(QStringLiteral("mergeCells"), {first, last});
    m_state->require(Stage::SheetChosen, QStringLiteral("mergeCells"));
    const CellRange range = parseRange(first, last);
    checkSize(range);
    if (range.isSingleCell())
        return;
    SheetModel& model = m_state->model;
    m_state->checkNoPartialMerge(range, QStringLiteral("Объединение"));
    for (const CellRange& inner : model.mergesAcross(range))
        model.removeMerge(inner); // each lies wholly inside, as just checked
    model.addMerge(range);
    // Only the top-left cell keeps its value; it carries the style of the merged cell.
    model.eraseCells(range, range.topLeft());
}

void XLApp::alignCells(const QString& first, const QString& last, int alignment)
{
    m_state->record(QStringLiteral("alignCells"), {first, last, QString::number(alignment)});
    m_state->require(Stage::SheetChosen, QStringLiteral("alignCells"));
    const CellRange range = parseRange(first, last);
    checkSize(range);
    checkAlignment(alignment);
    m_state->forEachCell(range, [&](const CellRef& ref) {
        const CellRange* merge = m_state->model.mergeAt(ref);
        m_state->model.touch(merge ? merge->topLeft() : ref).style.alignment = alignment;
    });
}

void XLApp::setColumnWidth(const QString& address, double width)
{
    m_state->record(QStringLiteral("setColumnWidth"), {address, widthText(width)});
    m_state->require(Stage::SheetChosen, QStringLiteral("setColumnWidth"));
    const CellRef cell = parseCell(address);
    checkWidth(width);
    m_state->model.columnWidths[cell.column] = width;
}

void XLApp::showApplication()
{
    m_state->record(QStringLiteral("showApplication"));
    if (m_state->stage == Stage::Shown)
        return;
    m_state->require(Stage::BookAdded, QStringLiteral("showApplication"));
    if (!m_state->target.isEmpty()) {
        writeXlsx(m_state->model, m_state->target);
        m_state->written = m_state->target;
        m_state->stage = Stage::Shown;
        return;
    }
    const QString file = writeNewExport(m_state->model, exportStem(m_state->model.name));
    m_state->written = file;
    m_state->stage = Stage::Shown;
    const Opener& opener = installedOpener() ? installedOpener() : systemOpener();
    if (!(opener && opener(file)))
        throw SheetError(QStringLiteral("Не найдено приложение для работы с электронными таблицами "
                                        "(LibreOffice Calc или другое, открывающее файлы .xlsx). "
                                        "Книга сохранена в файле %1")
                             .arg(file));
}

void XLApp::disconnect()
{
    m_state->record(QStringLiteral("disconnect"));
    m_state->stage = Stage::Detached;
}

void XLApp::setTargetFile(const QString& path) { m_state->target = path; }
QString XLApp::writtenFile() const { return m_state->written; }

XLApp::Opener XLApp::setOpener(Opener opener)
{
    return std::exchange(installedOpener(), std::move(opener));
}

void XLApp::replaceSystemOpener(Opener opener) { systemOpener() = std::move(opener); }

QStringList XLApp::recordedCalls() const { return m_state->calls; }
void XLApp::setRecording(bool on) { m_state->recording = on; }
void XLApp::setRecordingByDefault(bool on) { recordingByDefault() = on; }
const SheetModel& XLApp::model() const { return m_state->model; }

} // namespace sheet
