#include "archive/zip_fixtures.h"
#include "gtest_qt.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

using namespace fixtures;

namespace {

// The built program without a display, on a program folder of its own whose working
// folder holds the cover "open" in the window.
TEST(CommandLine, ExitCodesAndWhatTheCommandsLeave)
{
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home/"));
    ASSERT_TRUE(QDir().mkpath(home + "tmp") && QDir().mkpath(home + "language"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CASELEAF_BUILD_DIR "/language/english.ini"), home + "language/english.ini"));
    ASSERT_TRUE(writeFile(home + "tmp/vorn.ini", "open in the window"));
    ASSERT_TRUE(pythonZip(dir.filePath("a.vrz"), {{"vorn.ini", "[LastCover]\r\nText=\"cli\"\r\nBackColor=16711680\r\n"},
                                                  {"a.vrz.txt", "// ~contents~=\r\nTrack 1\r\n"}}));
    ASSERT_TRUE(writeFile(dir.filePath("cut.vrz"), readFile(dir.filePath("a.vrz")).left(60))
                && writeFile(dir.filePath("out.vrz"), "replaced without asking"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CASELEAF_HOME"), home);
    for (const char* display : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(display);
    // The arguments, the exit code and a part of what the program writes.
    const std::tuple<QString, int, const char*> cases[] = {
        {"--help", 0, "caseleaf render COVER.vrz --side back|front --out FILE.png [--dpi N]"},
        {"render a.vrz --side back --out back.png --dpi 100", 0, ""},
        {"convert a.vrz out", 0, ""},
        {"render a.vrz --side sideways --out x.png", 2, "Usage:"},
        {"render a.vrz --side back --out x.png --dpi 0", 2, "Usage:"},
        {"render missing.vrz --side back --out x.png", 1, "474"},
        {"convert cut.vrz x.vrz", 1, "The cover could not be opened!"},
        {"render a.txt --side back --out x.png", 1, ".vrz"},
        {"render a.vrz --side back --out no/such/x.png", 1, "no/such/x.png"},
        {"convert a.vrz no/such/x.vrz", 1, "The cover could not be saved!"},
    };
    for (const auto& [args, code, says] : cases) {
        const RunResult r = run(QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf"), args.split(' '), dir.path(), env);
        EXPECT_EQ(r.exitCode, code) << args.toStdString() << "\n" << r.err.constData();
        EXPECT_TRUE((code ? r.err : r.out).contains(says)) << args.toStdString() << "\n" << r.err.constData();
    }
    EXPECT_EQ(QImage(dir.filePath("back.png")).size(), QSize(630, 504)); // 160 x 128 mm at 100 dpi
    // The extension is added as "Save as..." does, and the archive is complete.
    EXPECT_EQ(run(QStringLiteral("unzip"), {QStringLiteral("-t"), dir.filePath("out.vrz")}).exitCode, 0);
    EXPECT_TRUE(memberOf(dir.filePath("out.vrz"), QStringLiteral("vorn.ini")).contains("Text=\"cli\"\r\n"));
    EXPECT_EQ(entriesBelow(home + "tmp"), QStringList{"vorn.ini"});
    EXPECT_EQ(readFile(home + "tmp/vorn.ini"), QByteArray("open in the window"));
}

// A cover of which a part cannot be read is not converted nor drawn: exit 1 and no file.
TEST(CommandLine, APartlyReadableCoverWritesNothing)
{
    QTemporaryDir dir;
    const QByteArray settings = "[LastCover]\r\nText=\"shown\"\r\n";
    const QByteArray texts = "// ~contents~=\r\nTrack 1\r\n";
    ASSERT_TRUE(pythonZip(dir.filePath("bad-value.vrz"), {{"vorn.ini", settings + "pMethod=9\r\n"}, {"t.txt", texts}}));
    ASSERT_TRUE(pythonZip(dir.filePath("no-settings.vrz"), {{"t.txt", texts}}));
    ASSERT_TRUE(pythonZip(dir.filePath("link.vrz"), {{"vorn.ini", settings}, {"t.txt", texts}, {"p.png", "/etc/passwd", true}}));
    ASSERT_TRUE(writeFile(dir.filePath("end.vrz"), QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0')));
    ASSERT_TRUE(pythonZip(dir.filePath("dup.vrz"), {{"vorn.ini", settings}, {"a/vorn.ini", "[LastCover]\r\nText=\"x\"\r\n"},
                                                    {"t.txt", texts}}));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CASELEAF_HOME"), QStringLiteral(CASELEAF_BUILD_DIR));
    // The cover, the exit code and a part of what standard error says.
    const std::tuple<QString, int, const char*> cases[] = {
        {"bad-value", 1, "pMethod=9"},
        {"no-settings", 1, "vorn.ini"},
        {"link", 1, "p.png: a link"},
        {"end", 1, "The cover could not be opened!"},
        {"dup", 0, "a/vorn.ini"},
    };
    for (const auto& [cover, code, says] : cases) {
        const QString out = dir.filePath(cover + "-out");
        for (const QStringList& args : {QStringList{"convert", cover + ".vrz", out + ".vrz"},
                                        QStringList{"render", cover + ".vrz", "--side", "back", "--out", out + ".png"}}) {
            const RunResult r = run(QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf"), args, dir.path(), env);
            EXPECT_EQ(r.exitCode, code) << args.join(' ').toStdString() << "\n" << r.err.constData();
            EXPECT_TRUE(r.err.contains(says)) << args.join(' ').toStdString() << "\n" << r.err.constData();
        }
        EXPECT_EQ(QFile::exists(out + ".vrz") && QFile::exists(out + ".png"), code == 0) << cover.toStdString();
    }
    EXPECT_TRUE(memberOf(dir.filePath("dup-out.vrz"), QStringLiteral("vorn.ini")).contains("Text=\"shown\""));
}

} // namespace
