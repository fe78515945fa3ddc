#pragma once
// The program's JPEG pictures, decoded with libjpeg-turbo. They are found beside the program
// however it is started (the build tree, an installed tree, the source tree).

#include <QImage>
#include <QString>

namespace Pictures {

// The folder that holds the pictures, or an empty text when none is found.
QString folder();

// The pictures folder as seen from a program's folder: resources/pictures (a source tree) or
// share/vedan/pictures (an installed tree) in it or in one of the six folders above it, the
// nearest first; an empty text when there is none.
QString folderBeside(const QString& programFolder);

// Decodes a JPEG file of the pictures folder ("image5.jpg", "plant.jpg"). A missing or corrupt
// file gives a null image; the caller leaves its box empty.
QImage load(const QString& fileName);

// Decodes JPEG bytes; a null image when they are not a valid JPEG.
QImage decode(const QByteArray& jpeg);

} // namespace Pictures
