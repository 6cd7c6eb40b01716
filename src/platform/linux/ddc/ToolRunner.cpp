// SPDX-License-Identifier: MIT
#include "ToolRunner.h"

#include "platform/linux/Logging.h"
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <memory>
#include <unistd.h>

namespace lumvex::external {

namespace {


// Far beyond any brightness reading; a helper printing more is broken.
constexpr qsizetype kOutputLimit = 64 * 1024;
constexpr qsizetype kErrorsKept = 512;

// The child leads its own process group, so that a shell script's children are stopped with it. While
// the child is not reaped its id cannot be reused, so the group cannot name anyone else.
void signalGroup(QProcess &process, int signal)
{
    const qint64 pid = process.processId();
    if (process.state() == QProcess::NotRunning || pid <= 0) {
        return;
    }
    if (::kill(-static_cast<pid_t>(pid), signal) != 0) {
        // Signalled before it could make its group.
        ::kill(static_cast<pid_t>(pid), signal);
    }
}

} // namespace

ToolRunner::ToolRunner(std::chrono::milliseconds timeout, std::chrono::milliseconds killGrace)
    : m_timeout(timeout)
    , m_killGrace(killGrace)
{}

ToolRunner::~ToolRunner()
{
    // Killed helpers end at once; waiting reaps them, so nothing is left behind.
    for (QObject *parent : {&m_running, &m_stopping}) {
        for (QProcess *process : parent->findChildren<QProcess *>(Qt::FindDirectChildrenOnly)) {
            process->disconnect();
            signalGroup(*process, SIGKILL);
            process->waitForFinished(static_cast<int>(m_killGrace.count()));
        }
    }
}

void ToolRunner::start(const QString &program, const QStringList &arguments, Done done)
{
    // What one run gathers until it ends; shared by its handlers.
    struct Run
    {
        QByteArray output;
        QByteArray errors;
        bool tooLong = false;
        bool ended = false;
        Done done;
    };
    auto run = std::make_shared<Run>();
    run->done = std::move(done);
    auto *process = new QProcess(&m_running);
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setChildProcessModifier([] { ::setpgid(0, 0); });

    // Called once; queued, so that a caller never sees its callback run inside start().
    const auto end = [this, run](std::optional<QByteArray> result) {
        if (run->ended) {
            return;
        }
        run->ended = true;
        QMetaObject::invokeMethod(
            &m_running, [run, result = std::move(result)] { run->done(result); }, Qt::QueuedConnection);
    };

    // Both pipes are drained as data comes, so that a chatty helper never blocks on a full pipe.
    QObject::connect(process, &QProcess::readyReadStandardOutput, process, [process, run] {
        run->output += process->readAllStandardOutput();
        if (run->output.size() > kOutputLimit) {
            run->tooLong = true;
            run->output.clear();
        }
    });
    QObject::connect(process, &QProcess::readyReadStandardError, process, [process, run] {
        const QByteArray chunk = process->readAllStandardError();
        run->errors += chunk.left(kErrorsKept - run->errors.size());
    });
    QObject::connect(process, &QProcess::finished, process,
                     [process, run, end, program, arguments](int code, QProcess::ExitStatus status) {
                         run->output += process->readAllStandardOutput();
                         process->deleteLater();
                         if (status != QProcess::NormalExit || code != 0 || run->tooLong) {
                             qCDebug(lcDdc) << program << arguments << "failed with status" << code << run->errors;
                             end(std::nullopt);
                             return;
                         }
                         end(run->output);
                     });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, end, program](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            qCDebug(lcDdc) << program << "did not start:" << process->errorString();
            process->deleteLater();
            end(std::nullopt);
        }
    });
    QTimer::singleShot(m_timeout, process, [this, process, end, program] {
        if (process->state() != QProcess::NotRunning) {
            qCDebug(lcDdc) << program << "ran out of time; stopping it";
            end(std::nullopt);
            abandon(process);
        }
    });
    process->start(QIODevice::ReadOnly);
}

int ToolRunner::stoppingCount() const
{
    return static_cast<int>(m_stopping.findChildren<QProcess *>(Qt::FindDirectChildrenOnly).size());
}

void ToolRunner::abandon(QProcess *process)
{
    process->disconnect();
    process->setParent(&m_stopping);
    // Nobody reads it any more; a helper that keeps writing gets a broken pipe.
    process->closeReadChannel(QProcess::StandardOutput);
    process->closeReadChannel(QProcess::StandardError);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    signalGroup(*process, SIGTERM);
    QTimer::singleShot(m_killGrace, process, [process] { signalGroup(*process, SIGKILL); });
}

} // namespace lumvex::external
