#include "archive/zip_engine.h"
#include "archive/zip_fixtures.h"
#include "gtest_qt.h"
#include "program_home.h"
#include "shell/built_program.h"
#include "test_pictures.h"

using namespace fixtures;

namespace {

// The built program without a display, with a program folder and a temporary folder (tmp/)
// of its own; its working folder holds the cover "open" in the window.
class BuiltProgram : public ::testing::Test, protected TestFolder {
protected:
    void SetUp() override
    {
        m_home.write("tmp/vorn.ini", "open in the window");
        ASSERT_TRUE(QDir().mkpath(m_temp));
        m_env.insert("TMPDIR", m_temp);
    }
    RunResult caseleaf(const QString& args) const { return program::run(args.split(' '), dir.path(), m_env); }

    const ProgramHome m_home{{"language/english.ini"}}; // named in the program's environment
    const QString m_temp = path("tmp/");
    QProcessEnvironment m_env = program::withoutDisplay();
};

// A command that fails, or that could read a cover only in part, exits 1 or 2 and leaves no file.
TEST_F(BuiltProgram, ExitCodesAndWhatTheCommandsLeave)
{
    const QByteArray settings = "[LastCover]\r\nText=\"cli\"\r\n", texts = "// ~contents~=\r\nTrack 1\r\n";
    // Covers read whole, in part, and with a member's name twice.
    const std::pair<const char*, QList<Member>> covers[] = {
        {"a.vrz", {{"vorn.ini", settings + "BackColor=16711680\r\n"}, {"a.vrz.txt", texts}}},
        {"bad-value.vrz", {{"vorn.ini", settings + "pMethod=9\r\n"}, {"t.txt", texts}}},
        {"link.vrz", {{"vorn.ini", settings}, {"t.txt", texts}, {"p.png", "/etc/passwd", true}}},
        {"dup.vrz", {{"vorn.ini", settings}, {"a/vorn.ini", "[LastCover]\r\nText=\"x\"\r\n"}, {"t.txt", texts}}}};
    for (const auto& [name, members] : covers)
        ASSERT_TRUE(pythonZip(path(name), members)) << name;
    ASSERT_TRUE(writeFile(path("cut.vrz"), readFile(path("a.vrz")).left(60))
                && writeFile(path("end.vrz"), QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'))
                && writeFile(path("out.vrz"), "replaced without asking"));
    // The arguments, the exit code and a part of what the program writes (to standard error but for --help).
    const struct { const char* args; int code; const char* says; } cases[] = {
        {"--help", 0, "caseleaf render COVER.vrz --side back|front --out FILE.png [--dpi N]"},
        {"render a.vrz --side back --out back.png --dpi 100", 0, ""},
        {"convert a.vrz out", 0, ""},
        {"convert dup.vrz dup-out.vrz", 0, "a/vorn.ini"}, // the member without folders is read
        {"render a.vrz --side sideways --out x.png", 2, "Usage:"},
        {"render a.vrz --side back --out x.png --dpi 0", 2, "Usage:"},
        {"render missing.vrz --side back --out x.png", 1, "474"},
        {"convert cut.vrz x.vrz", 1, "The cover could not be opened!"},
        {"render end.vrz --side back --out x.png", 1, "The cover could not be opened!"},
        {"render a.txt --side back --out x.png", 1, ".vrz"},
        {"render a.vrz --side back --out no/such/x.png", 1, "no/such/x.png"},
        {"convert a.vrz no/such/x.vrz", 1, "The cover could not be saved!"},
        {"convert bad-value.vrz x.vrz", 1, "pMethod=9"},
        {"render link.vrz --side back --out x.png", 1, "p.png: a link"},
    };
    const auto entries = [&] { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); };
    for (const auto& [args, code, says] : cases) {
        const QStringList before = entries();
        const RunResult r = caseleaf(args);
        EXPECT_EQ(r.exitCode, code) << args << "\n" << r.err.constData();
        EXPECT_TRUE((QString(args) == "--help" ? r.out : r.err).contains(says)) << args << "\n" << r.err.constData();
        EXPECT_TRUE(code == 0 || entries() == before) << args;
    }
    EXPECT_EQ(QImage(path("back.png")).size(), QSize(630, 504)); // 160 x 128 mm at 100 dpi
    // The extension is added as "Save as..." does, and the archive is complete.
    EXPECT_EQ(run("unzip", {"-t", path("out.vrz")}).exitCode, 0);
    EXPECT_TRUE(memberOf(path("out.vrz"), "vorn.ini").contains("Text=\"cli\"\r\n"));
    EXPECT_TRUE(memberOf(path("dup-out.vrz"), "vorn.ini").contains("Text=\"cli\"\r\n"));
    EXPECT_EQ(entriesBelow(m_home.path("tmp")), QStringList{"vorn.ini"});
    EXPECT_EQ(readFile(m_home.path("tmp/vorn.ini")), QByteArray("open in the window"));
}

// Killed at twenty moments of a save over an existing cover, the program leaves the cover
// whole; the next start removes what the killed runs left, and only that: names the program
// makes, of processes no longer running.
TEST_F(BuiltProgram, AnInterruptedSaveKeepsTheOldCoverAndTheNextStartCleansUp)
{
    // A picture that does not compress, stored: the save has to deflate it and takes a while.
    ASSERT_TRUE(noisePicture(1800, 1200).save(path("noise.bmp")) && writeFile(path("t.txt"), "// ~contents~=\r\nx\r\n")
                && writeFile(path("vorn.ini"), "[LastCover]\r\nText=\"big\"\r\nBackPicture={noise.bmp}\r\n"));
    ASSERT_EQ(CompressArrayFiles({path("vorn.ini"), path("t.txt"), path("noise.bmp")}, path("big.vrz"), 0), zipcode::Ok);
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(caseleaf("convert big.vrz cover.vrz").exitCode, 0);
    const qint64 whole = timer.elapsed();
    // Every start removes what the runs before it left, so each kill's leftovers are counted at once.
    int besideTotal = 0, foldersTotal = 0;
    for (int i = 0; i < 20; ++i) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.setProcessEnvironment(m_env);
        p.start(CASELEAF_BUILD_DIR "/caseleaf", {"convert", "big.vrz", "cover.vrz"});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(unsigned(whole * (i + 1) / 21));
        p.kill();
        p.waitForFinished();
        EXPECT_EQ(run("unzip", {"-tq", path("cover.vrz")}).exitCode, 0) << i;
        EXPECT_TRUE(memberOf(path("cover.vrz"), "vorn.ini").contains("Text=\"big\"")) << i;
        besideTotal += QDir(dir.path()).entryList({"cover.vrz.??????"}, QDir::Files).size();
        foldersTotal += QDir(m_temp).entryList({"caseleaf-*"}, QDir::Dirs).size();
    }
    EXPECT_TRUE(besideTotal > 0 && foldersTotal > 0); // kills came in the middle of saves

    // Beside what the last kill may have left: names the program does not make, and a note
    // and a folder of a process still running (this test).
    const QString running = QString::number(QCoreApplication::applicationPid());
    ASSERT_TRUE(writeFile(m_home.path("writing/" + running + "-1"), path("mine.vrz").toUtf8())
                && writeFile(path("mine.vrz.Ab34Cd"), "x") && writeFile(path("cover.vrz.keep"), "x")
                && writeFile(path("cover.vrz.Ab34Cd7"), "x") && QDir().mkpath(m_temp + "caseleaf-" + running + "-AbCdEf")
                && QDir().mkpath(m_temp + "other-4194303-AbCdEf"));
    ASSERT_EQ(caseleaf("convert big.vrz other.vrz").exitCode, 0);
    QStringList left = QDir(dir.path()).entryList({"*.vrz.*"}, QDir::Files)
        + QDir(m_temp).entryList({"caseleaf-*", "other-*"}, QDir::Dirs) + QDir(m_home.path("writing")).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{running + "-1", "caseleaf-" + running + "-AbCdEf", "cover.vrz.Ab34Cd7",
                                 "cover.vrz.keep", "mine.vrz.Ab34Cd", "other-4194303-AbCdEf"}));
}

} // namespace
