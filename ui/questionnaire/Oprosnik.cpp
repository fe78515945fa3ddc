#include "ui/questionnaire/Oprosnik.h"

#include "questionnaire/Sheets.h"
#include "ui/shell/Memos.h"
#include "ui/shell/Messages.h"
#include "ui/shell/UiFonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSizePolicy>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

using namespace questionnaire;

TOprList* OprList = nullptr;

namespace {

constexpr int kClientWidth = 987;
constexpr int kClientHeight = 441;
constexpr int kPanelMargin = 4;
constexpr int kColumnGap = 6;
constexpr int kGroupMargin = 6;
constexpr int kSpacing = 4;
constexpr int kSameRowGap = 6; // between the pieces of a line that shares its row
constexpr int kLineHeight = 19;
constexpr int kShortEditWidth = 40;
constexpr int kTextEditMinWidth = 150;

// Width of the left column of each panel. The individual substation's left column holds the
// longest lines; the block substation's right column is the wide one.
int leftWidth(Kind kind)
{
    switch (kind) {
    case Kind::Itp: return 508;
    case Kind::Btp: return 420;
    case Kind::Plate: return 486;
    }
    return 486;
}

int columnWidth(Kind kind, int column)
{
    const int both = kClientWidth - 2 * kPanelMargin - kColumnGap;
    return column == 0 ? leftWidth(kind) : both - leftWidth(kind);
}

// Edit boxes for names, addresses and the "other" texts, and memos, take the rest of their line.
bool expands(const QWidget* w)
{
    return (qobject_cast<const QLineEdit*>(w) && w->minimumWidth() != w->maximumWidth())
           || qobject_cast<const QPlainTextEdit*>(w);
}

int naturalWidth(QWidget* w)
{
    if (qobject_cast<QLineEdit*>(w))
        return expands(w) ? kTextEditMinWidth : w->maximumWidth();
    return w->sizeHint().width();
}

// Edit boxes whose default is a short figure are narrow; names, addresses and free texts take
// the rest of their line.
bool isShortEdit(const ControlSpec& spec) { return spec.text.size() <= 5; }

} // namespace

TOprList::TOprList(QWidget* parent)
    : TWorkForm(QStringLiteral("OprList"), defaultCaption(), kClientWidth, kClientHeight,
                Placement::MainWindowCentre, parent)
{
    setFont(uifonts::windowFont());
}

// The panels are built when the window is first shown: until then nobody sees them, and the
// program starts sooner without them.
void TOprList::buildPanels()
{
    if (!m_panels.isEmpty())
        return;
    // Tables, not Designer forms: the same rows also fill the sheets and the completeness check.
    for (const PanelSpec& spec : panels()) {
        QWidget* panel = buildPanel(spec);
        panel->setGeometry(0, 0, kClientWidth, kClientHeight);
        panel->setVisible(spec.kind == Kind::Itp);
        m_panels.insert(static_cast<int>(spec.kind), panel);
    }
    connect(control<QCheckBox>(QStringLiteral("CheckBox1")), &QCheckBox::toggled, this,
            &TOprList::CheckBox1Click);
    connect(control<QCheckBox>(QStringLiteral("CheckBox6")), &QCheckBox::toggled, this,
            &TOprList::CheckBox1Click);
    connect(control<QComboBox>(QStringLiteral("ComboBox17")), &QComboBox::currentIndexChanged, this,
            &TOprList::ComboBox17Change);
    connect(control<QComboBox>(QStringLiteral("ComboBox19")), &QComboBox::currentIndexChanged, this,
            &TOprList::ComboBox19Change);
    connect(control<QPushButton>(QStringLiteral("Button1")), &QPushButton::clicked, this,
            &TOprList::Button1Click);
    connect(control<QPushButton>(QStringLiteral("Button2")), &QPushButton::clicked, this,
            &TOprList::Button2Click);
    connect(control<QPushButton>(QStringLiteral("Button3")), &QPushButton::clicked, this,
            &TOprList::Button3Click);
    for (const PanelSpec& spec : panels())
        connect(control<QPushButton>(spec.exitButton), &QPushButton::clicked, this,
                &QWidget::close);
}

