#include "ui/shell/Pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <turbojpeg.h>

#include <memory>

namespace pictures {

namespace {

// Our pictures are a few hundred pixels across; anything far beyond that is a damaged or hostile
// header, and decoding it would only allocate a huge buffer.
constexpr int kMaxSide = 16384;
constexpr qint64 kMaxPixels = qint64(64) * 1024 * 1024;
constexpr qint64 kMaxFileBytes = qint64(64) * 1024 * 1024;

// How many folders above the program's own are searched (build/<dir>/app/vedan reaches the
// source tree three levels up).
constexpr int kLevelsUp = 6;

struct HandleCloser {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Without an application object (command-line tools, library tests) ask the system.
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return self.exists() ? QFileInfo(self.canonicalFilePath()).absolutePath() : QString();
}

} // namespace

QString folderBeside(const QString& start)
{
    if (start.isEmpty())
        return {};
    QDir dir(start);
    for (int level = 0; level <= kLevelsUp; ++level) {
        for (const char* sub : {"resources/pictures", "share/vedan/pictures"}) {
            const QString candidate = dir.absoluteFilePath(QString::fromLatin1(sub));
            if (QFileInfo(candidate).isDir())
                return QDir::cleanPath(candidate);
        }
        if (!dir.cdUp())
            break;
    }
    return {};
}

namespace {

// The smallest size TurboJPEG's scaling factors give that still covers the wanted size in both
// directions; the full size when none is wanted or none is smaller.
QSize scaledSize(int width, int height, const QSize& atLeast)
{
    QSize best(width, height);
    if (atLeast.isEmpty())
        return best;
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    for (int i = 0; factors && i < count; ++i) {
        const QSize scaled(TJSCALED(width, factors[i]), TJSCALED(height, factors[i]));
        if (scaled.width() >= atLeast.width() && scaled.height() >= atLeast.height()
            && scaled.width() < best.width())
            best = scaled;
    }
    return best;
}

bool sensibleSize(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide
           && qint64(width) * height <= kMaxPixels;
}

} // namespace

namespace {

// Where the pictures are: beside the program, or else where the build was configured.
QString findFolder()
{
    QString found = folderBeside(programFolder());
    if (!found.isEmpty())
        return found;
#ifdef VEDAN_RESOURCE_DIR
    const QString compiled =
        QDir(QStringLiteral(VEDAN_RESOURCE_DIR)).absoluteFilePath(QStringLiteral("pictures"));
    if (QFileInfo(compiled).isDir())
        return QDir::cleanPath(compiled);
#endif
    return {};
}

} // namespace

QString folder()
{
    // The program does not move while it runs: the folder is searched for once.
    static const QString found = findFolder();
    return found;
}

QImage load(const QString& fileName, const QSize& atLeast)
{
    const QString dir = folder();
    if (dir.isEmpty() || fileName.isEmpty())
        return {};
    QFile file(QDir(dir).absoluteFilePath(fileName));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return {};
    return decode(file.readAll(), atLeast);
}

QImage decode(const QByteArray& jpeg, const QSize& atLeast)
{
    if (jpeg.isEmpty())
        return {};
    const Handle handle(tjInitDecompress());
    if (!handle)
        return {};
    auto* bytes = reinterpret_cast<const unsigned char*>(jpeg.constData());
    const auto size = static_cast<unsigned long>(jpeg.size());

    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(handle.get(), bytes, size, &width, &height, &subsampling, &colorspace)
        != 0)
        return {};
    if (!sensibleSize(width, height))
        return {};

    const QSize scaled = scaledSize(width, height, atLeast);
    QImage image(scaled, QImage::Format_RGB888);
    if (image.isNull())
        return {};
    // A warning (a truncated file, a damaged segment) counts as a failure: half a picture with
    // grey filler is worse than an empty box.
    const int flags = TJFLAG_STOPONWARNING;
    if (tjDecompress2(handle.get(), bytes, size, image.bits(), scaled.width(),
                      int(image.bytesPerLine()), scaled.height(), TJPF_RGB, flags)
        != 0)
        return {};
    return image;
}

} // namespace pictures
