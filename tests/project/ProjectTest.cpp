// Project files: what is typed comes back as typed, keys of a later version survive a save, the
// file is what the format says (read back by Python's own JSON reader), and every broken, foreign
// or hostile file is refused with a message that names the field or the reason.

#include "project/Project.h"
#include "tests/support/Files.h"
#include "tests/support/PlainUser.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using project::Section;

namespace {

project::Project sample()
{
    project::Project p;
    p.kind = QStringLiteral("control-valve");
    p.object = QStringLiteral("Школа № 5, ул. Ленина, 1");
    p.note = QStringLiteral("после реконструкции\nвторая строка");
    p.inputs = {{"inlet", "6.5"},         {"inlet-unit", "kgf"}, {"outlet", "0.4"},
                {"outlet-unit", "mpa"},   {"supply", "150"},     {"return", "70"},
                {"load", "0.5"},          {"load-unit", "gcal"}, {"resistance", "1"},
                {"resistance-unit", "m"}, {"series", "1"},       {"range", "2"}};
    p.season = {{"outdoor-design", "-26"}, {"step", "2"}};
    p.substation = {{"scheme", "valve-regulator"}, {"other-losses", "2.5"}, {"min-bore", "3"}};
    return p;
}

QByteArray bytesOf(const project::Project& p)
{
    const vedan::Outcome<QByteArray> out = project::projectBytes(p, QStringLiteral("9.9"));
    EXPECT_FALSE(out.failure) << out.failure->message.toStdString();
    return out.value;
}

class ProjectFiles : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.path() + '/' + name; }
    void write(const QString& name, const QByteArray& bytes) const
    {
        ASSERT_TRUE(writeFile(path(name), bytes));
    }
    QTemporaryDir m_dir;
};

TEST(Project, WhatIsWrittenReadsBackAsTyped)
{
    const project::Project p = sample();
    const vedan::Outcome<project::Project> back = project::parseProject(bytesOf(p));
    ASSERT_FALSE(back.failure) << back.failure->message.toStdString();
    EXPECT_EQ(back.value.kind, p.kind);
    EXPECT_EQ(back.value.object, p.object);
    EXPECT_EQ(back.value.note, p.note);
    EXPECT_EQ(back.value.programVersion, QStringLiteral("9.9"));
    EXPECT_EQ(back.value.inputs, p.inputs);
    EXPECT_EQ(back.value.season, p.season);
    EXPECT_EQ(back.value.substation, p.substation);
}

// Python's JSON reader sees the format: the version first, numbers as numbers, units as tokens.
TEST(Project, TheFileIsTheDocumentedJson)
{
    QProcess python;
    python.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import json,sys; d=json.load(sys.stdin); "
                        "print(list(d)[0], d['vedanProject'], d['kind'], "
                        "repr(d['inputs']['inlet']), d['inputs']['supply'], "
                        "d['substation']['other-losses'], d['season']['outdoor-design'])")});
    python.write(bytesOf(sample()));
    python.closeWriteChannel();
    ASSERT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.readAllStandardOutput().trimmed().toStdString(),
              "vedanProject 1 control-valve {'value': 6.5, 'unit': 'kgf'} 150 2.5 -26");
}

TEST(Project, KeysOfALaterVersionAreKeptOnSave)
{
    const QByteArray later = R"({"vedanProject": 1, "kind": "regulator", "colour": "red",
        "inputs": {"inlet": {"value": 6, "unit": "kgf", "gauge": "M1"}, "valveMake": "X"},
        "substation": {"scheme": "regulator", "pumps": [1, 2]}})";
    vedan::Outcome<project::Project> p = project::parseProject(later);
    ASSERT_FALSE(p.failure);
    p.value.set(Section::Inputs, QStringLiteral("inlet"), QStringLiteral("7"));
    const QByteArray saved = bytesOf(p.value);
    EXPECT_TRUE(saved.startsWith("{\n  \"vedanProject\": 1,")) << saved.toStdString();
    for (const char* kept : {"\"colour\": \"red\"", "\"gauge\": \"M1\"", "\"valveMake\": \"X\"",
                             "\"pumps\": [", "\"value\": 7"})
        EXPECT_TRUE(saved.contains(kept)) << kept << "\n" << saved.toStdString();
}

