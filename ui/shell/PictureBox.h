#pragma once
// A picture box: shows an image scaled into its box. Proportional scaling shrinks a larger image
// to fit and keeps its aspect ratio; stretch lets it grow to the box as well (with proportional,
// still keeping the aspect ratio; without it, filling the box). A click emits clicked().
// A picture given by its file is decoded only when the box is first drawn, and then only as large
// as the box shows it on its screen. Depends on Qt Widgets and the pictures of the shell.

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
    // A picture of the pictures folder (pictures::load), decoded when first needed.
    void setImageFile(const QString& fileName);
    // The picture, decoded now if it is still waiting.
    const QImage& image() const;
    // False while a picture file waits for the box to be drawn.
    bool isDecoded() const { return m_file.isEmpty() || m_decodedFor.isValid(); }
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
    // The size in device pixels at which the box shows its whole picture.
    QSize neededSize() const;
    void decodeIfNeeded() const;

    mutable QImage m_image;
    QString m_file;
    mutable QSize m_decodedFor; // the needed size the picture was last decoded for
    bool m_proportional = false;
    bool m_stretch = false;
};

} // namespace shell
