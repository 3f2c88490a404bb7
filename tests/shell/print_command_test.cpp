#include "archive/zip_fixtures.h"
#include "gtest_qt.h"
#include "render/pdf_pages.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

using namespace fixtures;

namespace {

// The built program without a display, on a program folder of its own, with a cover whose
// counter starts at 8.
class PrintCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(home + "language"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(CASELEAF_BUILD_DIR "/language/english.ini"),
                                home + "language/english.ini"));
        ASSERT_TRUE(makeCover(QStringLiteral("a.vrz"), "8"));
        env.insert(QStringLiteral("CASELEAF_HOME"), home);
        for (const char* display : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(display);
        // No print server: nothing is ever printed on this machine's real printers.
        env.insert(QStringLiteral("CUPS_SERVER"), dir.filePath(QStringLiteral("no-cups.sock")));
    }

    bool makeCover(const QString& name, const char* start)
    {
        const QByteArray ini = QByteArray("[LastCover]\r\nText=\"Volume %c\"\r\nCounter=1\r\nCountFrom=") + start
                               + "\r\nCounter2=1\r\nCountFrom2=" + start + "\r\nsfText=1\r\n";
        return pythonZip(dir.filePath(name), {{"vorn.ini", ini},
                                              {name + ".txt", "// ~contents~=\r\nTrack one, copy %c\r\n"
                                                              "// ~fronttext1~=\r\n\r\n// ~fronttext2~=\r\nFront %c\r\n"}});
    }

    RunResult caseleaf(const QString& args)
    {
        return run(QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf"), args.split(QLatin1Char(' ')), dir.path(), env);
    }

    QTemporaryDir dir;
    QString home = dir.filePath(QStringLiteral("home/"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
};

TEST_F(PrintCommandTest, RenderWritesOneNumberedPagePerCopyAndLeavesTheCoverAlone)
{
    const QByteArray cover = readFile(dir.filePath("a.vrz"));
    const RunResult r = caseleaf(QStringLiteral("render a.vrz --side back --out back.pdf --copies 3"));
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QString back = dir.filePath(QStringLiteral("back.pdf"));
    ASSERT_EQ(pdf::pageCount(back), 3);
    for (int page = 1; page <= 3; ++page)
        EXPECT_TRUE(pdf::pageText(back, page).contains(QStringLiteral("Track one, copy %1").arg(7 + page))) << page;
    EXPECT_NEAR(pdf::pageSizeMm(back).width(), 210, 0.3);
    EXPECT_EQ(readFile(dir.filePath("a.vrz")), cover);
}

TEST_F(PrintCommandTest, RenderPutsTheFrontOnLandscapePaperOfTheChosenSize)
{
    // The arguments and the page's width and height in mm.
    const std::tuple<QString, double, double> cases[] = {
        {"render a.vrz --side front --out front.pdf", 297, 210},
        {"render a.vrz --side front --out front.pdf --paper Letter", 279.4, 215.9},
        {"render a.vrz --side back --out front.pdf --paper letter", 215.9, 279.4},
    };
    const QString front = dir.filePath(QStringLiteral("front.pdf"));
    for (const auto& [args, width, height] : cases) {
        const RunResult r = caseleaf(args);
        ASSERT_EQ(r.exitCode, 0) << args.toStdString() << r.err.constData();
        EXPECT_NEAR(pdf::pageSizeMm(front).width(), width, 0.3) << args.toStdString();
        EXPECT_NEAR(pdf::pageSizeMm(front).height(), height, 0.3) << args.toStdString();
    }
    EXPECT_TRUE(pdf::pageText(front, 1).contains(QStringLiteral("Volume 8")));
}

TEST_F(PrintCommandTest, ExitCodesOfTheRenderAndPrintCommands)
{
    ASSERT_TRUE(makeCover(QStringLiteral("letters.vrz"), "8a"));
    // The arguments, the exit code and a part of what the program writes.
    const std::tuple<QString, int, const char*> cases[] = {
        {"--help", 0, "caseleaf print COVER.vrz --side back|front [--printer NAME] [--copies N]"},
        {"--help", 0, "--out FILE.pdf [--copies N]"},
        {"render a.vrz --side back --out x.png --copies 2", 2, "--copies needs a PDF output"},
        {"render a.vrz --side back --out x.pdf --copies 0", 2, "--copies takes a whole number"},
        {"render a.vrz --side back --out x.pdf --dpi 300", 2, "unexpected argument \"--dpi\""},
        {"render a.vrz --side back --out x.pdf --paper A3", 2, "--paper must be A4 or Letter"},
        {"render a.vrz --out x.pdf", 2, "--side must be back or front"},
        {"print a.vrz --side sideways", 2, "--side must be back or front"},
        {"print a.vrz --side back --copies many", 2, "--copies takes a whole number"},
        {"print --side back", 2, "a cover file is needed"},
        {"print a.vrz --side back --printer no-such-queue", 1, "There is no printer \"no-such-queue\"."},
        {"print a.vrz --side front", 1, "No printer is available."},
        {"render letters.vrz --side back --out x.pdf", 1, "must be a whole number"},
        {"render missing.vrz --side back --out x.pdf", 1, "474"},
        {"render a.vrz --side back --out no/such/x.pdf", 1, "no/such/x.pdf"},
    };
    for (const auto& [args, code, says] : cases) {
        const RunResult r = caseleaf(args);
        EXPECT_EQ(r.exitCode, code) << args.toStdString() << "\n" << r.err.constData();
        EXPECT_TRUE((code ? r.err : r.out).contains(says)) << args.toStdString() << "\n" << r.err.constData();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("x.pdf")));
    EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));
}

} // namespace
