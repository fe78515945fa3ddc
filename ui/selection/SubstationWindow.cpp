#include "ui/selection/SubstationWindow.h"

#include "core/Numbers.h"
#include "selection/Units.h"
#include "substation/Presentation.h"
#include "ui/selection/ChecksTree.h"
#include "ui/shell/HelpWindow.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QScatterSeries>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace selection {

namespace {

using substation::Element;
using substation::Scheme;

// The scheme a kind of equipment is built into, until the user chooses another.

int itemOf(Scheme scheme)
{
    const auto* row =
        std::find_if(std::begin(substation::kSchemeRows), std::end(substation::kSchemeRows),
                     [&](const substation::SchemeRow& r) { return r.scheme == scheme; });
    return static_cast<int>(row - std::begin(substation::kSchemeRows));
}

bool hasRegulator(Scheme scheme)
{
    return scheme == Scheme::ValveRegulator || scheme == Scheme::Regulator;
}

// The table's columns: what each shows of an element, "—" where it has nothing.
struct Column {
    const char* heading;
    QString (*text)(const Element& e);
};

QString cell(const std::optional<double>& value, int decimals)
{
    return value ? num::fixed(*value, decimals) : QStringLiteral("—");
}

std::optional<double> kv(const std::optional<qty::FlowCoefficient>& value)
{
    return qty::readIn(value, &qty::FlowCoefficient::inCubicMetresPerHour);
}

const Column kColumns[] = {
    {"Элемент", [](const Element& e) { return substation::elementName(e.kind); }},
    {"Напор,\nм", [](const Element& e) { return num::fixed(e.head.inMetres(), 3); }},
    {"Перепад,\nкгс/см²",
     [](const Element& e) {
         return cell(qty::readIn(substation::elementDrop(e), &qty::PressureDifference::inKgfPerCm2),
                     4);
     }},
    {"Kv,\nм³/ч", [](const Element& e) { return cell(kv(e.requiredKv), 4); }},
    {"Kvy,\nм³/ч", [](const Element& e) { return cell(kv(e.requiredKvy), 3); }},
    {"Модель",
     [](const Element& e) { return e.offer() ? e.offer()->designation : QStringLiteral("—"); }},
    {"Отверстия", [](const Element& e) { return substation::boresText(e); }},
};
constexpr int kFirstNumberColumn = 1;
constexpr int kLastNumberColumn = 4;
constexpr int kModelColumn = 5;
// The table starts as high as the rows of a budget without other losses at most: an orifice, the
// regulator, the valve and the system.
constexpr int kFirstRows = 4;
constexpr int kChecksPage = 1;

// Colours of the Okabe–Ito palette, as the checks are drawn.
const QColor kLineColour(0x00, 0x72, 0xB2);
const QColor kSetPointColour(0xD5, 0x5E, 0x00);

// An element's name on the chart's axis, on two lines where it has more than one word, so that
// the names of neighbouring elements do not run into each other.
QString axisLabel(const QString& name)
{
    const qsizetype middle = name.size() / 2;
    qsizetype space = name.lastIndexOf(QLatin1Char(' '), middle);
    if (space < 0)
        space = name.indexOf(QLatin1Char(' '), middle);
    return space < 0 ? name : name.left(space) + QStringLiteral("<br>") + name.mid(space + 1);
}

// An element's drop written at a point of the chart: a series of one invisible point whose label
// is the text, out of the legend.
QScatterSeries* dropLabel(const QString& text, QPointF at)
{
    auto* label = new QScatterSeries;
    label->setObjectName(QStringLiteral("Drop"));
    label->setName(text);
    label->append(at);
    label->setMarkerSize(1);
    label->setColor(Qt::transparent);
    label->setBorderColor(Qt::transparent);
    label->setPointLabelsFormat(text);
    label->setPointLabelsVisible(true);
    label->setPointLabelsClipping(false);
    label->setPointLabelsColor(Qt::black);
    return label;
}

// The piezometric line in Qt Charts: the pressure along the path as steps (the library's step
// points), each element's name on the axis under its step and its head above its drop, and the
// regulator's set point as a bracket from its outlet down to the return, named in the legend.
QChart* chartOf(const substation::Budget& budget, const substation::PiezometricLine& line)
{
    auto* chart = new QChart;
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    const std::vector<substation::ChartPoint> points = substation::stepPoints(line);
    if (points.empty())
        return chart;

    const auto n = static_cast<double>(line.steps.size());
    auto* x = new QCategoryAxis;
    x->setObjectName(QStringLiteral("Elements"));
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    x->setGridLineVisible(false);
    // A name a little wider than its element's share of a narrow chart is shown whole.
    x->setTruncateLabels(false);
    for (std::size_t i = 0; i < line.steps.size(); ++i) {
        QString label = axisLabel(substation::elementName(line.steps[i].kind));
        // The axis keys its categories by their labels.
        while (x->categoriesLabels().contains(label))
            label += QChar(0x200B);
        x->append(label, static_cast<double>(i + 1));
    }
    x->setRange(0, n);

    double low = 0;
    double high = 0;
    for (const substation::ChartPoint& p : points) {
        low = std::min(low, p.y);
        high = std::max(high, p.y);
    }
    auto* y = new QValueAxis;
    y->setObjectName(QStringLiteral("Pressure"));
    // No title: beside a chart as low as a small screen leaves it would be cut; the legend names
    // the line with its unit.
    // Room above the inlet's level for the first element's label.
    y->setRange(low, high + std::max(1.0, (high - low) * 0.08));
    y->setLabelFormat(QStringLiteral("%.4g"));
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    const auto attach = [&](QXYSeries* series, bool inLegend) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
        chart->legend()->markers(series).front()->setVisible(inLegend);
    };
    auto* path = new QLineSeries;
    path->setObjectName(QStringLiteral("Piezometric"));
    path->setName(QStringLiteral("давление по ходу воды, м"));
    path->setPen(QPen(kLineColour, 2.5));
    for (const substation::ChartPoint& p : points)
        path->append(p.x, p.y);
    attach(path, true);

