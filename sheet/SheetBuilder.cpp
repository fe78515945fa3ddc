#include "sheet/SheetBuilder.h"

#include "core/Numbers.h"
#include "sheet/XlsxText.h"

#include <algorithm>
#include <cmath>

namespace sheet {

namespace {

constexpr int kMaxTextLength = 32767;
constexpr int kMaxFormulaLength = 8192;
constexpr double kMaxColumnWidth = 255;
constexpr long long kMaxCellsPerCall = 100000; // far beyond any export's layout

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

// The text taken as if typed into the cell; with `formulasAsText`, one that would be a formula
// is a text cell.
Cell typedContent(const QString& text, bool formulasAsText)
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
    } else if (text.startsWith('=') && !formulasAsText) {
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

template <typename F> void forEachCell(const CellRange& range, F f)
{
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int c = range.firstColumn; c <= range.lastColumn; ++c)
            f(CellRef{r, c});
}

} // namespace

QString widthText(double width) { return QString::number(width, 'g', 15); }

SheetError::SheetError(const QString& message) : std::runtime_error(message.toStdString()) {}

void SheetBuilder::require(Stage needed, const QString& operation) const
{
    if (m_stage == Stage::Shown && needed >= Stage::BookChosen)
        throw SheetError(QStringLiteral("Операция %1 отклонена: книга уже передана "
                                        "в приложение электронных таблиц")
                             .arg(operation));
    if (m_stage < needed)
        throw SheetError(QStringLiteral("Операция %1 отклонена: сначала %2")
                             .arg(operation, missingStep(needed)));
}

QString SheetBuilder::missingStep(Stage needed)
{
    switch (needed) {
    case Stage::Connected: return QStringLiteral("нужно подключиться к приложению (connect)");
    case Stage::BookAdded: return QStringLiteral("нужно создать книгу (addWorkbook)");
    case Stage::BookChosen: return QStringLiteral("нужно выбрать книгу (newestWorkbook)");
    default: return QStringLiteral("нужно выбрать лист книги (firstWorksheet)");
    }
}

// A range that cuts through a merged area cannot be changed as a whole.
void SheetBuilder::checkNoPartialMerge(const CellRange& range, const QString& what) const
{
    for (const CellRange& merge : m_model.mergesAcross(range))
        if (range.intersects(merge) && !range.contains(merge))
            throw SheetError(QStringLiteral("%1 %2 отклонено: диапазон захватывает часть "
                                            "объединённых ячеек %3")
                                 .arg(what, range.address(), merge.address()));
}

bool SheetBuilder::hiddenByMerge(const CellRef& ref) const
{
    const CellRange* merge = m_model.mergeAt(ref);
    return merge && !(merge->topLeft() == ref);
}

void SheetBuilder::connect()
{
    if (m_stage == Stage::Detached)
        m_stage = Stage::Connected;
}

void SheetBuilder::addWorkbook(int templateKind)
{
    require(Stage::Connected, QStringLiteral("addWorkbook"));
    if (templateKind != xlWBATWorksheet)
        throw SheetError(QStringLiteral("Операция addWorkbook отклонена: поддерживается только "
                                        "шаблон книги с одним листом (xlWBATWorksheet, -4167)"));
    m_model = SheetModel{};
    m_stage = Stage::BookAdded;
}

void SheetBuilder::newestWorkbook()
{
    require(Stage::BookAdded, QStringLiteral("newestWorkbook"));
    if (m_stage == Stage::BookAdded)
        m_stage = Stage::BookChosen;
}

void SheetBuilder::firstWorksheet()
{
    require(Stage::BookChosen, QStringLiteral("firstWorksheet"));
    m_stage = Stage::SheetChosen;
}

void SheetBuilder::nameSheet(const QString& name)
{
    require(Stage::SheetChosen, QStringLiteral("nameSheet"));
    checkSheetName(name);
    m_model.name = name;
}

