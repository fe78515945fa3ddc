#include "sheet/XlsxFile.h"

#include "core/CLocale.h"
#include "core/Numbers.h"
#include "core/SafeFile.h"
#include "core/SystemReasons.h"
#include "sheet/TextFit.h"
#include "sheet/XLApp.h"
#include "sheet/XlsxCheck.h"
#include "sheet/XlsxText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <unistd.h>
#include <xlsxwriter.h>

namespace sheet {

namespace {

[[noreturn]] void refuseWrite(const QString& path, const QString& why)
{
    throw SheetError(QStringLiteral("Не удалось записать книгу в файл %1: %2").arg(path, why));
}

// The writer library's failure in Russian; a failed file operation with the system's reason.
QString lxwReason(lxw_error error, int systemError)
{
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED: return QStringLiteral("недостаточно памяти");
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return systemError ? QStringLiteral("ошибка записи: ") + systemreason::ofError(systemError)
                           : QStringLiteral("ошибка записи файла");
    default: return QStringLiteral("библиотека записи книг отказала (код %1)").arg(int(error));
    }
}

void check(lxw_error error, const QString& path)
{
    if (error != LXW_NO_ERROR)
        refuseWrite(path, lxwReason(error, errno));
}

// The writer library prints its own English lines ("[ERROR] ...") to standard error; the user
// reads the Russian message instead, so they go nowhere while a workbook is written.
class QuietStandardError {
public:
    QuietStandardError()
    {
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (m_saved >= 0) {
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int m_saved = -1;
};

uint8_t horizontal(int alignment)
{
    switch (alignment) {
    case xlLeft: return LXW_ALIGN_LEFT;
    case xlCenter: return LXW_ALIGN_CENTER;
    case xlRight: return LXW_ALIGN_RIGHT;
    default: return LXW_ALIGN_NONE;
    }
}

// One format object per distinct style; the plain style needs none.
class Formats {
public:
    explicit Formats(lxw_workbook* book) : m_book(book) {}
    lxw_format* operator()(const CellStyle& style)
    {
        if (style == CellStyle{})
            return nullptr;
        auto [it, inserted] = m_formats.try_emplace(style, nullptr);
        if (inserted) {
            it->second = workbook_add_format(m_book);
            if (style.bold)
                format_set_bold(it->second);
            if (horizontal(style.alignment) != LXW_ALIGN_NONE)
                format_set_align(it->second, horizontal(style.alignment));
            if (style.wrap)
                format_set_text_wrap(it->second);
        }
        return it->second;
    }

private:
    lxw_workbook* m_book;
    std::map<CellStyle, lxw_format*> m_formats;
};

class SheetWriter {
public:
    SheetWriter(const SheetModel& model, lxw_workbook* book, lxw_worksheet* ws, const QString& path)
        : m_model(model), m_formats(book), m_ws(ws), m_path(path)
    {}

    void write()
    {
        writeColumns();
        for (const auto& [key, cell] : m_model.cells)
            if (!isHiddenByMerge({key.first, key.second}))
                writeCell(key.first - 1, key.second - 1, cell);
        for (const CellRange& merge : m_model.merges)
            writeMerge(merge);
        setWrappedRowHeights();
        setPrintLayout();
    }

private:
    // A row whose wrapped text needs more lines than one gets the height of its tallest such
    // text; every other row keeps the standard height. A merged cell over several rows leaves
    // them as they are.
    void setWrappedRowHeights()
    {
        std::map<int, int> lines; // row -> lines
        for (const auto& [key, cell] : m_model.cells) {
            if (!cell.style.wrap || cell.kind != Cell::Kind::Text)
                continue;
            const CellRef ref{key.first, key.second};
            const CellRange* merge = m_model.mergeAt(ref);
            const CellRange area =
                merge ? *merge : CellRange{ref.row, ref.column, ref.row, ref.column};
            if (!(area.topLeft() == ref) || area.firstRow != area.lastRow)
                continue;
            double width = 0;
            for (int column = area.firstColumn; column <= area.lastColumn; ++column)
                width += m_model.columnWidth(column);
            const int needed =
                wrappedLines(cell.text, width, area.lastColumn - area.firstColumn + 1);
            if (needed > 1)
                lines[ref.row] = std::max(lines[ref.row], needed);
        }
        for (const auto& [row, count] : lines)
            check(worksheet_set_row(m_ws, lxw_row_t(row - 1),
                                    std::min(count * kLineHeight, kMaxRowHeight), nullptr),
                  m_path);
    }

    // Printed, the sheet is its filled area (a long text running on to the right does not widen
    // it) scaled to the width of one page.
    void setPrintLayout()
    {
        int lastRow = 0;
        int lastColumn = 0;
        for (const auto& [key, cell] : m_model.cells) {
            if (cell.kind == Cell::Kind::Empty)
                continue;
            lastRow = std::max(lastRow, key.first);
            lastColumn = std::max(lastColumn, key.second);
        }
        for (const CellRange& merge : m_model.merges) {
            lastRow = std::max(lastRow, merge.lastRow);
            lastColumn = std::max(lastColumn, merge.lastColumn);
        }
        if (lastRow > 0)
            check(
                worksheet_print_area(m_ws, 0, 0, lxw_row_t(lastRow - 1), lxw_col_t(lastColumn - 1)),
                m_path);
        worksheet_fit_to_pages(m_ws, 1, 0);
    }

    // Column settings as separate ascending ranges: each column of its own, then the rest.
    void writeColumns()
    {
        lxw_format* defaultFormat = m_formats(m_model.columnsStyle);
        const bool defaultsChanged = defaultFormat || m_model.columnsWidth != kStandardWidth;
        int next = 1;
        for (const auto& [column, width] : m_model.columnWidths) {
            if (defaultsChanged && column > next)
                setColumns(next, column - 1, m_model.columnsWidth, defaultFormat);
            setColumns(column, column, width, defaultFormat);
            next = column + 1;
        }
        if (defaultsChanged && next <= kMaxColumn)
            setColumns(next, kMaxColumn, m_model.columnsWidth, defaultFormat);
    }

    void setColumns(int first, int last, double width, lxw_format* format)
    {
        check(worksheet_set_column(m_ws, lxw_col_t(first - 1), lxw_col_t(last - 1), width, format),
              m_path);
    }

    bool isHiddenByMerge(const CellRef& ref) const
    {
        const CellRange* merge = m_model.mergeAt(ref);
        return merge && !(merge->topLeft() == ref);
    }

    void writeCell(int row, int column, const Cell& given)
    {
        const Cell& cell = storable(given);
        lxw_format* format = m_formats(cell.style);
        const QByteArray text =
            (cell.kind == Cell::Kind::Text ? cellTextForFile(cell.text) : cell.text).toUtf8();
        switch (cell.kind) {
        case Cell::Kind::Number:
            check(worksheet_write_number(m_ws, row, lxw_col_t(column), cell.number, format),
                  m_path);
            break;
        case Cell::Kind::Formula:
            // An empty cached result makes the spreadsheet compute the formula on loading.
            check(worksheet_write_formula_str(m_ws, row, lxw_col_t(column), text.constData(),
                                              format, ""),
                  m_path);
            break;
        case Cell::Kind::Text:
            check(worksheet_write_string(m_ws, row, lxw_col_t(column), text.constData(), format),
                  m_path);
            break;
        case Cell::Kind::Empty:
            if (format)
                check(worksheet_write_blank(m_ws, row, lxw_col_t(column), format), m_path);
            break;
        }
    }

    // The merged area takes the style of its top-left cell and shows that cell's value.
    void writeMerge(const CellRange& merge)
    {
        const auto found = m_model.cells.find({merge.firstRow, merge.firstColumn});
        Cell topLeft;
        topLeft.style = m_model.columnsStyle;
        if (found != m_model.cells.end())
            topLeft = found->second;
        lxw_format* format = m_formats(topLeft.style);
        const QByteArray text =
            topLeft.kind == Cell::Kind::Text ? cellTextForFile(topLeft.text).toUtf8() : "";
        check(worksheet_merge_range(m_ws, merge.firstRow - 1, lxw_col_t(merge.firstColumn - 1),
                                    merge.lastRow - 1, lxw_col_t(merge.lastColumn - 1),
                                    text.constData(), format),
              m_path);
        if (topLeft.kind == Cell::Kind::Number || topLeft.kind == Cell::Kind::Formula)
            writeCell(merge.firstRow - 1, merge.firstColumn - 1, topLeft);
    }

    // The writer stores 16 significant digits: a number that is not finite, or whose 16-digit
    // text reads back as infinity (the largest doubles round up past the range), is stored as
    // its text instead, so that the spreadsheet never reads a value other than the one shown.
    const Cell& storable(const Cell& cell)
    {
        if (cell.kind != Cell::Kind::Number || sixteenDigitsReadBack(cell.number))
            return cell;
        m_asText = cell;
        m_asText.kind = Cell::Kind::Text;
        m_asText.text = num::general(cell.number);
        return m_asText;
    }

    static bool sixteenDigitsReadBack(double value)
    {
        if (!std::isfinite(value))
            return false;
        char text[40];
        std::snprintf(text, sizeof text, "%.16G", value);
        return std::isfinite(strtod_l(text, nullptr, clocale::c()));
    }

    const SheetModel& m_model;
    Cell m_asText;
    Formats m_formats;
    lxw_worksheet* m_ws;
    QString m_path;
};

// Where a workbook is written: a new name inside a private folder that also takes the writer's
// own temporary files, and the path the messages name.
struct StagedBook {
    QString file;
    QString shownPath;
};

vedan::Status writeBook(const SheetModel& model, const StagedBook& target)
{
    const QString& file = target.file;
    const QString& shownPath = target.shownPath;
    QuietStandardError quiet;
    // The writer prints every number (cell values, column widths, page margins, up to
    // workbook_close) with printf, so it works in the file format's own number syntax throughout.
    const clocale::CNumericScope fileSyntax;
    QByteArray tmpdir = QFile::encodeName(QFileInfo(file).absolutePath());
    lxw_workbook_options options{};
    options.tmpdir = tmpdir.data();
    errno = 0;
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    if (!book)
        return vedan::Failure::file(
            QStringLiteral("Не удалось записать книгу в файл %1: %2")
                .arg(shownPath, lxwReason(LXW_ERROR_CREATING_XLSX_FILE, errno)));
    lxw_worksheet* ws = workbook_add_worksheet(book, model.name.toUtf8().constData());
    try {
        if (!ws)
            refuseWrite(shownPath, QStringLiteral("лист не создаётся"));
        SheetWriter(model, book, ws, shownPath).write();
    } catch (const SheetError& e) {
        workbook_close(book);
        return vedan::Failure::sheet(QString::fromUtf8(e.what()));
    }
    errno = 0;
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR)
        return vedan::Failure::file(QStringLiteral("Не удалось записать книгу в файл %1: %2")
                                        .arg(shownPath, lxwReason(closed, errno)));
    if (const std::optional<QString> fault = packageFault(file))
        return vedan::Failure::file(
            QStringLiteral("Не удалось записать книгу в файл %1: %2").arg(shownPath, *fault));
    return std::nullopt;
}

[[noreturn]] void raise(const vedan::Failure& failure) { throw SheetError(failure.message); }

} // namespace

void writeXlsx(const SheetModel& model, const QString& path)
{
    const QString shownPath =
        path == safefile::kStandardOutput ? QStringLiteral("стандартный вывод") : path;
    const vedan::Status failure = safefile::saveReplacing(path, [&](const QString& file) {
        return writeBook(model, {file, shownPath});
    });
    if (failure)
        raise(*failure);
}

QString writeNewExport(const SheetModel& model, const QString& stem)
{
    QString shownPath = safefile::exportFolder() + '/' + stem + QStringLiteral(".xlsx");
    const vedan::Outcome<QString> saved =
        safefile::saveNewExport(stem, QStringLiteral(".xlsx"), [&](const QString& file) {
            return writeBook(model, {file, shownPath});
        });
    if (saved.failure)
        raise(*saved.failure);
    return saved.value;
}

bool fitsInCell(const QString& text) { return cellTextForFile(text).size() <= kMaxCellText; }

namespace {

class StreamedSheet : public RowSheet {
public:
    StreamedSheet(lxw_worksheet* sheet, QString shownPath)
        : m_sheet(sheet), m_shownPath(std::move(shownPath))
    {}
    void number(int row, int column, double value) override
    {
        check(worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), value, nullptr),
              m_shownPath);
    }
    void text(int row, int column, const QString& value) override
    {
        m_utf8 = cellTextForFile(value).toUtf8();
        check(worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column), m_utf8.constData(),
                                     nullptr),
              m_shownPath);
    }

