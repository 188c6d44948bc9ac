#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QUuid>

#include "platform/windows/SingleInstance.h"

namespace corvane {
namespace {

QString UniqueName()
{
    return QStringLiteral("corvane-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces).left(8);
}

// Each instance test uses names of its own, so parallel test runs never meet.
bool ActivationArrives(QSignalSpy& spy)
{
    return spy.count() > 0 || spy.wait(5000);
}

TEST(SingleInstance, ASecondStartCallsTheFirstForwardAndEnds)
{
    const QString name = UniqueName();
    SingleInstance first(name);
    ASSERT_TRUE(first.Start());
    QSignalSpy activations(&first, &SingleInstance::ActivateRequested);

    SingleInstance second(name);
    EXPECT_FALSE(second.Start());
    EXPECT_TRUE(ActivationArrives(activations));
    EXPECT_EQ(activations.count(), 1);

    // Still the only copy after the call: a third start is turned away as well.
    SingleInstance third(name);
    EXPECT_FALSE(third.Start());
    EXPECT_TRUE(ActivationArrives(activations));
}

TEST(SingleInstance, TheNextStartRunsOnceTheFirstHasEnded)
{
    const QString name = UniqueName();
    {
        SingleInstance first(name);
        ASSERT_TRUE(first.Start());
    }
    SingleInstance next(name);
    EXPECT_TRUE(next.Start());
    EXPECT_FALSE(QFile::exists(SingleInstance(UniqueName()).LockFilePath()));
}

TEST(SingleInstance, LeftoversOfACrashedCopyDoNotBlock)
{
    const QString name = UniqueName();
    SingleInstance probe(name);

    // A process that is gone by now, as the owner of a lock file a crash left behind.
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    QFile lock(probe.LockFilePath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(child) + "\ncorvane\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    // And the socket file that crash left, now with nobody listening.
    QFile socket(probe.SocketPath());
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();

    SingleInstance first(name);
    ASSERT_TRUE(first.Start());
    QSignalSpy activations(&first, &SingleInstance::ActivateRequested);
    SingleInstance second(name);
    EXPECT_FALSE(second.Start());
    EXPECT_TRUE(ActivationArrives(activations));
}

} // namespace
} // namespace corvane
