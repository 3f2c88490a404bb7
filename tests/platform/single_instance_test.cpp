#include "platform/single_instance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QFileInfo>
#include <QUuid>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

QString uniqueName() { return QStringLiteral("caseleaf-test-") + QUuid::createUuid().toString(QUuid::Id128).left(12); }

TEST(SingleInstance, NobodyAnswersWhenNoInstanceRuns)
{
    SingleInstance later(uniqueName());
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(later.handOver(QStringLiteral("/covers/a.vrz")));
    EXPECT_LT(clock.elapsed(), 600);
}

TEST(SingleInstance, HandedOverPathArrivesAsExecuteRequest)
{
    const QString name = uniqueName();
    SingleInstance first(name);
    ASSERT_TRUE(first.listen());
    QSignalSpy executed(&first, &SingleInstance::executeRequested);
    QSignalSpy activated(&first, &SingleInstance::activationRequested);

    SingleInstance later(name);
    const QString path = QStringLiteral("/covers/Müller – Live.vrz");
    EXPECT_TRUE(later.handOver(path));
    ASSERT_TRUE(executed.wait(1000));
    EXPECT_EQ(executed.first().first().toString(), path);
    EXPECT_EQ(activated.count(), 1);
}

TEST(SingleInstance, StartWithoutPathOnlyBringsTheFirstForward)
{
    const QString name = uniqueName();
    SingleInstance first(name);
    ASSERT_TRUE(first.listen());
    QSignalSpy executed(&first, &SingleInstance::executeRequested);
    QSignalSpy activated(&first, &SingleInstance::activationRequested);

    SingleInstance later(name);
    EXPECT_TRUE(later.handOver(QString()));
    ASSERT_TRUE(activated.wait(1000));
    EXPECT_EQ(executed.count(), 0);
}

TEST(SingleInstance, SocketLeftByACrashedProgramIsTakenOver)
{
    const QString name = uniqueName();
    {
        QLocalServer crashed;
        ASSERT_TRUE(crashed.listen(name));
        const QString socket = crashed.fullServerName();
        crashed.close();
        // A crash leaves the socket file behind.
        QFile stale(socket);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    SingleInstance first(name);
    EXPECT_FALSE(first.handOver(QString()));
    EXPECT_TRUE(first.listen());
}

TEST(SingleInstance, EveryUserAndProfileHasItsOwnName)
{
    EXPECT_TRUE(SingleInstance::serverName().startsWith("caseleaf-"));
    EXPECT_EQ(SingleInstance::serverName(), SingleInstance::serverName());
}

// Two real processes.
TEST(SingleInstanceProcesses, SecondStartHandsItsPathToTheFirstAndEnds)
{
    const QString probe = QStringLiteral(CASELEAF_BUILD_DIR "/tests/single_instance_probe");
    const QString name = uniqueName();
    QProcess first;
    first.start(probe, {name});
    ASSERT_TRUE(first.waitForReadyRead(5000));
    EXPECT_EQ(first.readLine().trimmed(), "listening");

    QProcess second;
    QElapsedTimer clock;
    clock.start();
    second.start(probe, {name, QStringLiteral("/covers/a b.vrz")});
    ASSERT_TRUE(second.waitForFinished(1000));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput().trimmed(), "handed over");

    QByteArray received;
    while (!received.contains("execute:") && first.waitForReadyRead(2000))
        received += first.readAllStandardOutput();
    received += first.readAllStandardOutput();
    EXPECT_TRUE(received.contains("activate\n")) << received.toStdString();
    EXPECT_TRUE(received.contains("execute:/covers/a b.vrz\n")) << received.toStdString();
    first.kill();
    first.waitForFinished(1000);
    QLocalServer::removeServer(name);
}

// The program itself: a second start while one runs ends within a second and leaves
// the first running.
TEST(SingleInstanceProcesses, SecondProgramStartEndsAndTheFirstGoesOn)
{
    QTemporaryDir home;
    QTemporaryDir config;
    ASSERT_TRUE(home.isValid() && config.isValid());
    for (const char* file : {"language/english.ini", "help/abouttext.txt"}) {
        const QString target = home.filePath(QString::fromLatin1(file));
        QDir().mkpath(QFileInfo(target).path());
        ASSERT_TRUE(QFile::copy(QStringLiteral(CASELEAF_BUILD_DIR "/") + QLatin1String(file), target));
    }
    // A profile that has seen the first-use notice already.
    QSettings(config.filePath("Caseleaf/VORN.conf"), QSettings::IniFormat).setValue("General/NotFirstUse", "False");

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("CASELEAF_HOME", home.path());
    env.insert("XDG_CONFIG_HOME", config.path());
    const QString program = QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf");

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted(5000));
    // The working folder appears at the end of the first stage, after the instance listens.
    QElapsedTimer wait;
    wait.start();
    while (!QFileInfo(home.filePath("tmp")).isDir() && wait.elapsed() < 10000)
        QThread::msleep(20);
    ASSERT_TRUE(QFileInfo(home.filePath("tmp")).isDir()) << first.readAllStandardError().toStdString();

    QProcess second;
    second.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    second.start(program, {home.filePath("cover.vrz")});
    ASSERT_TRUE(second.waitForFinished(1000)) << "the second start did not end";
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(1000);
}

} // namespace
