#pragma once

#include "gtest_qt.h"

#include <unistd.h>

// Permissions mean nothing to root. A test of a read-only folder starts with
// `if (!runsAsOrdinaryUser()) return;`: as root it reruns itself as "nobody" and takes
// that run's result.
inline bool runsAsOrdinaryUser()
{
    if (geteuid() != 0)
        return true;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", QCoreApplication::applicationFilePath(),
                            QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    const bool finished = child.waitForFinished(60000);
    const QByteArray output = child.readAll();
    EXPECT_TRUE(finished && child.exitCode() == 0 && output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    return false;
}
