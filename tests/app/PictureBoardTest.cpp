// The main window's picture board as it is drawn: every product caption falls on white, and no
// picture's drawing reaches under a picture box that lies on top of it.

#include "app/Forms.h"
#include "app/InfoZavod.h"
#include "app/Main.h"
#include "ui/shell/PictureBox.h"
#include "ui/shell/WorkWindow.h"

#include <QLabel>
#include <QTest>

using shell::PictureBox;

namespace {

// Near white in every channel: the white board, or a JPEG's light ringing at most.
constexpr int kWhiteLevel = 225;

// The points of the area (in board coordinates) that are not white in the board's picture (taken
// at the screen's pixel ratio).
int darkPoints(const QImage& board, const QRect& area)
{
    int dark = 0;
    const qreal ratio = board.devicePixelRatio();
    const QRectF scaled(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio);
    const QRect inside = scaled.toRect().intersected(board.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = board.pixelColor(x, y);
            dark += std::min({c.red(), c.green(), c.blue()}) < kWhiteLevel;
        }
    return dark;
}

QImage drawn(QWidget* board) { return board->grab().toImage(); }

} // namespace

class PictureBoardTest : public QObject {
    Q_OBJECT
    QWidget* m_board = nullptr;
    QList<PictureBox*> m_pictures; // bottom to top
    QList<QLabel*> m_captions;

    void showOnly(const QList<QWidget*>& shown)
    {
        for (QObject* child : m_board->children())
            if (auto* w = qobject_cast<QWidget*>(child))
                w->setVisible(shown.contains(w));
    }

private slots:
    void initTestCase()
    {
        createForms();
        MainForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(MainForm));
        m_board = MainForm->findChild<QWidget*>("board");
        QVERIFY(m_board);
        for (QObject* child : m_board->children()) {
            if (auto* box = qobject_cast<PictureBox*>(child))
                m_pictures << box;
            else if (auto* label = qobject_cast<QLabel*>(child))
                m_captions << label;
        }
        QCOMPARE(m_pictures.size(), 12);
        QCOMPARE(m_captions.size(), 14);
    }
    void cleanupTestCase() { destroyForms(); }

    // Each picture is decoded at the size its box shows it (the pictures are drawn at twice
    // that), and the plant picture only when its window is first shown.
    void picturesDecodeWhenShownAtTheirShownSize()
    {
        for (PictureBox* box : m_pictures)
            QCOMPARE(box->image().size(), box->size() * box->devicePixelRatioF());
        auto* plant = InfoForm->findChild<PictureBox*>("Image1");
        QVERIFY(!plant->isDecoded());
        windowprotocol::openWorkWindow(InfoForm);
        QVERIFY(QTest::qWaitForWindowExposed(InfoForm));
        QVERIFY(plant->isDecoded());
        QCOMPARE(plant->image().size(), plant->size() * plant->devicePixelRatioF());
        InfoForm->close();
    }

    void everyCaptionFallsOnWhite()
    {
        showOnly({m_pictures.begin(), m_pictures.end()});
        const QImage board = drawn(m_board);
        for (QLabel* label : m_captions) {
            // The text's own extent inside the label.
            const QRect text = label->fontMetrics().boundingRect(label->text());
            const QRect area(label->geometry().topLeft() + label->contentsRect().topLeft()
                                 + QPoint(0, label->fontMetrics().ascent()) + text.topLeft(),
                             text.size());
            QVERIFY2(darkPoints(board, area) == 0, qPrintable(label->text()));
        }
    }

    void noDrawingReachesUnderABoxOnTopOfIt()
    {
        for (int below = 0; below < m_pictures.size(); ++below) {
            PictureBox* lower = m_pictures[below];
            QVERIFY2(!lower->image().isNull(), qPrintable(lower->objectName()));
            showOnly({lower});
            const QImage board = drawn(m_board);
            for (int above = below + 1; above < m_pictures.size(); ++above) {
                const QRect covered = lower->geometry().intersected(m_pictures[above]->geometry());
                if (covered.isEmpty())
                    continue;
                QVERIFY2(
                    darkPoints(board, covered) == 0,
                    qPrintable(lower->objectName() + " under " + m_pictures[above]->objectName()));
            }
        }
    }
};

QTEST_MAIN(PictureBoardTest)
#include "PictureBoardTest.moc"