template <typename T> T* TOprList::control(const QString& name) const
{
    return qobject_cast<T*>(m_controls.value(name));
}

QWidget* TOprList::buildPanel(const PanelSpec& spec)
{
    auto* panel = new QWidget(client());
    panel->setObjectName(spec.panelName);
    auto* columns = new QHBoxLayout(panel);
    columns->setContentsMargins(kPanelMargin, 0, kPanelMargin, kPanelMargin);
    columns->setSpacing(kColumnGap);
    QVBoxLayout* column[2] = {new QVBoxLayout, new QVBoxLayout};
    for (int i = 0; i < 2; ++i) {
        column[i]->setSpacing(1);
        column[i]->setContentsMargins(0, 0, 0, 0);
        auto* holder = new QWidget;
        holder->setFixedWidth(columnWidth(spec.kind, i));
        holder->setLayout(column[i]);
        columns->addWidget(holder);
    }
    for (const GroupSpec& group : spec.groups)
        column[group.column]->addWidget(
            buildGroup(spec, group, columnWidth(spec.kind, group.column)));
    column[0]->addStretch(1);
    column[1]->addWidget(buildButtons(spec), 0, Qt::AlignRight);
    return panel;
}

QGroupBox* TOprList::buildGroup(const PanelSpec& spec, const GroupSpec& group, int width)
{
    // Built inside the window from the start, so that every text is measured in the window's font.
    auto* box = new QGroupBox(group.title, client());
    auto* lines = new QVBoxLayout(box);
    lines->setContentsMargins(kGroupMargin, 0, kGroupMargin, 2);
    lines->setSpacing(1);
    const int available = width - 2 * kGroupMargin - 2;
    QHBoxLayout* row = nullptr;
    int rowWidth = 0;
    bool hasMemo = false;
    for (const FormLine& line : group.lines) {
        if (!line.sameRow || !row) {
            row = new QHBoxLayout;
            row->setSpacing(kSpacing);
            lines->addLayout(row, 0);
            rowWidth = 0;
        }
        QList<QWidget*> controls;
        int controlsWidth = 0;
        for (int i = 0; i < line.controls.size(); ++i) {
            if (i > 0 && !line.separator.isEmpty()) {
                auto* separator = new QLabel(line.separator, box);
                separator->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
                controls << separator;
            }
            const ControlSpec* c = spec.control(line.controls[i]);
            controls << buildControl(*c, box);
            hasMemo = hasMemo || c->type == ControlType::Memo;
        }
        for (QWidget* c : controls)
            controlsWidth += naturalWidth(c) + kSpacing;
        if (!line.label.isEmpty()) {
            auto* label = new QLabel(line.label, box);
            const int room = available - rowWidth - controlsWidth - 2 * kSpacing;
            if (label->sizeHint().width() > room) {
                label->setWordWrap(true);
                label->setFixedWidth(room);
            }
            if (rowWidth > 0)
                row->addSpacing(kSameRowGap);
            row->addWidget(label);
            rowWidth += label->sizeHint().width() + kSpacing;
            if (std::none_of(controls.begin(), controls.end(), expands))
                row->addStretch(1);
        }
        for (QWidget* c : controls)
            row->addWidget(c, expands(c) ? 1 : 0);
        rowWidth += controlsWidth;
    }
    if (hasMemo)
        box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    else
        box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return box;
}

