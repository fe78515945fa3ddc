#include "ui/shell/Pictures.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Box {
    const char* file;
    int width;
    int height;
};

// The boxes the pictures are shown in; each picture keeps its box's proportions.
const Box kBoxes[] = {
    {"image1.jpg", 81, 193},  {"image2.jpg", 97, 97},    {"image3.jpg", 105, 113},
    {"image4.jpg", 89, 201},  {"image5.jpg", 73, 177},   {"image6.jpg", 105, 201},
    {"image7.jpg", 137, 89},  {"image8.jpg", 105, 89},   {"image9.jpg", 89, 73},
    {"image10.jpg", 81, 113}, {"image11.jpg", 105, 105}, {"image12.jpg", 257, 185},
    {"plant.jpg", 417, 281},
};

QByteArray fileBytes(const QString& name)
{
    QFile file(QDir(pictures::folder()).absoluteFilePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Pictures, FolderIsFoundWithoutAnApplicationObject)
{
    const QString dir = pictures::folder();
    ASSERT_FALSE(dir.isEmpty());
    EXPECT_TRUE(QFileInfo(dir).isDir());
    EXPECT_TRUE(dir.endsWith(QStringLiteral("pictures")));
}

TEST(Pictures, FolderIsFoundFromInstalledAndBuildTrees)
{
    // Every layout sits seven folders deep in a fresh temporary folder, so that the search
    // (six folders up at most) never reaches the real trees around the test.
    const QString base = QStringLiteral("d/d/d/d/d/d/d/");
    const struct {
        const char* what;
        QStringList folders; // made under base; a trailing "=file" makes a plain file instead
        const char* program;
        const char* expected; // "" for none
    } cases[] = {
        {"installed under /usr",
         {"usr/bin", "usr/share/vedan/pictures"},
         "usr/bin",
         "usr/share/vedan/pictures"},
        {"installed under another prefix",
         {"opt/vedan/bin", "opt/vedan/share/vedan/pictures"},
         "opt/vedan/bin",
         "opt/vedan/share/vedan/pictures"},
        {"build tree inside the source tree",
         {"src/resources/pictures", "src/build/release/app"},
         "src/build/release/app",
         "src/resources/pictures"},
        {"an installed tree beats a source tree further up",
         {"resources/pictures", "stage/usr/bin", "stage/usr/share/vedan/pictures"},
         "stage/usr/bin",
         "stage/usr/share/vedan/pictures"},
        {"six folders up is the limit",
         {"resources/pictures", "a/b/c/d/e/f"},
         "a/b/c/d/e/f",
         "resources/pictures"},
        {"seven folders up is too far",
         {"resources/pictures", "a/b/c/d/e/f/g"},
         "a/b/c/d/e/f/g",
         ""},
        {"a plain file is not a folder",
         {"usr/bin", "usr/share/vedan/pictures=file"},
         "usr/bin",
         ""},
        {"the data of another program", {"usr/bin", "usr/share/other/pictures"}, "usr/bin", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        const QDir root(tmp.path() + QLatin1Char('/') + base);
        for (QString folder : c.folders) {
            if (folder.endsWith(QStringLiteral("=file"))) {
                folder.chop(5);
                ASSERT_TRUE(root.mkpath(QFileInfo(folder).path()));
                QFile file(root.absoluteFilePath(folder));
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            } else {
                ASSERT_TRUE(root.mkpath(folder));
            }
        }
        const QString expected =
            *c.expected ? QDir::cleanPath(root.absoluteFilePath(QString::fromLatin1(c.expected)))
                        : QString();
        EXPECT_EQ(pictures::folderBeside(root.absoluteFilePath(QString::fromLatin1(c.program))),
                  expected);
    }
    EXPECT_TRUE(pictures::folderBeside(QString()).isEmpty());
}

TEST(Pictures, EveryPictureDecodesWithItsBoxProportions)
{
    for (const Box& box : kBoxes) {
        SCOPED_TRACE(box.file);
        const QImage image = pictures::load(QString::fromLatin1(box.file));
        ASSERT_FALSE(image.isNull());
        // Drawn larger than the box so that it scales down cleanly.
        EXPECT_GE(image.width(), box.width);
        EXPECT_GE(image.height(), box.height);
        const double boxAspect = double(box.width) / box.height;
        const double aspect = double(image.width()) / image.height();
        EXPECT_NEAR(aspect, boxAspect, 0.02 * boxAspect);
    }
}

TEST(Pictures, PicturesHaveWhiteCornersAndRealContent)
{
    for (const Box& box : kBoxes) {
        SCOPED_TRACE(box.file);
        const QImage image = pictures::load(QString::fromLatin1(box.file));
        ASSERT_FALSE(image.isNull());
        // The decoder must hand over the real pixels: a picture is neither blank nor uniform.
        int dark = 0;
        for (int y = 0; y < image.height(); y += 4)
            for (int x = 0; x < image.width(); x += 4)
                dark += qGray(image.pixel(x, y)) < 160;
        EXPECT_GT(dark, 20);
        if (QString::fromLatin1(box.file) != QStringLiteral("plant.jpg")) {
            // Product pictures sit on the main window's white board.
            EXPECT_GT(qGray(image.pixel(0, image.height() - 1)), 235);
            EXPECT_GT(qGray(image.pixel(image.width() - 1, image.height() - 1)), 235);
        }
    }
}

// Reduced decoding takes the smallest of TurboJPEG's n/8 steps that still covers the wanted size.
TEST(Pictures, DecodesAtTheSizeItIsShown)
{
    const struct {
        const char* file;
        QSize atLeast;
        QSize decoded;
    } cases[] = {
        {"image1.jpg", {}, {162, 386}},          // no size wanted: the whole picture
        {"image1.jpg", {81, 193}, {81, 193}},    // its box: half
        {"image1.jpg", {82, 193}, {102, 242}},   // a pixel more: five eighths
        {"image1.jpg", {162, 386}, {162, 386}},  // a box at twice the pixel ratio: whole
        {"image1.jpg", {400, 800}, {162, 386}},  // never enlarged
        {"image12.jpg", {257, 185}, {257, 185}}, // odd sizes round up
        {"plant.jpg", {417, 281}, {417, 281}},
        {"plant.jpg", {626, 422}, {626, 422}}, // 1.5 times: six eighths
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.atLeast.width()));
        EXPECT_EQ(pictures::load(QString::fromLatin1(c.file), c.atLeast).size(), c.decoded);
    }
}

