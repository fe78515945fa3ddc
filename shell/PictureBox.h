#pragma once
// A picture box: shows an image scaled into its box. Proportional scaling shrinks a larger image
// to fit and keeps its aspect ratio; stretch lets it grow to the box as well (with proportional,
// still keeping the aspect ratio; without it, filling the box). A click emits clicked().

#include <QImage>
#include <QWidget>

namespace shell {

class PictureBox : public QWidget {
    Q_OBJECT
    // Set by the window forms (and kept by Qt Designer, which knows the box only as a QWidget).
    Q_PROPERTY(bool proportional READ proportional WRITE setProportional)
    Q_PROPERTY(bool stretch READ stretch WRITE setStretch)
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }
    void setProportional(bool on);
    void setStretch(bool on);
    bool proportional() const { return m_proportional; }
    bool stretch() const { return m_stretch; }
    // The rectangle the image is drawn into, in the box's coordinates.
    QRect imageRect() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    bool m_proportional = false;
    bool m_stretch = false;
};

} // namespace shell
