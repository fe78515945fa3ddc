#include "calcsheet/CalculationSheet.h"

#include "calcsheet/ChartPainter.h"
#include "calcsheet/SheetHtml.h"
#include "calcsheet/SheetSteps.h"
#include "calcsheet/SubstationPage.h"
#include "core/Numbers.h"
#include "core/PlantInfo.h"
#include "core/Regional.h"
#include "core/Units.h"
#include "season/SeasonTable.h"
#include "selection/Formulas.h"
#include "selection/Units.h"
#include "substation/Presentation.h"
#include "water/WaterProperties.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

using selection::ShownChoice;
using selection::SizingInputs;
using selection::TypedTexts;

namespace calcsheet {

namespace {

QString programVersion() { return QStringLiteral(VEDAN_VERSION); }

QString choiceText(const QStringList& items, int index)
{
    return index > 0 && index < items.size() ? items[index] : QStringLiteral("не выбрано");
}

// One input: its name, the text as typed with its unit choice, the converted value.
struct InputRow {
    const char* name;
    QString TypedTexts::*text;
    ShownChoice TypedTexts::*unitChoice; // nullptr: the unit is fixed
    const char* fixedUnit;
    double SizingInputs::*converted;
    const char* unit;
};

// An input as typed, cut at a sensible length: a text of thousands of digits must not make
// dozens of pages. The cut is marked and never splits a surrogate pair.
QString shownInput(const QString& typed, qsizetype longest = kLongestShownInput)
{
    if (typed.size() <= longest)
        return typed;
    const qsizetype kept = typed[longest - 1].isHighSurrogate() ? longest - 1 : longest;
    return typed.left(kept)
           + QStringLiteral("… (введено %1 знаков, показаны первые %2)")
                 .arg(typed.size())
                 .arg(kept);
}

const InputRow kInputs[] = {
    {"Давление на входе системы P1", &TypedTexts::inletPressure, &TypedTexts::inletUnit, "",
     &SizingInputs::inletPressure, "кгс/см²"},
    {"Давление на выходе системы P2", &TypedTexts::outletPressure, &TypedTexts::outletUnit, "",
     &SizingInputs::outletPressure, "кгс/см²"},
    {"Температура в подающем трубопроводе τ1", &TypedTexts::supplyTemperature, nullptr, "°C",
     &SizingInputs::supplyTemperature, "°C"},
    {"Температура в обратном трубопроводе τ2", &TypedTexts::returnTemperature, nullptr, "°C",
     &SizingInputs::returnTemperature, "°C"},
    {"Тепловая нагрузка Q", &TypedTexts::heatLoad, &TypedTexts::loadUnit, "",
     &SizingInputs::heatLoad, "Гкал/ч"},
    {"Сопротивление системы S", &TypedTexts::systemResistance, &TypedTexts::resistanceUnit, "",
     &SizingInputs::systemResistance, "м вод. ст."},
};

QString inputsPart(const SheetData& data)
{
    QString rows = headRow({QStringLiteral("Величина"), QStringLiteral("Введено"),
                            QStringLiteral("Единица"), QStringLiteral("Для расчёта")},
                           {40, 20, 20, 20});
    const selection::SizedSelection* sized = data.run.sized ? &*data.run.sized : nullptr;
    const std::optional<SizingInputs> inputs =
        sized ? std::optional(selection::inputsOf(sized->request.conditions)) : std::nullopt;
    for (const InputRow& input : kInputs) {
        const QString unit = !input.unitChoice ? QString::fromUtf8(input.fixedUnit)
                             : (data.typed.*input.unitChoice).chosen
                                 ? (data.typed.*input.unitChoice).text
                                 : QStringLiteral("не выбрано");
        const QString converted = inputs ? num::general((*inputs).*input.converted)
                                               + QLatin1Char(' ') + QString::fromUtf8(input.unit)
                                         : QStringLiteral("—");
        rows += row(
            {QString::fromUtf8(input.name), shownInput(data.typed.*input.text), unit, converted});
    }
    if (sized && sized->request.kind == selection::EquipmentKind::Regulator) {
        const selection::RegulatorChoice choice =
            sized->request.regulator.value_or(selection::RegulatorChoice{});
        const auto choiceRow = [](const QString& name, const QString& choice) {
            return QStringLiteral("<tr>") + cell(name) + cell(choice, "colspan=\"3\"")
                   + QStringLiteral("</tr>");
        };
        rows += choiceRow(QStringLiteral("Тип регулятора"),
                          choiceText(units::regulatorItems(), choice.series));
        rows += choiceRow(QStringLiteral("Диапазон настройки"),
                          choiceText(units::settingRangeItems(), choice.settingRange));
    }
    return heading(QStringLiteral("Исходные данные")) + table(rows);
}

// For reference beside the program's Kv (from the flow in t/h and the drop in kgf/cm²): the
// Kv of IEC 60534-2-1, Q·√((ρ/ρ₀)/Δp) with Q in m³/h at the real density and Δp in bar.
QString iecKvLine(const SheetData& data)
{
    if (!data.run.sized)
        return QString();
    const selection::SizingValues& v = data.run.sized->values;
    if (!v.requiredKv || !v.networkFlow)
        return QString();
    const std::optional<qty::PressureDifference> drop =
        v.valvePressureDrop ? v.valvePressureDrop : v.regulatorPressureDrop;
    const SizingInputs in = selection::inputsOf(data.run.sized->request.conditions);
    if (!drop || !(drop->inKgfPerCm2() > 0) || !(v.networkFlow->inTonnesPerHour() > 0))
        return QString();
    std::optional<qty::Density> rho;
    try {
        if (const auto density =
                water::liquidDensity(qty::Temperature::celsius(in.supplyTemperature),
                                     qty::GaugePressure::kgfPerCm2(in.inletPressure).absolute()))
            rho = density;
    } catch (const vedan::MathError&) {
        // p₁ beyond any number: no density, so no comparison
    }
    if (!rho)
        return QString();
    double kv = 0;
    try {
        kv = selection::formulas::iecKv(*v.networkFlow, *rho, *drop).inCubicMetresPerHour();
    } catch (const vedan::MathError&) {
        return QString();
    }
    const double more = (kv / v.requiredKv->inCubicMetresPerHour() - 1) * 100;
    return QStringLiteral("<p>")
           + esc(QStringLiteral("Для сравнения: Kv по IEC 60534-2-1 при ρ = ")
                 + num::f1(rho->inKilogramsPerCubicMetre())
                 + QStringLiteral(" кг/м³ и Δp в барах = ") + num::f2(kv)
                 + QStringLiteral(" м³/ч (на ") + num::f1(more)
                 + QStringLiteral(" % больше принятого в расчёте)"))
           + QStringLiteral("</p>");
}

QString assumptionsPart()
{
    QString items;
    for (const QString& line : assumptions())
        items += QStringLiteral("<li>") + esc(line) + QStringLiteral("</li>");
    return heading(QStringLiteral("Принятые допущения")) + QStringLiteral("<ul>") + items
           + QStringLiteral("</ul>");
}

QString stepsPart(const SheetData& data)
{
    const std::vector<WrittenStep> steps =
        data.run.sized ? writtenSteps(*data.run.sized) : std::vector<WrittenStep>();
    QString rows =
        headRow({QStringLiteral("№"), QStringLiteral("Величина"), QStringLiteral("Формула"),
                 QStringLiteral("Подстановка"), QStringLiteral("Результат")},
                {3, 23, 27, 31, 16});
    int n = 0;
    for (const WrittenStep& step : steps)
        rows +=
            row({QString::number(++n), step.what, step.symbolic, step.substituted, step.result});
    QString part = heading(QStringLiteral("Расчёт")) + table(rows);
    part += iecKvLine(data);
    if (const std::optional<QString> message = data.run.message())
        part += QStringLiteral("<p><b>") + esc(QStringLiteral("Расчёт остановлен: ") + *message)
                + QStringLiteral("</b></p>");
    return part;
}

QString offersPart(const SheetData& data)
{
    if (data.run.failure())
        return QString();
    static const std::vector<selection::Offer> none;
    const std::vector<selection::Offer>& offers = data.run.sized ? data.run.sized->offers : none;
    QString part = heading(QStringLiteral("Подобранное оборудование"));
    if (offers.empty())
        return part + QStringLiteral("<p>")
               + esc(QStringLiteral("Для заданных параметров модель не подобрана."))
               + QStringLiteral("</p>");
    // The designation, and of the other columns those the kind's offers fill: a hydroelevator
    // has no Kvy, authority or bore, a regulator no authority.
    struct Column {
        const char* title;
        std::function<std::optional<QString>(const selection::Offer&)> text;
    };
    const auto figure = [](const std::optional<double>& value) -> std::optional<QString> {
        return value ? std::optional(num::f2(*value)) : std::nullopt;
    };
    const Column columns[] = {
        {"Kvy, м³/ч",
         [&](const selection::Offer& o) {
             return figure(qty::readIn(o.kvy, &qty::FlowCoefficient::inCubicMetresPerHour));
         }},
        {"Авторитет", [&](const selection::Offer& o) { return figure(o.authority); }},
        {"Ду, мм",
         [](const selection::Offer& o) {
             return o.bore ? std::optional(QString::number(o.bore->inMillimetres())) : std::nullopt;
         }},
    };
    std::vector<const Column*> shown;
    for (const Column& column : columns)
        if (std::any_of(offers.begin(), offers.end(),
                        [&](const selection::Offer& o) { return column.text(o).has_value(); }))
            shown.push_back(&column);
    QStringList titles{QStringLiteral("Обозначение")};
    std::vector<int> widths{40};
    for (const Column* column : shown) {
        titles << QString::fromUtf8(column->title);
        widths.push_back(20);
    }
    QString rows = headRow(titles, widths);
    for (const selection::Offer& offer : offers) {
        QStringList cells{offer.designation};
        for (const Column* column : shown)
            cells << column->text(offer).value_or(QStringLiteral("—"));
        rows += row(cells);
    }
    return part + table(rows);
}

QString checksPart(const SheetData& data) { return checksHtml(data.checks); }

// The season's charts as image resources of the document, sized to the page's width.
const QString kScheduleChart = QStringLiteral("season-schedule");
const QString kDeviceChart = QStringLiteral("season-device");
constexpr double kChartHeightMm = 72;

QString seasonPart(const SheetData& data)
{
    if (!data.season || !data.run.sized)
        return QString();
    const SeasonSheet& s = *data.season;
    const selection::EquipmentKind kind = data.run.sized->request.kind;
    QString part = QStringLiteral("<h2 style=\"page-break-before: always\">")
                   + esc(QStringLiteral("Работа в течение отопительного сезона"))
                   + QStringLiteral("</h2>");
    QString cut =
        QStringLiteral("нет (подача не выше %1 °C)").arg(num::general(season::kDefaultCut));
    if (s.cut) {
        cut = num::general(s.cut->temperature) + QStringLiteral(" °C");
        if (s.cut->outdoor)
            cut += QStringLiteral(" с tн = %1 °C").arg(num::fixed(*s.cut->outdoor, 2));
    }
    part +=
        QStringLiteral("<p>")
        + esc(QStringLiteral("Расчётная температура наружного воздуха tн.р = ")
              + num::general(s.schedule.outdoorDesign.inCelsius())
              + QStringLiteral(" °C; температура внутреннего воздуха tв = ")
              + num::general(s.schedule.indoor.inCelsius()) + QStringLiteral(" °C; срезка подачи: ")
              + cut + QStringLiteral("; конец отопительного периода ")
              + num::general(s.schedule.seasonEnd.inCelsius()) + QStringLiteral(" °C; шаг ")
              + num::general(s.schedule.step) + QStringLiteral(" К."))
        + QStringLiteral("<br/>")
        + esc(QStringLiteral(
            "График центрального качественного регулирования отопительной нагрузки "
            "(показатель 0,8; Е. Я. Соколов, «Теплофикация и тепловые сети»): "
            "τ1 = tв + Δt′·Q̄^0,8 + (δτ′ − ½θ′)·Q̄, τ2 = tв + Δt′·Q̄^0,8 − ½θ′·Q̄, "
            "τ3 = tв + Δt′·Q̄^0,8 + ½θ′·Q̄, Q̄ = (tв − tн)/(tв − tн.р). Ниже срезки "
            "расход сетевой воды G = G′·(1 + u′)·(τ3 − τ2)/(τ1 − τ2) держит расчётный "
            "расход в системе."))
        + QStringLiteral("<br/>")
        + esc(kind == selection::EquipmentKind::Hydroelevator
                  ? QStringLiteral("Сопло — при расчётном располагаемом напоре: "
                                   "dс = 9,6·⁴√(G²/Hрасп); необходимый напор "
                                   "Hтреб = 1,4·(1 + u)²·S.")
                  : QStringLiteral("Сопротивление системы S включено последовательно с "
                                   "устройством, его потеря пропорциональна квадрату "
                                   "расхода: Δp = (P1 − P2) − (S/10)·(G/G′)²; "
                                   "Kv = G/√Δp; Kvy — первой подобранной модели."))
        + QStringLiteral("</p>");
    for (const QString& name : {kScheduleChart, kDeviceChart})
        part += chartParagraph(name, kChartHeightMm);

    const std::vector<const season::Column*> columns = season::columnsOf(kind);
    QStringList titles;
    std::vector<int> widths;
    const int share = 80 / static_cast<int>(columns.size());
    for (const season::Column* c : columns) {
        titles << QString::fromUtf8(c->heading);
        widths.push_back(share);
    }
    titles << QStringLiteral("Проверки");
    widths.push_back(100 - share * static_cast<int>(columns.size()));
    QString rows = headRow(titles, widths);
    for (const season::Point& p : s.points) {
        QStringList cells;
        for (const season::Column* c : columns) {
            const std::optional<double> v = c->value(p);
            cells << (v ? num::fixed(*v, c->decimals) : QStringLiteral("—"));
        }
        cells << season::verdictText(p, season::CheckNames::Titles);
        rows += row(cells);
    }
    return part + heading(QStringLiteral("Точки отопительного сезона")) + table(rows);
}

// The two signature lines in one table row, which the page layout never splits: both stand on
// the page that has room for them.
QString signaturePart()
{
    const QString line = QStringLiteral("______________________ / ______________________ / "
                                        "«____» ______________ 20____ г.");
    const QString gap = QStringLiteral("<br/><br/>");
    return QStringLiteral("<table width=\"100%\" cellpadding=\"6\" style=\"margin-top: 6px\">")
           + QStringLiteral("<tr><td>Выполнил") + gap + QStringLiteral("Проверил</td><td>") + line
           + gap + line + QStringLiteral("</td></tr></table>");
}

} // namespace

QStringList assumptions()
{
    return {
        QStringLiteral("давления избыточные; абсолютное давление = избыточное + ")
            + num::fixed(qty::kAtmosphereKgfCm2, 4) + QStringLiteral(" кгс/см²"),
        QStringLiteral("1 м вод. ст. принят равным 0,1 кгс/см² (вода плотностью 1000 кг/м³)"),
        QStringLiteral("c = 4,2 кДж/(кг·К); 1 Гкал/ч = 1,163 МВт"),
        QStringLiteral("температура воды после смешения — 95 °C"),
        QStringLiteral("Kv рассчитан по расходу в т/ч и перепаду давления в кгс/см²"),
        QStringLiteral("F_L = 0,9 для всех моделей — данных изготовителей нет"),
    };
}

QString conclusion(const std::vector<checks::Check>& found)
{
    if (found.empty())
        return QString();
    QStringList failed, warned;
    for (const checks::Check& c : found) {
        const QString name =
            c.designation ? c.title + QStringLiteral(" (") + *c.designation + QLatin1Char(')')
                          : c.title;
        if (c.status == checks::Status::Failed)
            failed << name;
        else if (c.status == checks::Status::Warning)
            warned << name;
    }
    if (!failed.isEmpty())
        return QStringLiteral("Не пройдены проверки: ") + failed.join(QStringLiteral("; "));
    if (!warned.isEmpty())
        return QStringLiteral("Есть предупреждения: ") + warned.join(QStringLiteral("; "));
    return QStringLiteral("Все проверки пройдены");
}

QString sheetHtml(const SheetData& data)
{
    QString html = QStringLiteral(
        "<html><head><style>"
        "body { font-family: 'DejaVu Sans'; font-size: 6.3pt; }"
        "h2 { font-size: 12pt; margin: 2px 0; } h3 { font-size: 8pt; margin: 5px 0 2px 0; }"
        "th { background-color: #e8e8e8; font-weight: bold; }"
        "p.plant { font-size: 7pt; color: #333333; margin: 0; }"
        "</style></head><body>");
    html += QStringLiteral("<p class=\"plant\"><b>") + esc(plant::fullName())
            + QStringLiteral("</b> · ") + esc(plant::webAddress()) + QStringLiteral(" · ")
            + esc(plant::email()) + QStringLiteral(" · факс ") + esc(plant::faxNumber())
            + QStringLiteral("</p><hr/>");
    html += QStringLiteral("<h2>Расчётный лист</h2>");
    const QString object = data.objectName.trimmed().isEmpty()
                               ? QStringLiteral("не указан")
                               : shownInput(data.objectName, kLongestShownObject);
    const bool substationAlone = data.substation && !data.substation->withSelection;
    const QString equipment = substationAlone
                                  ? QStringLiteral("Тепловой пункт: ")
                                        + substation::schemeTitle(data.substation->budget.scheme)
                                  : QStringLiteral("Оборудование: ") + data.typed.caption;
    html += QStringLiteral("<p>") + esc(QStringLiteral("Объект: ") + object)
            + QStringLiteral("<br/>") + esc(equipment) + QStringLiteral("<br/>")
            + esc(QStringLiteral("Дата расчёта: ") + regional::shortDate(data.when.date()))
            + QStringLiteral("<br/>")
            + esc(plant::programTitle() + QStringLiteral(", версия ") + programVersion())
            + QStringLiteral("</p>");
    if (substationAlone)
        html += substationHtml(*data.substation, false);
    else
        html += inputsPart(data) + assumptionsPart() + stepsPart(data) + offersPart(data)
                + checksPart(data) + seasonPart(data)
                + (data.substation ? substationHtml(*data.substation, true) : QString());
    html += signaturePart();
    return html + QStringLiteral("</body></html>");
}

vedan::Outcome<QByteArray> renderPdf(const SheetData& data)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {{},
                vedan::Failure::file(
                    QStringLiteral("Расчётный лист не построен: нет графической подсистемы Qt"))};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(QStringLiteral("Расчётный лист: ")
                        + (data.substation && !data.substation->withSelection
                               ? substation::schemeTitle(data.substation->budget.scheme)
                               : data.typed.caption));
        writer.setCreator(plant::programTitle());

