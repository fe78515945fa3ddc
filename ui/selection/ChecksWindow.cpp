#include "ui/selection/ChecksWindow.h"

#include "core/Numbers.h"
#include "ui/shell/Centring.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace selection {

namespace {

// How a status is drawn: a shape and a colour of the Okabe–Ito palette, which stays apart for
// colour-blind eyes, and a word; the shape and the word alone tell the statuses apart.
enum class Shape { Circle, Triangle, Square, Ring };

struct StatusLook {
    checks::Status status;
    Shape shape;
    QColor colour;
    QColor tint; // background of the verdict cell
    QChar mark;
};

const std::vector<StatusLook>& looks()
{
    static const std::vector<StatusLook> rows = {
        {checks::Status::Passed, Shape::Circle, QColor(0x00, 0x9E, 0x73), QColor(0xE3, 0xF4, 0xEE),
         QChar(0x2713)},
        {checks::Status::Warning, Shape::Triangle, QColor(0xE6, 0x9F, 0x00),
         QColor(0xFC, 0xF1, 0xD9), QLatin1Char('!')},
        {checks::Status::Failed, Shape::Square, QColor(0xD5, 0x5E, 0x00), QColor(0xF9, 0xE4, 0xD6),
         QChar(0x2715)},
        {checks::Status::NotApplicable, Shape::Ring, QColor(0x80, 0x80, 0x80),
         QColor(0xEE, 0xEE, 0xEE), QChar(0x2013)},
    };
    return rows;
}

const StatusLook& lookOf(checks::Status status)
{
    return *std::find_if(looks().begin(), looks().end(),
                         [&](const StatusLook& l) { return l.status == status; });
}

QPainterPath outline(Shape shape, const QRectF& r)
{
    QPainterPath path;
    switch (shape) {
    case Shape::Circle:
    case Shape::Ring: path.addEllipse(r); break;
    case Shape::Triangle:
        path.moveTo(r.center().x(), r.top());
        path.lineTo(r.bottomRight());
        path.lineTo(r.bottomLeft());
        path.closeSubpath();
        break;
    case Shape::Square: path.addRect(r.adjusted(1, 1, -1, -1)); break;
    }
    return path;
}

QIcon iconOf(checks::Status status)
{
    const StatusLook& look = lookOf(status);
    // Drawn at the screen's pixel density, so that it stays sharp on a scaled screen.
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(20, 20) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1.5, 1.5, 17, 17);
    if (look.shape == Shape::Ring) {
        p.setPen(QPen(look.colour, 2));
        p.setBrush(Qt::NoBrush);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(look.colour);
    }
    p.drawPath(outline(look.shape, box));
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(look.shape == Shape::Ring       ? look.colour
             : look.shape == Shape::Triangle ? Qt::black
                                             : Qt::white);
    const QRectF markBox = look.shape == Shape::Triangle ? box.adjusted(0, 4, 0, 0) : box;
    p.drawText(markBox, Qt::AlignCenter, QString(look.mark));
    return QIcon(pixmap);
}

// "Проверки: не пройдены (2)": the worst status and how many checks have it.
QString verdictText(checks::Status verdict, int count)
{
    switch (verdict) {
    case checks::Status::Failed: return QStringLiteral("Проверки: не пройдены (%1)").arg(count);
    case checks::Status::Warning:
        return QStringLiteral("Проверки: есть предупреждения (%1)").arg(count);
    case checks::Status::NotApplicable: return QStringLiteral("Проверки: неприменимы");
    default: return QStringLiteral("Проверки: пройдены");
    }
}

QString withUnit(double value, const QString& unit)
{
    const QString number = std::abs(value) < 10 ? num::f3(value) : num::f2(value);
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

// "значение 1,800 кгс/см2; предупреждение 0,311 кгс/см2; отказ 0,463 кгс/см2"
QString limitsText(const checks::Check& c)
{
    QStringList parts;
    if (c.value)
        parts << QStringLiteral("значение ") + withUnit(*c.value, c.unit);
    if (c.warningLimit)
        parts << QStringLiteral("предел предупреждения ") + withUnit(*c.warningLimit, c.unit);
    if (c.failLimit)
        parts << QStringLiteral("предел отказа ") + withUnit(*c.failLimit, c.unit);
    return parts.join(QStringLiteral("; "));
}

// The formula column's rows as tall as their text wrapped to the column's present width: Qt's
// own size of a row counts the text's lines but not the wraps within them.
class WrappingDelegate : public QStyledItemDelegate {
public:
    explicit WrappingDelegate(QTreeView* view) : QStyledItemDelegate(view), m_view(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (index.column() != 1)
            return size;
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QStyle* style = m_view->style();
        const int margins =
            2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, &opt, m_view) + 1);
        const int width = m_view->columnWidth(1) - margins;
        if (width <= 0)
            return size;
        const QRect wrapped = QFontMetrics(opt.font).boundingRect(
            QRect(0, 0, width, 1 << 20), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, opt.text);
        size.setHeight(std::max(size.height(), wrapped.height() + margins));
        return size;
    }

private:
    QTreeView* m_view;
};

// A text of parts joined by "; ", one part a line: a tree row grows to the lines of its text.
QString stacked(QString text) { return text.replace(QStringLiteral("; "), QStringLiteral("\n")); }

