#include "platform/single_instance.h"

#include <QLocalServer>

#include "gtest_qt.h"

// Two real processes: the second start hands its path to the first and ends at once.
TEST(SingleInstance, SecondStartHandsItsPathToTheFirstAndEnds)
{
    const QString probe = QStringLiteral(CASELEAF_BUILD_DIR "/tests/single_instance_probe");
    const QString name = "caseleaf-test-" + QUuid::createUuid().toString(QUuid::Id128).left(12);
    const QString path = QStringLiteral("/covers/Müller – Live.vrz");
    QProcess first;
    first.start(probe, {name});
    ASSERT_TRUE(first.waitForReadyRead(5000));
    EXPECT_EQ(first.readLine().trimmed(), "listening");

    QProcess second;
    QElapsedTimer clock;
    clock.start();
    second.start(probe, {name, path});
    ASSERT_TRUE(second.waitForFinished(1000));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(second.readAllStandardOutput().trimmed(), "handed over");

    QByteArray received;
    while (!received.contains("execute:") && first.waitForReadyRead(2000))
        received += first.readAllStandardOutput();
    EXPECT_TRUE(received.contains("activate\n")) << received.toStdString();
    EXPECT_TRUE(received.contains(QString("execute:" + path + "\n").toUtf8())) << received.toStdString();
    first.kill();
    first.waitForFinished(1000);
    QLocalServer::removeServer(name);
}
