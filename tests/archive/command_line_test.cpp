#include "archive/zip_fixtures.h"
#include "gtest_qt.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

// Runs the built program on a program folder of its own, whose working folder holds a
// cover that is "open" in the window program.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_home = m_dir.filePath(QStringLiteral("home/"));
        QDir().mkpath(m_home + "language");
        QDir().mkpath(m_home + "tmp");
        ASSERT_TRUE(QFile::copy(QStringLiteral(CASELEAF_BUILD_DIR "/language/english.ini"),
                                m_home + "language/english.ini"));
        ASSERT_TRUE(writeFile(m_home + "tmp/vorn.ini", "[LastCover]\r\nText=\"open in the window\"\r\n"));
        ASSERT_TRUE(pythonZip(path("a.vrz"), {{"vorn.ini", "[LastCover]\r\nText=\"Command line\"\r\nBackColor=16711680\r\n"
                                                           "fBackColor=255\r\nfBackColor2=255\r\n"},
                                              {"a.vrz.txt", "// ~contents~=\r\nTrack 1\r\n"}}));
    }

    RunResult caseleaf(const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CASELEAF_HOME"), m_home);
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_dir.path());
        p.start(QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf"), args);
        RunResult r;
        if (!p.waitForStarted(10000) || !p.waitForFinished(60000))
            return r;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return r;
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    void expectWindowCoverUntouched()
    {
        EXPECT_EQ(QDir(m_home + "tmp").entryList(QDir::Files | QDir::Hidden), QStringList{"vorn.ini"});
        EXPECT_TRUE(readFile(m_home + "tmp/vorn.ini").contains("open in the window"));
    }

    QTemporaryDir m_dir;
    QString m_home;
};

TEST_F(CommandLine, HelpPrintsTheUsage)
{
    const RunResult r = caseleaf({QStringLiteral("--help")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("caseleaf render COVER.vrz --side back|front --out FILE.png [--dpi N]"));
    EXPECT_TRUE(r.out.contains("caseleaf convert IN.vrz OUT.vrz"));
}

TEST_F(CommandLine, UsageErrorsGiveTwo)
{
    const QList<QStringList> bad = {
        {"render"},
        {"render", "a.vrz", "--side", "back"},
        {"render", "a.vrz", "--side", "sideways", "--out", "x.png"},
        {"render", "a.vrz", "--side", "back", "--out", "x.png", "--dpi", "abc"},
        {"render", "a.vrz", "--side", "back", "--out", "x.png", "--dpi", "0"},
        {"render", "a.vrz", "--side", "back", "--out", "x.png", "--dpi", "100000"},
        {"render", "a.vrz", "--side", "back", "--out", "x.png", "--colour", "red"},
        {"render", "a.vrz", "b.vrz", "--side", "back", "--out", "x.png"},
        {"convert", "a.vrz"},
        {"convert", "a.vrz", "b.vrz", "c.vrz"},
        {"--help", "me"},
    };
    for (const QStringList& args : bad) {
        const RunResult r = caseleaf(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("Usage:")) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(path("x.png")));
}

TEST_F(CommandLine, RendersTheBackAtTheAskedResolution)
{
    const RunResult r = caseleaf({"render", "a.vrz", "--side", "back", "--out", "back.png", "--dpi", "100"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QImage image(path("back.png"));
    // 160 x 128 mm at 100 dpi.
    EXPECT_EQ(image.size(), QSize(630, 504));
    EXPECT_EQ(image.pixelColor(315, 300), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
    expectWindowCoverUntouched();
}

TEST_F(CommandLine, RendersTheFrontAt300DpiByDefault)
{
    const RunResult r = caseleaf({"render", "a.vrz", "--side", "front", "--out", "front.png"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QImage image(path("front.png"));
    // 250 x 130 mm at 300 dpi.
    EXPECT_EQ(image.size(), QSize(2953, 1535));
    EXPECT_EQ(image.pixelColor(700, 700), QColor(Qt::red));
    EXPECT_EQ(qRound(image.dotsPerMeterX() * 0.0254), 300);
}

TEST_F(CommandLine, CoverThatCannotBeOpenedGivesOneWithTheMessage)
{
    RunResult r = caseleaf({"render", "missing.vrz", "--side", "back", "--out", "x.png"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("474")) << r.err.constData();

    ASSERT_TRUE(writeFile(path("cut.vrz"), readFile(path("a.vrz")).left(60)));
    r = caseleaf({"convert", "cut.vrz", "out.vrz"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("The cover could not be opened!")) << r.err.constData();
    EXPECT_FALSE(QFileInfo::exists(path("out.vrz")));

    r = caseleaf({"render", "a.txt", "--side", "back", "--out", "x.png"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("x.png")));
    expectWindowCoverUntouched();
}

TEST_F(CommandLine, UnwritablePictureGivesOne)
{
    const RunResult r = caseleaf({"render", "a.vrz", "--side", "back", "--out", "no/such/folder/x.png"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("no/such/folder/x.png")) << r.err.constData();
}

TEST_F(CommandLine, ConvertWritesACompleteArchiveAndReplacesWithoutAsking)
{
    ASSERT_TRUE(writeFile(path("out.vrz"), "old"));
    const RunResult r = caseleaf({"convert", "a.vrz", "out.vrz"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(run(QStringLiteral("unzip"), {QStringLiteral("-t"), path("out.vrz")}).exitCode, 0);
    EXPECT_EQ(membersOf(path("out.vrz")), (QStringList{"vorn.ini", "out.vrz.txt", "~vorn_preview_file~.bmp"}));
    const RunResult ini = python(QStringLiteral("import sys, zipfile\n"
                                                "sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read('vorn.ini'))"),
                                 {path("out.vrz")});
    EXPECT_TRUE(ini.out.contains("Text=\"Command line\"\r\n"));
    expectWindowCoverUntouched();
}

TEST_F(CommandLine, ConvertAddsTheExtensionAsSaveAsDoes)
{
    ASSERT_EQ(caseleaf({"convert", "a.vrz", "plain"}).exitCode, 0);
    EXPECT_TRUE(QFileInfo::exists(path("plain.vrz")));
}

TEST_F(CommandLine, ConvertIntoAMissingFolderGivesOne)
{
    const RunResult r = caseleaf({"convert", "a.vrz", "no/such/out.vrz"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("The cover could not be saved!")) << r.err.constData();
}

} // namespace