// Each refused file and the words its message must hold (the field's path or the reason).
TEST(Project, BrokenOrForeignFilesAreRefusedNamingTheField)
{
    const QByteArray good = bytesOf(sample());
    const struct {
        const char* what;
        QByteArray bytes;
        const char* named;
    } rows[] = {
        {"truncated", good.left(good.size() / 2), "обрезан"},
        {"not UTF-8",
         QByteArray(R"({"vedanProject":1,"kind":"regulator","object":")") + "\xCF\xF0\xE8" + "\"}",
         "UTF-8"},
        {"a number for a text", R"({"vedanProject":1,"kind":"regulator","object":5})", "«object»"},
        {"a text for a number",
         R"({"vedanProject":1,"kind":"regulator","inputs":{"inlet":{"value":"6"}}})",
         "«inputs.inlet.value» должно быть числом"},
        {"version 2", R"({"vedanProject":2,"kind":"regulator"})", "версии 2"},
        {"no version", R"({"kind":"regulator"})", "vedanProject"},
        {"an unknown kind", R"({"vedanProject":1,"kind":"pump"})", "«pump»"},
        {"an unknown unit",
         R"({"vedanProject":1,"kind":"regulator","inputs":{"load":{"value":1,"unit":"kw"}}})",
         "«inputs.load.unit»"},
        {"a range of 4", R"({"vedanProject":1,"kind":"regulator","inputs":{"range":4}})",
         "«inputs.range»"},
        {"an unknown scheme",
         R"({"vedanProject":1,"kind":"regulator","substation":{"scheme":"pump"}})",
         "«substation.scheme»"},
        {"an array", "[1, 2]", "не объект"},
        {"a number past double",
         R"({"vedanProject":1,"kind":"regulator","inputs":{"supply":1e400}})", "вне пределов"},
    };
    for (const auto& r : rows) {
        const vedan::Outcome<project::Project> p = project::parseProject(r.bytes);
        ASSERT_TRUE(p.failure) << r.what;
        EXPECT_TRUE(p.failure->message.contains(QString::fromUtf8(r.named)))
            << r.what << ": " << p.failure->message.toStdString();
    }
}

TEST(Project, AFieldThatDoesNotReadIsNotSaved)
{
    project::Project p = sample();
    p.set(Section::Inputs, QStringLiteral("load"), QStringLiteral("0,5,1"));
    const vedan::Outcome<QByteArray> out = project::projectBytes(p, QStringLiteral("1"));
    ASSERT_TRUE(out.failure);
    EXPECT_TRUE(out.failure->message.contains(QStringLiteral("«inputs.load.value»")));
}

TEST_F(ProjectFiles, AWrittenProjectOpens)
{
    ASSERT_FALSE(project::writeProject(path("a.vedan"), sample(), QStringLiteral("1")));
    const vedan::Outcome<project::Project> p = project::readProject(path("a.vedan"));
    ASSERT_FALSE(p.failure);
    EXPECT_EQ(p.value.inputs, sample().inputs);
}

TEST_F(ProjectFiles, HostileFilesAreRefusedWithoutWaiting)
{
    write(QStringLiteral("big.vedan"), QByteArray(2 << 20, ' '));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.vedan")).constData(), 0600), 0);
    const struct {
        const char* name;
        QString reason;
    } rows[] = {{"big.vedan", QStringLiteral("больше 1048576 байт")},
                {"fifo.vedan", QStringLiteral("именованный канал")},
                {"none.vedan", path(QStringLiteral("none.vedan"))}};
    for (const auto& r : rows) {
        const vedan::Outcome<project::Project> p = project::readProject(path(r.name));
        ASSERT_TRUE(p.failure) << r.name;
        EXPECT_TRUE(p.failure->message.contains(r.reason)) << p.failure->message.toStdString();
    }
}

TEST_F(ProjectFiles, ALinkPlantedByAnotherUserIsNotFollowed)
{
    if (!isSuperuser())
        GTEST_SKIP() << "only the superuser can make a link of another user";
    const QString shared = path("tmp");
    ASSERT_TRUE(QDir().mkpath(shared));
    ::chmod(QFile::encodeName(shared).constData(), 01777);
    ASSERT_FALSE(project::writeProject(path("own.vedan"), sample(), QStringLiteral("1")));
    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
    ::chmod(QFile::encodeName(path("own.vedan")).constData(), 0644);
    const QString link = shared + QStringLiteral("/p.vedan");
    ASSERT_TRUE(QFile::link(path("own.vedan"), link));
    ASSERT_EQ(::lchown(QFile::encodeName(link).constData(), kOtherUser, kOtherGroup), 0);
    // Opened by the superuser, the link is another user's: refused. Opened by that user, it is
    // the user's own link and is followed.
    const vedan::Outcome<project::Project> p = project::readProject(link);
    ASSERT_TRUE(p.failure);
    EXPECT_TRUE(p.failure->message.contains(QStringLiteral("Отказано в доступе")))
        << p.failure->message.toStdString();
    EXPECT_EQ(runAsPlainUser([&] { return project::readProject(link).failure ? 1 : 0; }), 0);
}

} // namespace
