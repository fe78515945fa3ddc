#include "ui/shell/PictureBox.h"

#include "ui/shell/Pictures.h"

#include <QMouseEvent>
#include <QPainter>

namespace shell {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setImage(const QImage& image)
{
    m_file.clear();
    m_image = image;
    update();
}

void PictureBox::setImageFile(const QString& fileName)
{
    m_file = fileName;
    m_image = QImage();
    m_decodedFor = QSize();
    update();
}

const QImage& PictureBox::image() const
{
    decodeIfNeeded();
    return m_image;
}

QSize PictureBox::neededSize() const { return (QSizeF(size()) * devicePixelRatioF()).toSize(); }

void PictureBox::decodeIfNeeded() const
{
    if (m_file.isEmpty())
        return;
    const QSize needed = neededSize();
    if (m_decodedFor.isValid() && m_decodedFor == needed)
        return;
    m_image = pictures::load(m_file, needed);
    m_decodedFor = needed;
}

void PictureBox::setProportional(bool on)
{
    m_proportional = on;
    update();
}

void PictureBox::setStretch(bool on)
{
    m_stretch = on;
    update();
}

QRect PictureBox::imageRect() const
{
    decodeIfNeeded();
    if (m_image.isNull())
        return {};
    const QSize box = size();
    QSize shown = m_image.size();
    if (m_stretch && !m_proportional) {
        shown = box;
    } else if (m_proportional) {
        const bool larger = shown.width() > box.width() || shown.height() > box.height();
        if (larger || m_stretch)
            shown = shown.scaled(box, Qt::KeepAspectRatio);
    }
    // A proportional picture is centred in its box, a plain one sits in the top-left corner.
    if (m_proportional)
        return QRect(QPoint((box.width() - shown.width()) / 2, (box.height() - shown.height()) / 2),
                     shown);
    return QRect(QPoint(0, 0), shown);
}

void PictureBox::paintEvent(QPaintEvent*)
{
    decodeIfNeeded();
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(imageRect(), m_image);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace shell
