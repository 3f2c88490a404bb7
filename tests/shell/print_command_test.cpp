#include "built_program.h"
#include "gtest_qt.h"
#include "program_home.h"
#include "render/pdf_pages.h"

using namespace fixtures;

// The built program without a display or a print server, on a program folder of its own,
// with a cover whose counters start at 8 and one whose start is no number.
TEST(PrintCommands, PagesExitCodesAndTheCoverLeftAlone)
{
    const ProgramHome home({"language/english.ini"}); // inherited by the program
    QTemporaryDir dir;
    for (const char* start : {"8", "8a"}) {
        const QByteArray ini = QByteArray("[LastCover]\r\nCounter=1\r\nCountFrom=") + start + "\r\nCounter2=1\r\nCountFrom2="
                               + start + "\r\nsfText=1\r\n";
        ASSERT_TRUE(pythonZip(dir.filePath(QLatin1String(start) + ".vrz"),
                              {{"vorn.ini", ini}, {"c.vrz.txt", "// ~contents~=\r\nTrack one, copy %c\r\n// ~fronttext1~=\r\n"
                                                                "\r\n// ~fronttext2~=\r\nFront %c\r\n"}}));
    }
    const QByteArray cover = readFile(dir.filePath("8.vrz"));
    QProcessEnvironment env = program::withoutDisplay();
    // No print server: nothing is ever printed on this machine's real printers.
    env.insert(QStringLiteral("CUPS_SERVER"), dir.filePath(QStringLiteral("no-cups.sock")));

    // The arguments, the exit code, a part of what the program writes, and for a PDF its
    // page count and page width and height in mm.
    const std::tuple<QString, int, const char*, int, double, double> cases[] = {
        {"render 8.vrz --side back --out x.pdf --copies 3", 0, "", 3, 210, 297},
        {"render 8.vrz --side front --out x.pdf --paper Letter", 0, "", 1, 279.4, 215.9},
        {"render 8.vrz --side back --out x.pdf --paper letter", 0, "", 1, 215.9, 279.4},
        {"--help", 0, "caseleaf print COVER.vrz --side back|front [--printer NAME] [--copies N]", 0, 0, 0},
        {"--help", 0, "--out FILE.pdf [--copies N]", 0, 0, 0},
        {"render 8.vrz --side back --out y.png --copies 2", 2, "--copies needs a PDF output", 0, 0, 0},
        {"render 8.vrz --side back --out y.pdf --copies 0", 2, "--copies takes a whole number", 0, 0, 0},
        {"render 8.vrz --side back --out y.pdf --dpi 300", 2, "unexpected argument \"--dpi\"", 0, 0, 0},
        {"render 8.vrz --side back --out y.pdf --paper A3", 2, "--paper must be A4 or Letter", 0, 0, 0},
        {"print 8.vrz --side sideways", 2, "--side must be back or front", 0, 0, 0},
        {"print --side back", 2, "a cover file is needed", 0, 0, 0},
        {"print 8.vrz --side back --printer no-such-queue", 1, "There is no printer \"no-such-queue\".", 0, 0, 0},
        {"print 8.vrz --side front", 1, "No printer is available.", 0, 0, 0},
        {"render 8a.vrz --side back --out y.pdf", 1, "must be a whole number", 0, 0, 0},
        {"render 8.vrz --side back --out no/such/y.pdf", 1, "no/such/y.pdf", 0, 0, 0},
    };
    const QString pdf = dir.filePath(QStringLiteral("x.pdf"));
    for (const auto& [args, code, says, pages, width, height] : cases) {
        const RunResult r = program::run(args.split(' '), dir.path(), env);
        EXPECT_EQ(r.exitCode, code) << args.toStdString() << "\n" << r.err.constData();
        EXPECT_TRUE((code ? r.err : r.out).contains(says)) << args.toStdString() << "\n" << r.err.constData();
        if (pages) {
            EXPECT_EQ(pdf::pageCount(pdf), pages) << args.toStdString();
            EXPECT_NEAR(pdf::pageSizeMm(pdf).width(), width, 0.3) << args.toStdString();
            EXPECT_NEAR(pdf::pageSizeMm(pdf).height(), height, 0.3) << args.toStdString();
            // The last page carries the last copy's number.
            const QString last = (args.contains("back") ? "copy " : "Front ") + QString::number(7 + pages);
            EXPECT_TRUE(pdf::pageText(pdf, pages).contains(last)) << args.toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("y.pdf")) || QFile::exists(dir.filePath("y.png")));
    EXPECT_EQ(readFile(dir.filePath("8.vrz")), cover);
}
