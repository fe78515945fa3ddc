#pragma once
// The program's JPEG pictures, decoded with libjpeg-turbo. They are found beside the program
// however it is started (the build tree, an installed tree, the source tree).
// Depends on Qt Gui and libjpeg-turbo.

#include <QImage>
#include <QSize>
#include <QString>

namespace pictures {

// The folder that holds the pictures, or an empty text when none is found.
QString folder();

// The pictures folder as seen from a program's folder `start`: resources/pictures (a source tree) or
// share/vedan/pictures (an installed tree) in it or in one of the six folders above it, the
// nearest first; an empty text when there is none.
QString folderBeside(const QString& start);

// Decodes a JPEG file of the pictures folder ("image5.jpg", "plant.jpg"). A missing or corrupt
// file gives a null image; the caller leaves its box empty. With a size given, the picture is
// decoded reduced by the largest of TurboJPEG's scaling factors (n/8) that still leaves it at
// least that size (never enlarged): a picture shown smaller than it is drawn costs only what is
// shown.
QImage load(const QString& fileName, const QSize& atLeast = {});

// Decodes JPEG bytes, reduced as load() does; a null image when they are not a valid JPEG.
QImage decode(const QByteArray& jpeg, const QSize& atLeast = {});

} // namespace pictures