        QTextDocument document;
        document.documentLayout()->setPaintDevice(&writer);
        document.setDocumentMargin(0);
        if (data.season && data.run.sized) {
            const std::pair<QString, season::Chart> charts[] = {
                {kScheduleChart, season::scheduleChart(data.season->points, data.season->cut)},
                {kDeviceChart,
                 season::deviceChart(data.run.sized->request.kind, data.season->points)},
            };
            for (const auto& [name, chart] : charts)
                document.addResource(QTextDocument::ImageResource, QUrl(name),
                                     chartImage(chart, chartPixels(kChartHeightMm), kResolution));
        }
        if (data.substation)
            document.addResource(
                QTextDocument::ImageResource, QUrl(QString::fromLatin1(kPiezometricChart)),
                piezometricChart(*data.substation, chartPixels(kPiezometricChartHeightMm),
                                 kResolution));
        document.setHtml(sheetHtml(data));
        // The foot of every page keeps a line for "Лист N / Листов M".
        const double footer = kResolution * 5.0 / 25.4;
        const QSizeF page(writer.width(), writer.height() - footer);
        document.setPageSize(page);

        QPainter painter(&writer);
        QFont footFont(QStringLiteral("DejaVu Sans"));
        footFont.setPointSizeF(7);
        const int pages = document.pageCount();
        for (int n = 0; n < pages; ++n) {
            if (n > 0)
                writer.newPage();
            painter.save();
            painter.translate(0, -page.height() * n);
            document.drawContents(&painter, QRectF(QPointF(0, page.height() * n), page));
            painter.restore();
            painter.setFont(footFont);
            painter.drawText(QRectF(0, page.height(), page.width(), footer),
                             Qt::AlignRight | Qt::AlignBottom,
                             QStringLiteral("Лист %1 / Листов %2").arg(n + 1).arg(pages));
        }
        painter.end();
    }
    return {bytes, std::nullopt};
}

} // namespace calcsheet