TEST(Pictures, ColoursArriveInTheirChannels)
{
    // Spots of known colour: a swapped channel order or a wrong row stride would show here.
    const struct {
        const char* file;
        int x, y;
        char dominant; // 'r' or 'b'
    } spots[] = {
        {"image7.jpg", 147, 58, 'r'},  // red grip of the ball valve's lever
        {"image6.jpg", 22, 250, 'b'},  // blue frame plate of the heat exchanger
        {"image10.jpg", 49, 126, 'r'}, // red diaphragm housing
        {"plant.jpg", 400, 10, 'b'},   // sky
    };
    for (const auto& s : spots) {
        SCOPED_TRACE(s.file);
        const QImage image = pictures::load(QString::fromLatin1(s.file));
        ASSERT_FALSE(image.isNull());
        const QColor c = image.pixelColor(s.x, s.y);
        if (s.dominant == 'r')
            EXPECT_GT(c.red(), c.blue() + 60) << c.red() << "," << c.green() << "," << c.blue();
        else
            EXPECT_GT(c.blue(), c.red() + 60) << c.red() << "," << c.green() << "," << c.blue();
    }
}

TEST(Pictures, DamagedDataGivesANullImage)
{
    const QByteArray good = fileBytes(QStringLiteral("image7.jpg"));
    ASSERT_GT(good.size(), 1000);
    ASSERT_FALSE(pictures::decode(good).isNull());

    QByteArray hugeHeader = good;
    // The first frame header (SOF0 / SOF2) carries the height and width; claim 65000 x 65000.
    const int sof = std::max(hugeHeader.indexOf("\xFF\xC0"), hugeHeader.indexOf("\xFF\xC2"));
    ASSERT_GT(sof, 0);
    hugeHeader[sof + 5] = char(0xFD);
    hugeHeader[sof + 6] = char(0xE8);
    hugeHeader[sof + 7] = char(0xFD);
    hugeHeader[sof + 8] = char(0xE8);

    QByteArray scrambled = good;
    for (int i = good.size() / 3; i < good.size() - 2; i += 7)
        scrambled[i] = char(0xFF);

    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"garbage", QByteArray("this is not a picture at all, only text", 39)},
        {"start marker only", QByteArray("\xFF\xD8\xFF", 3)},
        {"header only", good.left(300)},
        {"truncated", good.left(good.size() / 2)},
        {"huge header dimensions", hugeHeader},
        {"scrambled scan data", scrambled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(pictures::decode(c.bytes).isNull());
    }
}

TEST(Pictures, MissingFileGivesANullImage)
{
    EXPECT_TRUE(pictures::load(QStringLiteral("no-such-picture.jpg")).isNull());
    EXPECT_TRUE(pictures::load(QString()).isNull());
}

} // namespace
