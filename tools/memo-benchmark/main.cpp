// memo-benchmark: the time to export a questionnaire whose memo holds many lines, through the
// library as the window's request button does it (every spreadsheet operation, then the .xlsx
// file). Usage: memo-benchmark [LINES...] (default 1000 10000 100000). Prints one line per size:
// lines, the elapsed and the processor time, and the elapsed time per line.

#include "questionnaire/Panels.h"
#include "questionnaire/Sheets.h"
#include "sheet/XLApp.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTime>
#include <cstdio>
#include <ctime>

using namespace questionnaire;
using sheet::XLApp;

namespace {

// The processor time of this process, in seconds: unlike the elapsed time, it does not count the
// time other programs of a shared machine take.
double processorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

PanelValues withMemo(int lines)
{
    PanelValues values = defaults(Kind::Itp);
    for (auto it = values.choices.begin(); it != values.choices.end(); ++it)
        it.value() = 1;
    QStringList memo;
    memo.reserve(lines);
    for (int i = 1; i <= lines; ++i)
        memo << QStringLiteral("Строка примечания номер %1 с текстом средней длины").arg(i);
    values.texts[QStringLiteral("Memo3")] = memo.join('\n');
    return values;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (const QString& arg : app.arguments().mid(1))
        sizes << arg.toInt();
    if (sizes.isEmpty())
        sizes = {1000, 10000, 100000};
    QTemporaryDir dir;
    std::printf("%10s %12s %14s %14s\n", "lines", "elapsed, s", "processor, s", "us per line");
    for (const int lines : sizes) {
        const PanelValues values = withMemo(lines);
        XLApp xl;
        xl.setTargetFile(dir.filePath(QStringLiteral("memo.xlsx")));
        QElapsedTimer timer;
        timer.start();
        const double processorStart = processorSeconds();
        const vedan::Status failure =
            buildSheet(xl, Kind::Itp, values, QDate(2024, 1, 15), QTime(10, 0));
        const double seconds = timer.nsecsElapsed() / 1e9;
        const double processor = processorSeconds() - processorStart;
        if (failure) {
            std::fprintf(stderr, "%s\n", qPrintable(failure->message));
            return 1;
        }
        std::printf("%10d %12.3f %14.3f %14.2f\n", lines, seconds, processor,
                    seconds * 1e6 / lines);
        std::fflush(stdout);
    }
    return 0;
}
