// The answers file: only a regular file of at most 1 MiB is read, on both sides of the limit;
// every refusal is Russian and names the file.
#include "questionnaire/Answers.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace questionnaire;

namespace {

// A valid answers file of exactly `size` bytes: a memo text padded with blanks after it.
QByteArray answersOfSize(qint64 size)
{
    QByteArray json = R"({"Memo3": "строка"})";
    return json + QByteArray(size - json.size(), ' ');
}

vedan::Status read(const QString& path, PanelValues* out = nullptr)
{
    PanelValues values = defaults(Kind::Itp);
    const vedan::Status status = readAnswersFile(path, panel(Kind::Itp), values);
    if (out)
        *out = values;
    return status;
}

TEST(AnswersFile, TheSizeLimitHoldsOnBothSides)
{
    QTemporaryDir dir;
    for (const qint64 size : {kMaxAnswersSize - 1, kMaxAnswersSize, kMaxAnswersSize + 1}) {
        SCOPED_TRACE(size);
        const QString path = dir.filePath("answers.json");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(answersOfSize(size));
        file.close();
        PanelValues values;
        const vedan::Status status = read(path, &values);
        if (size <= kMaxAnswersSize) {
            EXPECT_EQ(status, std::nullopt);
            EXPECT_EQ(values.texts["Memo3"], "строка");
        } else {
            ASSERT_TRUE(status);
            EXPECT_TRUE(status->message.contains(path));
            EXPECT_TRUE(status->message.contains("1 МиБ")) << status->message.toStdString();
        }
    }
}

TEST(AnswersFile, OnlyARegularFileIsRead)
{
    QTemporaryDir dir;
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
    struct Case {
        QString path;
        const char* why;
    };
    const Case cases[] = {
        {"/dev/zero", "не обычный файл"},
        {dir.filePath("pipe"), "не обычный файл"}, // refused at once, not waited on
        {dir.path(), "папка"},
        {dir.filePath("missing.json"), "Нет такого файла или каталога"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const vedan::Status status = read(c.path);
        ASSERT_TRUE(status);
        EXPECT_EQ(status->kind, vedan::Failure::Kind::Input);
        EXPECT_TRUE(status->message.startsWith("Файл ответов " + c.path))
            << status->message.toStdString();
        EXPECT_TRUE(status->message.contains(QString::fromUtf8(c.why)))
            << status->message.toStdString();
    }
}

TEST(AnswersFile, RefusalsAreRussianAndNameTheFile)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"({"Memo3": 1})", "принимает текст"},
        {R"({"Nothing": 1})", "нет на панели"},
        {R"({"Memo3": "a")", "не JSON"},
        {R"([1])", "объект JSON"},
        {"\xEF\xBB\xBF{}", nullptr}, // a byte-order mark is allowed
    };
    for (const auto& [json, why] : cases) {
        SCOPED_TRACE(json);
        PanelValues values = defaults(Kind::Itp);
        const vedan::Status status = applyAnswers(json, "a.json", panel(Kind::Itp), values);
        if (!why) {
            EXPECT_EQ(status, std::nullopt);
            continue;
        }
        ASSERT_TRUE(status);
        EXPECT_TRUE(status->message.startsWith("Файл ответов a.json: "))
            << status->message.toStdString();
        EXPECT_TRUE(status->message.contains(QString::fromUtf8(why)))
            << status->message.toStdString();
    }
}

} // namespace
