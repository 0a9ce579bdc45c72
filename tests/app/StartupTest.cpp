// The program itself: one copy at a time, also after a copy was killed.
#include "Application.h"
#include "SingleInstance.h"
#include "Waits.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

class Program {
public:
    Program()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LEMV_AUTO_ANSWER"), QStringLiteral("1"));
        process.setProcessEnvironment(env);
        process.setProgram(ProgramDir() + QStringLiteral("/Lemvora"));
    }
    ~Program()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(EventWaitMs);
        }
    }
    // Waits until the program prints Line (or ends); its whole output so far.
    bool Prints(const QByteArray& Line)
    {
        const QDeadlineTimer deadline(EventWaitMs);
        while (!out.contains(Line) && !deadline.hasExpired()) {
            if (process.state() == QProcess::NotRunning && !process.bytesAvailable())
                break;
            process.waitForReadyRead(200);
            out += process.readAllStandardOutput();
        }
        return out.contains(Line);
    }
    QProcess process;
    QByteArray out;
};

const QByteArray Refused = QStringLiteral("dialog: Программа уже загружена на Вашем ПК!").toUtf8();

void ExpectRefused()
{
    Program second;
    second.process.start();
    ASSERT_TRUE(second.process.waitForFinished(EventWaitMs));
    second.out += second.process.readAllStandardOutput();
    EXPECT_TRUE(second.out.contains(Refused)) << second.out.toStdString();
    EXPECT_FALSE(second.out.contains("started"));
    EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process.exitCode(), 0);
}

// One sequence, since every step depends on who holds the marker. The
// marker's name is scoped to this run, so the copies meet no other program.
TEST(Startup, OneCopyAtATime)
{
    qputenv("LEMV_INSTANCE_SCOPE", "startup-test-" + QByteArray::number(QCoreApplication::applicationPid()) + "-");
    {
        Program first;
        first.process.start();
        ASSERT_TRUE(first.Prints("started")) << first.out.toStdString();
        ExpectRefused();
        EXPECT_EQ(first.process.state(), QProcess::Running) << "the first copy is not disturbed";
        first.process.terminate();
        ASSERT_TRUE(first.process.waitForFinished(EventWaitMs));
    }
    {
        Program afterEnd;
        afterEnd.process.start();
        ASSERT_TRUE(afterEnd.Prints("started")) << afterEnd.out.toStdString();
        afterEnd.process.kill();
        ASSERT_TRUE(afterEnd.process.waitForFinished(EventWaitMs));
    }
    {
        Program afterKill;
        afterKill.process.start();
        EXPECT_TRUE(afterKill.Prints("started")) << "a killed copy never blocks: " << afterKill.out.toStdString();
    }
    // Any other holder of the name blocks the program the same way.
    TInstanceMarker other;
    ASSERT_EQ(other.Create(QStringLiteral("LemvMap")), TMarkerResult::Created);
    ExpectRefused();
    other.Close();
}

} // namespace
