#include "archive/zip_engine.h"
#include "archive/zip_fixtures.h"
#include "gtest_qt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>

using namespace fixtures;

namespace {

// The built program killed with SIGKILL at twenty moments of a save over an existing
// cover: the cover is always whole, and the next start removes what the killed runs left.
TEST(InterruptedSave, TheOldCoverStaysWholeAndTheNextStartCleansUp)
{
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home/"));
    const QString temp = dir.filePath(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir().mkpath(home + "language") && QDir().mkpath(temp) && QDir().mkpath(dir.filePath("parts")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CASELEAF_BUILD_DIR "/language/english.ini"), home + "language/english.ini"));
    // A picture that does not compress, so that the save takes a while.
    QImage noisy(1800, 1200, QImage::Format_RGB32);
    const QByteArray pixels = noise(int(noisy.sizeInBytes()));
    std::copy(pixels.begin(), pixels.end(), noisy.bits());
    ASSERT_TRUE(noisy.save(dir.filePath("parts/noise.bmp")));
    ASSERT_TRUE(writeFile(dir.filePath("parts/vorn.ini"), "[LastCover]\r\nText=\"big\"\r\nBackPicture={noise.bmp}\r\n"));
    ASSERT_TRUE(writeFile(dir.filePath("parts/big.vrz.txt"), "// ~contents~=\r\nx\r\n"));
    const QStringList parts{dir.filePath("parts/vorn.ini"), dir.filePath("parts/big.vrz.txt"), dir.filePath("parts/noise.bmp")};
    // Stored, so that the save has to deflate it and is not a copy.
    ASSERT_EQ(CompressArrayFiles(parts, dir.filePath("big.vrz"), 0), zipcode::Ok);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CASELEAF_HOME"), home);
    env.insert(QStringLiteral("TMPDIR"), temp);
    const QString program = QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf");
    const QStringList convert{"convert", "big.vrz", "cover.vrz"};
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(run(program, convert, dir.path(), env).exitCode, 0);
    const qint64 whole = timer.elapsed();

    const QRegularExpression temporary(QStringLiteral("\\Acover\\.vrz\\.[A-Za-z0-9]{6}\\z"));
    const auto leftBeside = [&] {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(temporary).size();
    };
    const auto commandFolders = [&] { return QDir(temp).entryList({"caseleaf-*"}, QDir::Dirs).size(); };
    // What each killed run left; every start removes what the runs before it left.
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
    // Kills came in the middle of saves, and of runs at all.
    EXPECT_GT(besideTotal, 0);
    EXPECT_GT(foldersTotal, 0);

    ASSERT_EQ(run(program, {"convert", "big.vrz", "other.vrz"}, dir.path(), env).exitCode, 0);
    EXPECT_EQ(leftBeside(), 0);
    EXPECT_EQ(commandFolders(), 0);
    EXPECT_TRUE(QDir(home + "writing").isEmpty());
    // A file of another name, the program's own ones and other folders stay.
    EXPECT_TRUE(QFile::exists(dir.filePath("big.vrz")) && QFile::exists(dir.filePath("other.vrz")));
}

// Only what the program made, by its name, and of processes no longer running.
TEST(InterruptedSave, OnlyTheProgramsOwnLeftoversGo)
{
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home/"));
    const QString temp = dir.filePath(QStringLiteral("tmp/"));
    ASSERT_TRUE(QDir().mkpath(home + "writing") && QDir().mkpath(home + "language") && QDir().mkpath(temp));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CASELEAF_BUILD_DIR "/language/english.ini"), home + "language/english.ini"));
    const QString running = QString::number(QCoreApplication::applicationPid());
    // A note of a process long gone (pid 1 is always running, so a large free number).
    const QString gone = QStringLiteral("4194303");
    ASSERT_TRUE(writeFile(home + "writing/" + gone + "-1", dir.filePath("a.vrz").toUtf8()));
    ASSERT_TRUE(writeFile(home + "writing/" + running + "-1", dir.filePath("b.vrz").toUtf8()));
    for (const char* name : {"a.vrz.Xy12Zq", "a.vrz.keep", "a.vrz.Xy12Zq7", "b.vrz.Ab34Cd", "a.vrz"})
        ASSERT_TRUE(writeFile(dir.filePath(name), "x"));
    for (const QString& folder : {"caseleaf-" + gone + "-AbCdEf", "caseleaf-" + running + "-AbCdEf", "other-" + gone + "-AbCdEf"})
        ASSERT_TRUE(QDir().mkpath(temp + folder + "/inside"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CASELEAF_HOME"), home);
    env.insert(QStringLiteral("TMPDIR"), temp);
    ASSERT_EQ(run(QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf"), {"render", "missing.vrz", "--side", "back", "--out", "x.png"},
                  dir.path(), env).exitCode, 1);
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{"a.vrz", "a.vrz.Xy12Zq7", "a.vrz.keep", "b.vrz.Ab34Cd"}));
    EXPECT_EQ(QDir(home + "writing").entryList(QDir::Files), QStringList{running + "-1"});
    QStringList folders = QDir(temp).entryList({"caseleaf-*", "other-*"}, QDir::Dirs);
    folders.sort();
    EXPECT_EQ(folders, (QStringList{"caseleaf-" + running + "-AbCdEf", "other-" + gone + "-AbCdEf"}));
}

} // namespace