private:
    lxw_worksheet* m_sheet;
    QString m_shownPath;
    QByteArray m_utf8;
};

vedan::Status writeRowsBook(const StagedBook& target, const QString& sheetName,
                            const std::function<vedan::Status(RowSheet&)>& produce)
{
    QuietStandardError quiet;
    const clocale::CNumericScope fileSyntax;
    QByteArray tmpdir = QFile::encodeName(QFileInfo(target.file).absolutePath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = tmpdir.data();
    errno = 0;
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(target.file).constData(), &options);
    if (!book)
        return vedan::Failure::file(
            QStringLiteral("Не удалось записать книгу в файл %1: %2")
                .arg(target.shownPath, lxwReason(LXW_ERROR_CREATING_XLSX_FILE, errno)));
    lxw_worksheet* ws = workbook_add_worksheet(book, sheetName.toUtf8().constData());
    vedan::Status produced;
    try {
        if (!ws)
            refuseWrite(target.shownPath, QStringLiteral("лист не создаётся"));
        StreamedSheet sheet(ws, target.shownPath);
        produced = produce(sheet);
    } catch (const SheetError& e) {
        workbook_close(book);
        return vedan::Failure::sheet(QString::fromUtf8(e.what()));
    }
    errno = 0;
    const lxw_error closed = workbook_close(book);
    if (produced)
        return produced;
    if (closed != LXW_NO_ERROR)
        return vedan::Failure::file(QStringLiteral("Не удалось записать книгу в файл %1: %2")
                                        .arg(target.shownPath, lxwReason(closed, errno)));
    if (const std::optional<QString> fault = packageFault(target.file))
        return vedan::Failure::file(QStringLiteral("Не удалось записать книгу в файл %1: %2")
                                        .arg(target.shownPath, *fault));
    return std::nullopt;
}

} // namespace

vedan::Status writeRowsXlsx(const RowsBook& book,
                            const std::function<vedan::Status(RowSheet&)>& produce)
{
    const QString& path = book.path;
    const QString& sheetName = book.sheetName;
    const QString shownPath =
        path == safefile::kStandardOutput ? QStringLiteral("стандартный вывод") : path;
    return safefile::saveReplacing(path, [&](const QString& file) {
        return writeRowsBook({file, shownPath}, sheetName, produce);
    });
}

} // namespace sheet