    if (line.setPointHead && line.regulatorStep) {
        const std::size_t k = *line.regulatorStep;
        const double outlet = line.steps[k].after;
        const double held = outlet - *line.setPointHead;
        auto* bracket = new QLineSeries;
        bracket->setObjectName(QStringLiteral("SetPoint"));
        const Element& regulator = budget.elements[k];
        bracket->setName(
            QStringLiteral("Δp уст = %1 кгс/см²").arg(num::f3(regulator.setPoint->inKgfPerCm2())));
        bracket->setPen(QPen(kSetPointColour, 2, Qt::DashLine));
        bracket->append(static_cast<double>(k + 1), outlet);
        bracket->append(static_cast<double>(k + 1), held);
        bracket->append(n, held);
        attach(bracket, true);
    }

    // Above each drop, at the level before it, its head: the line falls away below the label.
    for (std::size_t i = 0; i < line.steps.size(); ++i) {
        const substation::PiezometricStep& s = line.steps[i];
        attach(dropLabel(num::f2(s.before - s.after) + QStringLiteral(" м"),
                         QPointF(static_cast<double>(i) + 0.5, s.before)),
               false);
    }
    return chart;
}

// A message in the status line, as plain text: it may quote what the user typed.
void sayPlainly(QLabel* status, const QString& text)
{
    status->setTextFormat(Qt::PlainText);
    status->setText(text);
}

} // namespace

