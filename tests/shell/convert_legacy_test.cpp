#include "built_program.h"
#include "gtest_qt.h"
#include "program_home.h"
#include "test_pictures.h"

using namespace fixtures;

// The built program without a display converting a legacy set (settings, texts, picture).
TEST(ConvertLegacy, BothWaysAndRenderReadsALegacyCover)
{
    const ProgramHome home({"language/english.ini"}); // inherited by the program
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.filePath("set")) && QDir().mkpath(dir.filePath("out"))
                && QDir().mkpath(dir.filePath("taken")));
    ASSERT_TRUE(savePlainPicture(dir.filePath("set/p.png"), Qt::blue));
    ASSERT_TRUE(writeFile(dir.filePath("set/old.vrc"), "[LastCover]\r\nText=\"Legacy\"\r\nBackPicture={p.png}\r\n"
                                                       "pMethod=0\r\n")
                && writeFile(dir.filePath("set/old.vrc.txt"), "// ~contents~=\r\nTrack 1\r\n")
                && writeFile(dir.filePath("taken/p.png"), "someone else's"));
    const auto caseleaf = [&](const QString& args) { return program::run(args.split(' '), dir.path()); };

    for (const char* args : {"convert set/old.vrc new", "convert new.vrz out/back.vrc",
                                "render set/old.vrc --side back --out b.png --dpi 50"}) {
        const RunResult r = caseleaf(args);
        EXPECT_EQ(r.exitCode, 0) << args << r.err.constData();
    }
    EXPECT_EQ(membersOf(dir.filePath("new.vrz")),
              QStringList({"vorn.ini", "new.vrz.txt", "p.png", "~vorn_preview_file~.bmp"}));
    EXPECT_TRUE(memberOf(dir.filePath("new.vrz"), "vorn.ini").contains("\r\nBackPicture={p.png}\r\n"));
    EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files, QDir::Name),
              QStringList({"back.vrc", "back.vrc.txt", "p.png"}));
    const QByteArray vrc = readFile(dir.filePath("out/back.vrc"));
    EXPECT_TRUE(vrc.startsWith("[LastCover]\r\n") && vrc.contains("\r\nText=\"Legacy\"\r\nForeColor="));
    EXPECT_EQ(readFile(dir.filePath("out/p.png")), readFile(dir.filePath("set/p.png")));
    const QImage back(dir.filePath("b.png")); // the picture stretched to the cut lines
    EXPECT_EQ(back.pixelColor(back.width() / 2, back.height() / 2), QColor(Qt::blue));

    // Another picture of the same name is not replaced, and nothing else is written.
    EXPECT_EQ(caseleaf("convert set/old.vrc taken/x.vrc").exitCode, 1);
    EXPECT_EQ(readFile(dir.filePath("taken/p.png")) + readFile(dir.filePath("taken/x.vrc")), "someone else's");
    EXPECT_TRUE(caseleaf("--help").out.contains("may also be a legacy cover (.vrc,"));
}