QWidget* TOprList::buildControl(const ControlSpec& spec, QWidget* parent)
{
    QWidget* widget = nullptr;
    switch (spec.type) {
    case ControlType::Edit: {
        auto* edit = new QLineEdit(spec.text, parent);
        if (isShortEdit(spec))
            edit->setFixedWidth(kShortEditWidth);
        else
            edit->setMinimumWidth(kTextEditMinWidth);
        edit->setFixedHeight(kLineHeight);
        edit->setCursorPosition(0); // a text longer than its box shows from its beginning
        widget = edit;
        break;
    }
    case ControlType::Combo: {
        auto* combo = new QComboBox(parent);
        combo->addItems(spec.items);
        combo->setFixedHeight(kLineHeight);
        widget = combo;
        break;
    }
    case ControlType::Check: {
        auto* box = new QCheckBox(spec.text, parent);
        box->setChecked(spec.checked);
        box->setFixedHeight(kLineHeight);
        widget = box;
        break;
    }
    case ControlType::Memo: {
        auto* memo = new QPlainTextEdit(spec.text, parent);
        memos::wrapToWidth(memo);
        widget = memo;
        break;
    }
    }
    widget->setObjectName(spec.name);
    widget->setEnabled(spec.enabled);
    m_controls.insert(spec.name, widget);
    return widget;
}

QWidget* TOprList::buildButtons(const PanelSpec& spec)
{
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    auto* request = new QPushButton(requestCaption());
    request->setObjectName(spec.requestButton);
    auto* exit =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), exitCaption());
    exit->setObjectName(spec.exitButton);
    for (QPushButton* button : {request, exit}) {
        button->setFixedSize(150, 23);
        layout->addWidget(button);
        m_controls.insert(button->objectName(), button);
    }
    return box;
}

void TOprList::FormShow()
{
    buildPanels();
    const std::optional<Kind> kind = kindForCaption(windowTitle());
    if (!kind)
        return;
    for (auto it = m_panels.begin(); it != m_panels.end(); ++it)
        it.value()->setVisible(it.key() == static_cast<int>(*kind));
}

// The metering check boxes of the two substation panels share this handler: each enables the
// edit box of its meter's maker.
void TOprList::CheckBox1Click()
{
    static const std::pair<const char*, const char*> kMeterMakers[] = {
        {"CheckBox1", "Edit15"},
        {"CheckBox6", "Edit52"},
    };
    for (const auto& [box, edit] : kMeterMakers) {
        if (QWidget* widget = m_controls.value(QLatin1String(edit)))
            widget->setEnabled(control<QCheckBox>(QLatin1String(box))->isChecked());
    }
}

void TOprList::enableOther(const QString& combo, const QString& edit)
{
    m_controls.value(edit)->setEnabled(control<QComboBox>(combo)->currentIndex() == kOtherItem);
}

void TOprList::ComboBox17Change()
{
    enableOther(QStringLiteral("ComboBox17"), QStringLiteral("Edit45"));
}
void TOprList::ComboBox19Change()
{
    enableOther(QStringLiteral("ComboBox19"), QStringLiteral("Edit46"));
}

void TOprList::Button3Click() { request(Kind::Itp); }
void TOprList::Button1Click() { request(Kind::Btp); }
void TOprList::Button2Click() { request(Kind::Plate); }

PanelValues TOprList::readPanel(Kind kind) const
{
    if (m_panels.isEmpty())
        return defaults(kind); // never shown: the controls would hold their defaults
    PanelValues values;
    for (const ControlSpec& spec : panel(kind).controls) {
        QWidget* widget = m_controls.value(spec.name);
        switch (spec.type) {
        case ControlType::Edit:
            values.texts.insert(spec.name, qobject_cast<QLineEdit*>(widget)->text());
            break;
        case ControlType::Memo:
            // The sheet takes the memo's lines as the memo displays them.
            values.texts.insert(spec.name,
                                memos::displayedLines(qobject_cast<QPlainTextEdit*>(widget))
                                    .join(QLatin1Char('\n')));
            break;
        case ControlType::Combo:
            values.choices.insert(spec.name, qobject_cast<QComboBox*>(widget)->currentIndex());
            break;
        case ControlType::Check:
            values.checks.insert(spec.name, qobject_cast<QCheckBox*>(widget)->isChecked());
            break;
        }
    }
    return values;
}

void TOprList::request(Kind kind) { reportIfFailed(buildSheet(m_xlApp, kind, readPanel(kind))); }
