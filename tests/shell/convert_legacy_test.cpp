#include "archive/zip_fixtures.h"
#include "gtest_qt.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

// The built program without a display, on a program folder of its own, with a legacy set:
// settings, texts and a picture side by side.
class ConvertLegacy : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(home + "language") && QDir().mkpath(dir.filePath("set")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(CASELEAF_BUILD_DIR "/language/english.ini"),
                                home + "language/english.ini"));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        ASSERT_TRUE(picture.save(dir.filePath("set/p.png")));
        ASSERT_TRUE(writeFile(dir.filePath("set/old.vrc"), "[LastCover]\r\nText=\"Legacy\"\r\nBackColor=255\r\n"
                                                           "BackPicture={p.png}\r\npMethod=0\r\n"));
        ASSERT_TRUE(writeFile(dir.filePath("set/old.vrc.txt"), "// ~contents~=\r\nTrack 1\r\n"));
        env.insert(QStringLiteral("CASELEAF_HOME"), home);
        for (const char* display : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(display);
    }

    RunResult caseleaf(const QString& args)
    {
        return run(QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf"), args.split(QLatin1Char(' ')), dir.path(), env);
    }

    QTemporaryDir dir;
    QString home = dir.filePath(QStringLiteral("home/"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
};

TEST_F(ConvertLegacy, ALegacySetBecomesAnArchiveAndBack)
{
    RunResult r = caseleaf("convert set/old.vrc new");
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(membersOf(dir.filePath("new.vrz")),
              QStringList({"vorn.ini", "new.vrz.txt", "p.png", "~vorn_preview_file~.bmp"}));
    const QByteArray ini = memberOf(dir.filePath("new.vrz"), "vorn.ini");
    EXPECT_TRUE(ini.contains("\r\nText=\"Legacy\"\r\n") && ini.contains("\r\nBackPicture={p.png}\r\n"));
    EXPECT_EQ(memberOf(dir.filePath("new.vrz"), "p.png"), readFile(dir.filePath("set/p.png")));
    EXPECT_TRUE(memberOf(dir.filePath("new.vrz"), "new.vrz.txt").contains("Track 1"));

    ASSERT_TRUE(QDir().mkpath(dir.filePath("out")));
    r = caseleaf("convert new.vrz out/back.vrc");
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files, QDir::Name),
              QStringList({"back.vrc", "back.vrc.txt", "p.png"}));
    const QByteArray vrc = readFile(dir.filePath("out/back.vrc"));
    EXPECT_TRUE(vrc.startsWith("[LastCover]\r\nFontname=")) << vrc.constData();
    EXPECT_TRUE(vrc.contains("\r\nText=\"Legacy\"\r\n") && vrc.contains("\r\nBackPicture={p.png}\r\n"));
    EXPECT_EQ(readFile(dir.filePath("out/p.png")), readFile(dir.filePath("set/p.png")));
    EXPECT_TRUE(readFile(dir.filePath("out/back.vrc.txt")).contains("Track 1"));
}

TEST_F(ConvertLegacy, RenderReadsALegacyCover)
{
    const RunResult r = caseleaf("render set/old.vrc --side back --out b.png --dpi 50");
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QImage back(dir.filePath("b.png"));
    ASSERT_EQ(back.size(), QSize(315, 252)); // 160 x 128 mm at 50 dpi
    // The picture, stretched to the cut lines, fills the middle of the sheet.
    EXPECT_EQ(back.pixelColor(back.width() / 2, back.height() / 2), QColor(Qt::blue));
}

TEST_F(ConvertLegacy, FailuresLeaveOtherFilesAlone)
{
    ASSERT_TRUE(QDir().mkpath(dir.filePath("taken")) && writeFile(dir.filePath("taken/p.png"), "someone else's"));
    RunResult r = caseleaf("convert set/old.vrc taken/x.vrc");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(readFile(dir.filePath("taken/p.png")), "someone else's");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("taken/x.vrc")));

    r = caseleaf("convert set/missing.vrc x.vrz");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("File don't exist !")) << r.err.constData();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("x.vrz")));

    r = caseleaf("--help");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("may also be a legacy cover (.vrc,")) << r.out.constData();
}

} // namespace