QTreeWidgetItem* itemOf(const checks::Check& c)
{
    QString title = c.title;
    if (c.designation)
        title += QStringLiteral(" — ") + *c.designation;
    auto* item = new QTreeWidgetItem(
        {checks::statusText(c.status) + QLatin1Char('\n') + title, stacked(c.formula)});
    item->setIcon(0, iconOf(c.status));
    item->setBackground(0, lookOf(c.status).tint);
    item->setData(0, Qt::UserRole, c.id);

    struct Detail {
        const char* label;
        QString text;
    };
    const Detail details[] = {
        {"Источник", c.source},
        {"Принято", c.note},
        {"Пределы", limitsText(c)},
    };
    QStringList tip;
    for (const Detail& d : details) {
        if (d.text.isEmpty())
            continue;
        const QString label = QString::fromUtf8(d.label);
        item->addChild(new QTreeWidgetItem({label, stacked(d.text)}));
        tip << label + QStringLiteral(": ") + d.text;
    }
    item->setToolTip(0, tip.join(QLatin1Char('\n')));
    item->setToolTip(1, tip.join(QLatin1Char('\n')));
    return item;
}

QString summaryOf(const QString& caption, const std::vector<checks::Check>& found)
{
    if (found.empty())
        return QStringLiteral("Проверок нет. Они появляются после подбора (кнопка «Подобрать»); "
                              "подбор, закончившийся сообщением, проверок не дает.");
    QStringList counts;
    for (const StatusLook& look : looks()) {
        const auto n = std::count_if(found.begin(), found.end(), [&](const checks::Check& c) {
            return c.status == look.status;
        });
        counts << checks::statusText(look.status) + QStringLiteral(": ") + QString::number(n);
    }
    return caption + QStringLiteral(". Проверок ") + QString::number(found.size())
           + QStringLiteral(" (") + counts.join(QStringLiteral(", ")) + QStringLiteral(").");
}

} // namespace

ChecksWindow::ChecksWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("ChecksForm"));
    setWindowTitle(QStringLiteral("Проверки"));
    resize(900, 520);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Summary"));
    m_summary->setWordWrap(true);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("ChecksTree"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({QStringLiteral("Проверка"), QStringLiteral("Расчёт")});
    m_tree->setUniformRowHeights(false);
    m_tree->setTextElideMode(Qt::ElideNone);
    m_tree->setIconSize(QSize(20, 20));
    m_tree->setAlternatingRowColors(false);
    // Long formulas and details wrap between words within the window's width: no sideways
    // scrolling at any size.
    m_tree->setWordWrap(true);
    m_tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tree->header()->setStretchLastSection(true);
    // The titles are short and whole; the formulas take the rest of the width and wrap.
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_tree->setItemDelegate(new WrappingDelegate(m_tree));
    // A new width of the formula column wraps its texts anew.
    connect(m_tree->header(), &QHeaderView::sectionResized, m_tree, [this](int column) {
        if (column == 1)
            m_tree->doItemsLayout();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_tree);
    follow(QString(), {});
}

void ChecksWindow::follow(const QString& caption, const std::vector<checks::Check>& found)
{
    m_summary->setText(summaryOf(caption, found));
    m_tree->clear();
    for (const checks::Check& c : found)
        m_tree->addTopLevelItem(itemOf(c));
}

void ChecksWindow::bringForward()
{
    centring::bringForward(this, [this] { centring::placeOnOwnersScreen(this, QSize(900, 520)); });
}

void ChecksWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

VerdictButton::VerdictButton(QMenuBar* bar) : QToolButton(bar), m_bar(bar)
{
    setObjectName(QStringLiteral("verdictButton"));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setIconSize(QSize(16, 16));
    // The bar keeps the height of its commands whatever its corner shows, and the button is no
    // taller, so that the client area under the bar never moves.
    const int height = bar->sizeHint().height();
    bar->setFixedHeight(height);
    setMaximumHeight(height);
    hide();
    bar->setCornerWidget(this, Qt::TopRightCorner);
}

void VerdictButton::follow(const std::vector<checks::Check>& found)
{
    if (found.empty()) {
        hide();
        return;
    }
    const checks::Status verdict = checks::verdict(found);
    const int count = static_cast<int>(std::count_if(
        found.begin(), found.end(), [&](const checks::Check& c) { return c.status == verdict; }));
    setText(verdictText(verdict, count));
    setIcon(iconOf(verdict));
    setToolTip(QStringLiteral("Открыть окно проверок"));
    // A failed check cannot be missed: its colour on its tint, in bold.
    const StatusLook& look = lookOf(verdict);
    setStyleSheet(
        verdict == checks::Status::Failed
            ? QStringLiteral("QToolButton { color: %1; background: %2; font-weight: bold; "
                             "padding: 0 4px; }")
                  .arg(look.colour.name(), look.tint.name())
            : QStringLiteral("QToolButton { padding: 0 4px; }"));
    show();
    // The menu bar lays out its corner only when the corner is set, shown or hidden: set again,
    // the button gets the width of its new text and font, never the last one's.
    m_bar->setCornerWidget(this, Qt::TopRightCorner);
}

} // namespace selection
