#include "archive/zip_engine.h"
#include "archive/zip_fixtures.h"
#include "gtest_qt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>

using namespace fixtures;

namespace {

// The built program killed with SIGKILL at twenty moments of a save over an existing
// cover: the cover is always whole, and the next start removes what the killed runs left,
// and only that: names the program makes, of processes no longer running.
TEST(InterruptedSave, TheOldCoverStaysWholeAndTheNextStartCleansUp)
{
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home/"));
    const QString temp = dir.filePath(QStringLiteral("tmp/"));
    ASSERT_TRUE(QDir().mkpath(home + "language") && QDir().mkpath(temp));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CASELEAF_BUILD_DIR "/language/english.ini"), home + "language/english.ini"));
    // A picture that does not compress, stored: the save has to deflate it and takes a while.
    QImage noisy(1800, 1200, QImage::Format_RGB32);
    const QByteArray pixels = noise(int(noisy.sizeInBytes()));
    std::copy(pixels.begin(), pixels.end(), noisy.bits());
    ASSERT_TRUE(noisy.save(dir.filePath("noise.bmp")) && writeFile(dir.filePath("t.txt"), "// ~contents~=\r\nx\r\n")
                && writeFile(dir.filePath("vorn.ini"), "[LastCover]\r\nText=\"big\"\r\nBackPicture={noise.bmp}\r\n"));
    ASSERT_EQ(CompressArrayFiles({dir.filePath("vorn.ini"), dir.filePath("t.txt"), dir.filePath("noise.bmp")},
                                 dir.filePath("big.vrz"), 0), zipcode::Ok);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CASELEAF_HOME"), home);
    env.insert(QStringLiteral("TMPDIR"), temp);
    const QString program = QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf");
    const QStringList convert{"convert", "big.vrz", "cover.vrz"};
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(run(program, convert, dir.path(), env).exitCode, 0);
    const qint64 whole = timer.elapsed();

    const auto leftBeside = [&] { return QDir(dir.path()).entryList({"cover.vrz.??????"}, QDir::Files).size(); };
    const auto commandFolders = [&] { return QDir(temp).entryList({"caseleaf-*"}, QDir::Dirs).size(); };
    // Every start removes what the runs before it left, so each kill's leftovers are counted at once.
    int besideTotal = 0;
    int foldersTotal = 0;
    for (int i = 0; i < 20; ++i) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.setProcessEnvironment(env);
        p.start(program, convert);
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(unsigned(whole * (i + 1) / 21));
        p.kill();
        p.waitForFinished();
        EXPECT_EQ(run(QStringLiteral("unzip"), {"-tq", dir.filePath("cover.vrz")}).exitCode, 0) << i;
        EXPECT_TRUE(memberOf(dir.filePath("cover.vrz"), "vorn.ini").contains("Text=\"big\"")) << i;
        besideTotal += leftBeside();
        foldersTotal += commandFolders();
    }
    EXPECT_TRUE(besideTotal > 0 && foldersTotal > 0); // kills came in the middle of saves

    // Beside what the last kill may have left: names the program does not make, and a note
    // and a folder of a process still running (this test).
    const QString running = QString::number(QCoreApplication::applicationPid());
    ASSERT_TRUE(writeFile(home + "writing/" + running + "-1", dir.filePath("mine.vrz").toUtf8())
                && writeFile(dir.filePath("mine.vrz.Ab34Cd"), "x") && writeFile(dir.filePath("cover.vrz.keep"), "x")
                && writeFile(dir.filePath("cover.vrz.Ab34Cd7"), "x") && QDir().mkpath(temp + "caseleaf-" + running + "-AbCdEf")
                && QDir().mkpath(temp + "other-4194303-AbCdEf"));
    ASSERT_EQ(run(program, {"convert", "big.vrz", "other.vrz"}, dir.path(), env).exitCode, 0);
    QStringList left = QDir(dir.path()).entryList({"*.vrz.*"}, QDir::Files) + QDir(temp).entryList({"caseleaf-*", "other-*"}, QDir::Dirs)
        + QDir(home + "writing").entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{running + "-1", "caseleaf-" + running + "-AbCdEf", "cover.vrz.Ab34Cd7",
                                 "cover.vrz.keep", "mine.vrz.Ab34Cd", "other-4194303-AbCdEf"}));
}

} // namespace
