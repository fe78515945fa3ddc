#include "ui/selection/ChecksTree.h"

#include "core/Guide.h"
#include "core/Numbers.h"
#include "ui/shell/HelpWindow.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

namespace selection {

namespace {

QPainterPath outline(StatusShape shape, const QRectF& r)
{
    QPainterPath path;
    switch (shape) {
    case StatusShape::Circle:
    case StatusShape::Ring: path.addEllipse(r); break;
    case StatusShape::Triangle:
        path.moveTo(r.center().x(), r.top());
        path.lineTo(r.bottomRight());
        path.lineTo(r.bottomLeft());
        path.closeSubpath();
        break;
    case StatusShape::Square: path.addRect(r.adjusted(1, 1, -1, -1)); break;
    }
    return path;
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
    item->setIcon(0, statusIcon(c.status));
    item->setBackground(0, statusLook(c.status).tint);
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

} // namespace

const std::vector<StatusLook>& statusLooks()
{
    static const std::vector<StatusLook> rows = {
        {checks::Status::Passed, StatusShape::Circle, QColor(0x00, 0x9E, 0x73),
         QColor(0xE3, 0xF4, 0xEE), QChar(0x2713)},
        {checks::Status::Warning, StatusShape::Triangle, QColor(0xE6, 0x9F, 0x00),
         QColor(0xFC, 0xF1, 0xD9), QLatin1Char('!')},
        {checks::Status::Failed, StatusShape::Square, QColor(0xD5, 0x5E, 0x00),
         QColor(0xF9, 0xE4, 0xD6), QChar(0x2715)},
        {checks::Status::NotApplicable, StatusShape::Ring, QColor(0x80, 0x80, 0x80),
         QColor(0xEE, 0xEE, 0xEE), QChar(0x2013)},
    };
    return rows;
}

const StatusLook& statusLook(checks::Status status)
{
    return *std::find_if(statusLooks().begin(), statusLooks().end(),
                         [&](const StatusLook& l) { return l.status == status; });
}

QIcon statusIcon(checks::Status status)
{
    const StatusLook& look = statusLook(status);
    // Drawn at the screen's pixel density, so that it stays sharp on a scaled screen.
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(20, 20) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1.5, 1.5, 17, 17);
    if (look.shape == StatusShape::Ring) {
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
    p.setPen(look.shape == StatusShape::Ring       ? look.colour
             : look.shape == StatusShape::Triangle ? Qt::black
                                                   : Qt::white);
    const QRectF markBox = look.shape == StatusShape::Triangle ? box.adjusted(0, 4, 0, 0) : box;
    p.drawText(markBox, Qt::AlignCenter, QString(look.mark));
    return QIcon(pixmap);
}

ChecksTree::ChecksTree(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Проверка"), QStringLiteral("Расчёт")});
    setUniformRowHeights(false);
    setTextElideMode(Qt::ElideNone);
    setIconSize(QSize(20, 20));
    setAlternatingRowColors(false);
    // Long formulas and details wrap between words within the window's width: no sideways
    // scrolling at any size.
    setWordWrap(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setStretchLastSection(true);
    // The titles are short and whole; the formulas take the rest of the width and wrap.
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setItemDelegate(new WrappingDelegate(this));
    // A new width of the formula column wraps its texts anew.
    connect(header(), &QHeaderView::sectionResized, this, [this](int column) {
        if (column == 1)
            doItemsLayout();
    });
    connect(this, &QTreeWidget::currentItemChanged, this, &ChecksTree::followCurrent);
}

QString ChecksTree::checkOf(const QTreeWidgetItem* item)
{
    while (item && item->parent())
        item = item->parent();
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

// F1 on a check opens its description in the guide; elsewhere in the tree the window's topic.
void ChecksTree::followCurrent(QTreeWidgetItem* current)
{
    const QString id = checkOf(current);
    helpwindow::setTopic(this,
                         id.isEmpty() ? QString() : QString::fromLatin1(guide::kChecksChapter),
                         id.isEmpty() ? QString() : guide::checkAnchor(id));
}

void ChecksTree::openGuide(const QString& checkId)
{
    helpwindow::show(QString::fromLatin1(guide::kChecksChapter), guide::checkAnchor(checkId));
}

void ChecksTree::showChecks(const std::vector<checks::Check>& found)
{
    clear();
    for (const checks::Check& c : found) {
        QTreeWidgetItem* item = itemOf(c);
        addTopLevelItem(item);
        // The check's description in the user's guide, a link on a row of its own.
        auto* more = new QTreeWidgetItem(item, {QStringLiteral("Руководство")});
        auto* link =
            new QLabel(QStringLiteral("<a href=\"%1\">Подробнее</a>").arg(c.id.toHtmlEscaped()));
        link->setObjectName(QStringLiteral("GuideLink"));
        link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        link->setToolTip(QStringLiteral("Описание проверки в руководстве пользователя (F1)"));
        connect(link, &QLabel::linkActivated, this, &ChecksTree::openGuide);
        setItemWidget(more, 1, link);
    }
    followCurrent(currentItem());
}

} // namespace selection
