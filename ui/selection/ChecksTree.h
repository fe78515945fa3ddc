#pragma once
// The engineering checks of a result as a tree, as the checks window and the substation window
// show them: each check with its verdict (an icon of its own shape and colour, and a word), its
// title and the formula with the numbers; the source, the assumptions and the limits on hover and
// on expansion. Also how each status is drawn, for the verdicts shown beside the tree.
// Depends on Qt Widgets and the checks library.

#include "checks/Checks.h"

#include <QColor>
#include <QIcon>
#include <QTreeWidget>
#include <vector>

namespace selection {

// How a status is drawn: a shape and a colour of the Okabe–Ito palette, which stays apart for
// colour-blind eyes, and a word; the shape and the word alone tell the statuses apart.
enum class StatusShape { Circle, Triangle, Square, Ring };

struct StatusLook {
    checks::Status status;
    StatusShape shape;
    QColor colour;
    QColor tint; // background of the verdict cell
    QChar mark;
};

// Passed, warning, failed, not applicable: the order in which a summary counts them.
const std::vector<StatusLook>& statusLooks();
const StatusLook& statusLook(checks::Status status);
// The status's shape in its colour with its mark, drawn at the screen's pixel density.
QIcon statusIcon(checks::Status status);

class ChecksTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit ChecksTree(QWidget* parent);
    // Replaces the rows by the checks, in their order; none empties the tree.
    void showChecks(const std::vector<checks::Check>& found);
    // The id of the check a row belongs to (its own or its parent's); empty for none.
    static QString checkOf(const QTreeWidgetItem* item);

private:
    void followCurrent(QTreeWidgetItem* current);
    void openGuide(const QString& checkId);
};

} // namespace selection