SubstationWindow::SubstationWindow(QWidget* owner) : CompanionWindow(owner)
{
    setObjectName(QStringLiteral("SubstationForm"));
    setWindowTitle(QStringLiteral("Тепловой пункт: распределение напора"));
    helpwindow::setTopic(this, QStringLiteral("substation"));

    // The inputs keep what was typed for the session: the window is made once, with the
    // selection window, and emptying it leaves them.
    m_scheme = new QComboBox(this);
    m_scheme->setObjectName(QStringLiteral("Scheme"));
    for (const substation::SchemeRow& row : substation::kSchemeRows)
        m_scheme->addItem(QString::fromUtf8(row.title));
    m_scheme->setCurrentIndex(itemOf(substation::Options{}.scheme));
    const auto edit = [this](const char* name, double value) {
        auto* e = new QLineEdit(num::general(value), this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaximumWidth(80);
        connect(e, &QLineEdit::editingFinished, this, &SubstationWindow::recompute);
        connect(e, &QLineEdit::textEdited, this, &SubstationWindow::inputsEdited);
        return e;
    };
    m_otherLosses = edit("OtherLosses", 0);
    m_authority = edit("TargetAuthority", substation::kDefaultTargetAuthority);
    // The ranges of the selection library, without its prompt: the budget always has one.
    m_range = new QComboBox(this);
    m_range->setObjectName(QStringLiteral("SettingRange"));
    m_range->addItems(units::settingRangeItems().mid(1));
    m_range->setCurrentIndex(substation::Options{}.settingRange - 1);
    m_maxHead = edit("MaxElevatorHead", substation::kDefaultMaxElevatorHead);
    m_minBore = edit("MinBore", substation::kDefaultMinBore);
    connect(m_scheme, &QComboBox::currentIndexChanged, this, &SubstationWindow::schemeChosen);
    connect(m_range, &QComboBox::currentIndexChanged, this, &SubstationWindow::recompute);
    for (QComboBox* box : {m_scheme, m_range})
        connect(box, &QComboBox::activated, this, &SubstationWindow::inputsEdited);

    auto* inputs = new QGridLayout;
    const auto labelFor = [this](const char* text, QWidget* box) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setTextFormat(Qt::RichText);
        l->setBuddy(box);
        return l;
    };
    // Two inputs a row, in the order of Tab, the lists each on a row of its own: the window fits
    // a small screen.
    struct Field {
        const char* label;
        QWidget* box;
        int row;
        int column;
        int span;
        const char* tip;
    };
    const Field fields[] = {
        {"Схема теплового пункта", m_scheme, 0, 0, 3, "Устройства на вводе, по ходу воды"},
        {"Прочие потери h<sub>пр</sub>, м", m_otherLosses, 1, 0, 1,
         "Прочие потери напора на вводе, перед всеми устройствами"},
        {"Целевой авторитет a<sub>ц</sub>", m_authority, 1, 2, 1,
         "Целевой авторитет регулирующего клапана за регулятором перепада давления"},
        {"Диапазон настройки регулятора", m_range, 2, 0, 3,
         "Диапазон настройки регулятора перепада давления"},
        {"Наибольший напор сопла H<sub>max</sub>, м", m_maxHead, 3, 0, 1,
         "Наибольший напор, срабатываемый соплом элеватора; избыток принимает дроссельная "
         "диафрагма"},
        {"Наименьшее отверстие d<sub>min</sub>, мм", m_minBore, 3, 2, 1,
         "Наименьший диаметр отверстия дроссельной диафрагмы и сопла элеватора"},
    };
    for (const Field& f : fields) {
        f.box->setToolTip(QString::fromUtf8(f.tip));
        inputs->addWidget(labelFor(f.label, f.box), f.row, f.column);
        inputs->addWidget(f.box, f.row, f.column + 1, 1, f.span, Qt::AlignLeft);
    }
    inputs->setColumnStretch(4, 1);
    QWidget* order[] = {m_scheme, m_otherLosses, m_authority, m_range, m_maxHead, m_minBore};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setWordWrap(true);

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("ElementsTable"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_table->setColumnCount(static_cast<int>(std::size(kColumns)));
    QStringList headings;
    for (const Column& c : kColumns)
        headings << QString::fromUtf8(c.heading);
    m_table->setHorizontalHeaderLabels(headings);
    // Columns as wide as their texts, never elided: a narrow window scrolls the table sideways.
    m_table->setTextElideMode(Qt::ElideNone);
    fitTable(kFirstRows);

    m_chartView = new QChartView(new QChart, this);
    m_chartView->setObjectName(QStringLiteral("PiezometricChart"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    // High enough to read the steps on the smallest screen the window is placed on.
    m_chartView->setMinimumSize(300, 160);

    m_checks = new ChecksTree(this);
    m_checks->setObjectName(QStringLiteral("BudgetChecks"));

    // The chart and the checks each on a page of the window's whole width: the checks' formulas
    // need it to be read, and the chart its height. The checks' page names the verdict.
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("Pages"));
    m_pages->addTab(m_chartView, QStringLiteral("Пьезометрический график"));
    m_pages->addTab(m_checks, QStringLiteral("Проверки"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(m_status);
    layout->addWidget(m_table);
    layout->addWidget(m_pages, 1);
    schemeChosen();
    clear();
}

void SubstationWindow::followKind(EquipmentKind kind)
{
    if (m_kind == kind)
        return;
    m_kind = kind;
    const QSignalBlocker quiet(m_scheme);
    m_scheme->setCurrentIndex(itemOf(substation::defaultScheme(kind)));
    m_range->setEnabled(hasRegulator(substation::defaultScheme(kind)));
}

void SubstationWindow::follow(const SelectionRun& run)
{
    if (run.failure() || !run.sized) {
        clear();
        return;
    }
    m_request = run.sized->request;
    followKind(m_request->kind);
    recompute();
}

void SubstationWindow::clear()
{
    m_request.reset();
    m_sheet.reset();
    sayPlainly(m_status,
               QStringLiteral("Нет результата подбора: нажмите «Подобрать» в окне подбора."));
    showBudget();
}

std::optional<calcsheet::SubstationSheet> SubstationWindow::sheet() const
{
    return isVisible() ? m_sheet : std::nullopt;
}

std::vector<NamedBox> SubstationWindow::namedBoxes() const
{
    return {{"other-losses", m_otherLosses, num::general(0)},
            {"authority", m_authority, num::general(substation::kDefaultTargetAuthority)},
            {"max-elevator-head", m_maxHead, num::general(substation::kDefaultMaxElevatorHead)},
            {"min-bore", m_minBore, num::general(substation::kDefaultMinBore)}};
}

Fields SubstationWindow::inputs() const
{
    Fields fields = {
        {QStringLiteral("scheme"),
         QString::fromLatin1(substation::kSchemeRows[std::max(0, m_scheme->currentIndex())].id)}};
    for (auto& field : fieldsOfBoxes(namedBoxes()))
        fields.push_back(std::move(field));
    fields.emplace_back(QStringLiteral("range"), QString::number(m_range->currentIndex() + 1));
    return fields;
}

void SubstationWindow::setInputs(EquipmentKind kind, const Fields& fields)
{
    const auto given = [&fields](const char* name) -> std::optional<QString> {
        for (const auto& [field, value] : fields)
            if (field == QLatin1String(name))
                return value;
        return std::nullopt;
    };
    m_kind = kind;
    const QSignalBlocker quietScheme(m_scheme);
    const QSignalBlocker quietRange(m_range);
    const std::optional<substation::Scheme> scheme =
        substation::schemeOfId(given("scheme").value_or(QString()));
    m_scheme->setCurrentIndex(itemOf(scheme.value_or(substation::defaultScheme(kind))));
    m_range->setCurrentIndex(given("range").value_or(QStringLiteral("1")).toInt() - 1);
    putInBoxes(namedBoxes(), fields);
    schemeChosen();
}

void SubstationWindow::schemeChosen()
{
    const int item = std::max(0, m_scheme->currentIndex());
    m_range->setEnabled(hasRegulator(substation::kSchemeRows[item].scheme));
    recompute();
}

std::optional<substation::Options> SubstationWindow::options(QString* problem) const
{
    const auto number = [](const QLineEdit* box) {
        return num::parseDecimal(QString(box->text()).replace(u'−', u'-').trimmed());
    };
    const std::pair<const QLineEdit*, const char*> boxes[] = {
        {m_otherLosses, "прочие потери напора"},
        {m_authority, "целевой авторитет клапана"},
        {m_maxHead, "наибольший напор сопла элеватора"},
        {m_minBore, "наименьший диаметр отверстия"},
    };
    for (const auto& [box, what] : boxes)
        if (!number(box)) {
            *problem =
                QStringLiteral("Не число: %1 «%2».").arg(QString::fromUtf8(what), box->text());
            return std::nullopt;
        }
    substation::Options o;
    o.scheme = substation::kSchemeRows[std::max(0, m_scheme->currentIndex())].scheme;
    o.otherLosses = qty::Head::metres(*number(m_otherLosses));
    o.targetAuthority = *number(m_authority);
    o.settingRange = m_range->currentIndex() + 1;
    o.maxElevatorHead = qty::Head::metres(*number(m_maxHead));
    o.minBore = qty::Diameter::millimetres(*number(m_minBore));
    return o;
}

void SubstationWindow::recompute()
{
    m_sheet.reset();
    if (!m_request) {
        showBudget();
        return;
    }
    QString problem;
    const std::optional<substation::Options> o = options(&problem);
    if (!o) {
        sayPlainly(m_status, problem);
        showBudget();
        return;
    }
    vedan::Outcome<substation::Budget> b = substation::budget(*m_request, *o);
    if (b.failure) {
        sayPlainly(m_status, QStringLiteral("Распределение не рассчитано: ") + b.failure->message
                                 + QLatin1Char('.'));
        showBudget();
        return;
    }
    m_sheet = calcsheet::SubstationSheet{*m_request, *o, std::move(b.value)};
    sayPlainly(m_status, QStringLiteral("Расход G = %1 т/ч, располагаемый напор ΔH = %2 м. Итог "
                                        "проверок: %3.")
                             .arg(num::fixed(m_sheet->budget.networkFlow.inTonnesPerHour(), 3),
                                  num::f2(m_sheet->budget.availableHead.inMetres()),
                                  checks::statusText(checks::verdict(m_sheet->budget.checks))));
    showBudget();
}

void SubstationWindow::fitTable(int rows)
{
    // The rows without a scroll bar, and room for a sideways one on a narrow screen; an emptied
    // table keeps its height, so that the page below does not jump while the user types.
    m_table->setFixedHeight(m_table->horizontalHeader()->sizeHint().height()
                            + rows * m_table->verticalHeader()->defaultSectionSize()
                            + 2 * m_table->frameWidth()
                            + m_table->horizontalScrollBar()->sizeHint().height());
}

void SubstationWindow::showBudget()
{
    m_table->clearContents();
    m_table->setRowCount(0);
    m_checks->showChecks({});
    m_pages->setTabText(kChecksPage, QStringLiteral("Проверки"));
    m_pages->setTabIcon(kChecksPage, QIcon());
    if (!m_sheet) {
        m_chartView->setChart(new QChart);
        return;
    }
    const substation::Budget& b = m_sheet->budget;
    m_table->setRowCount(static_cast<int>(b.elements.size()));
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const Element& e = b.elements[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
            auto* item = new QTableWidgetItem(kColumns[c].text(e));
            if (c >= kFirstNumberColumn && c <= kLastNumberColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }
        // Every model offered, where there is more than the first.
        QStringList offers;
        for (const selection::Offer& offer : e.offers)
            offers << offer.designation;
        if (offers.size() > 1)
            m_table->item(r, kModelColumn)
                ->setToolTip(QStringLiteral("Подходят: ") + offers.join(QStringLiteral(", ")));
    }
    m_table->resizeColumnsToContents();
    fitTable(m_table->rowCount());

    m_checks->showChecks(b.checks);
    const checks::Status verdict = checks::verdict(b.checks);
    m_pages->setTabText(kChecksPage, QStringLiteral("Проверки: ") + checks::statusText(verdict));
    m_pages->setTabIcon(kChecksPage, statusIcon(verdict));

    m_chartView->setChart(
        chartOf(b, substation::piezometricLine(b, m_request->conditions.inletPressure)));
}

} // namespace selection