void SheetBuilder::setColumnsBold()
{
    require(Stage::SheetChosen, QStringLiteral("setColumnsBold"));
    m_model.columnsStyle.bold = true;
    for (auto& [key, cell] : m_model.cells)
        cell.style.bold = true;
}

void SheetBuilder::alignColumns(int alignment)
{
    require(Stage::SheetChosen, QStringLiteral("alignColumns"));
    checkAlignment(alignment);
    m_model.columnsStyle.alignment = alignment;
    for (auto& [key, cell] : m_model.cells)
        cell.style.alignment = alignment;
}

void SheetBuilder::setColumnsWidth(double width)
{
    require(Stage::SheetChosen, QStringLiteral("setColumnsWidth"));
    checkWidth(width);
    m_model.columnsWidth = width;
    m_model.columnWidths.clear();
}

void SheetBuilder::keepFormulasAsText(bool keep) { m_formulasAsText = keep; }

void SheetBuilder::writeCell(const QString& first, const QString& last, const QString& text)
{
    require(Stage::SheetChosen, QStringLiteral("writeCell"));
    const CellRange range = parseRange(first, last);
    checkSize(range);
    const Cell content = typedContent(text, m_formulasAsText);
    // The top-left cell alone stands for its merged cell, as a typed entry into it does.
    const CellRange* own = range.isSingleCell() ? m_model.mergeAt(range.topLeft()) : nullptr;
    if (!(own && own->topLeft() == range.topLeft()))
        checkNoPartialMerge(range, QStringLiteral("Запись в"));
    forEachCell(range, [&](const CellRef& ref) {
        if (hiddenByMerge(ref))
            return;
        Cell& cell = m_model.touch(ref);
        const CellStyle style = cell.style;
        cell = content;
        cell.style = style;
    });
}

void SheetBuilder::mergeCells(const QString& first, const QString& last)
{
    require(Stage::SheetChosen, QStringLiteral("mergeCells"));
    const CellRange range = parseRange(first, last);
    checkSize(range);
    if (range.isSingleCell())
        return;
    SheetModel& model = m_model;
    checkNoPartialMerge(range, QStringLiteral("Объединение"));
    for (const CellRange& inner : model.mergesAcross(range))
        model.removeMerge(inner); // each lies wholly inside, as just checked
    model.addMerge(range);
    // Only the top-left cell keeps its value; it carries the style of the merged cell.
    model.eraseCells(range, range.topLeft());
}

void SheetBuilder::alignCells(const QString& first, const QString& last, int alignment)
{
    require(Stage::SheetChosen, QStringLiteral("alignCells"));
    const CellRange range = parseRange(first, last);
    checkSize(range);
    checkAlignment(alignment);
    forEachCell(range, [&](const CellRef& ref) {
        const CellRange* merge = m_model.mergeAt(ref);
        m_model.touch(merge ? merge->topLeft() : ref).style.alignment = alignment;
    });
}

void SheetBuilder::setColumnWidth(const QString& address, double width)
{
    require(Stage::SheetChosen, QStringLiteral("setColumnWidth"));
    const CellRef cell = parseCell(address);
    checkWidth(width);
    m_model.columnWidths[cell.column] = width;
}

void SheetBuilder::wrapCells(const QString& first, const QString& last)
{
    require(Stage::SheetChosen, QStringLiteral("wrapCells"));
    const CellRange range = parseRange(first, last);
    checkSize(range);
    forEachCell(range, [&](const CellRef& ref) {
        const CellRange* merge = m_model.mergeAt(ref);
        m_model.touch(merge ? merge->topLeft() : ref).style.wrap = true;
    });
}

void SheetBuilder::disconnect() { m_stage = Stage::Detached; }

bool SheetBuilder::readyToHandOver() const
{
    if (m_stage == Stage::Shown)
        return false;
    require(Stage::BookAdded, QStringLiteral("showApplication"));
    return true;
}

void SheetBuilder::handedOver() { m_stage = Stage::Shown; }

} // namespace sheet
