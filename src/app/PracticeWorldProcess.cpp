#include "PracticeWorldProcess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

namespace tw {

PracticeWorldProcess::PracticeWorldProcess()
{
    process_.setReadChannel(QProcess::StandardError);
    process_.setProcessChannelMode(QProcess::ForwardedOutputChannel);
#ifdef Q_OS_LINUX
    // A Tarnwick that is killed takes the world with it, so that the port is free again.
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
}

PracticeWorldProcess::~PracticeWorldProcess()
{
    stop();
}

void PracticeWorldProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(1000);
    }
}

QString PracticeWorldProcess::programBeside(const QString& programFolder)
{
    for (const char* name : {"tarnwick-practice-world", "practice/practice_world"}) {
        const QFileInfo program(QDir(programFolder).filePath(name));
        if (program.isFile() && program.isExecutable())
            return program.absoluteFilePath();
    }
    return {};
}

PracticeWorldProcess::Start PracticeWorldProcess::start(const QString& program, quint16 port, int waitMs)
{
    if (program.isEmpty()) {
        said_ = "tarnwick-practice-world is not installed beside Tarnwick.";
        return Start::Failed;
    }
    process_.start(program, {"--port", QString::number(port)});
    if (!process_.waitForStarted(waitMs)) {
        said_ = process_.errorString().toLocal8Bit();
        return Start::Failed;
    }
    const QDeadlineTimer deadline(waitMs);
    while (!said_.contains("is open on")) {
        if (process_.state() == QProcess::NotRunning || deadline.hasExpired()) {
            said_ += process_.readAllStandardError();
            stop();
            return said_.contains("cannot listen") ? Start::PortTaken : Start::Failed;
        }
        process_.waitForReadyRead(int(deadline.remainingTime()));
        said_ += process_.readAllStandardError();
    }
    // Whatever it says later is dropped, so that nothing piles up while Tarnwick runs.
    QObject::connect(&process_, &QProcess::readyReadStandardError, &process_,
                     [this] { process_.readAllStandardError(); });
    return Start::Listening;
}

} // namespace tw
