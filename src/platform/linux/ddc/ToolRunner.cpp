#include "ToolRunner.h"

#include <QDeadlineTimer>
#include <QLoggingCategory>
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <memory>
#include <unistd.h>

namespace lumvex::external {

namespace {

Q_LOGGING_CATEGORY(lcDdc, "lumvex.ddc", QtWarningMsg)

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

int remainingMs(const QDeadlineTimer &deadline)
{
    return static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
}

} // namespace

ToolRunner::ToolRunner(std::chrono::milliseconds timeout, std::chrono::milliseconds killGrace)
    : m_timeout(timeout)
    , m_killGrace(killGrace)
{}

ToolRunner::~ToolRunner()
{
    // Killed helpers end at once; waiting reaps them, so nothing is left behind.
    for (QProcess *process : m_stopping.findChildren<QProcess *>(Qt::FindDirectChildrenOnly)) {
        signalGroup(*process, SIGKILL);
        process->waitForFinished(static_cast<int>(m_killGrace.count()));
    }
}

std::optional<QByteArray> ToolRunner::run(const QString &program, const QStringList &arguments)
{
    const QDeadlineTimer deadline(m_timeout);
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setChildProcessModifier([] { ::setpgid(0, 0); });

    // Both pipes are drained while waiting, so that a chatty helper never blocks on a full pipe.
    QByteArray output;
    QByteArray errors;
    bool tooLong = false;
    QProcess *raw = process.get();
    QObject readers;
    QObject::connect(raw, &QProcess::readyReadStandardOutput, &readers, [&] {
        output += raw->readAllStandardOutput();
        if (output.size() > kOutputLimit) {
            tooLong = true;
            output.clear();
        }
    });
    QObject::connect(raw, &QProcess::readyReadStandardError, &readers, [&] {
        const QByteArray chunk = raw->readAllStandardError();
        errors += chunk.left(kErrorsKept - errors.size());
    });

    process->start(QIODevice::ReadOnly);
    const bool finished =
        process->waitForStarted(remainingMs(deadline)) && process->waitForFinished(remainingMs(deadline));
    if (!finished) {
        if (process->state() != QProcess::NotRunning) {
            qCDebug(lcDdc) << program << "ran out of time; stopping it";
            abandon(process.release());
        } else {
            qCDebug(lcDdc) << program << "did not start:" << process->errorString();
        }
        return std::nullopt;
    }
    output += process->readAllStandardOutput();
    if (process->exitStatus() != QProcess::NormalExit || process->exitCode() != 0 || tooLong) {
        qCDebug(lcDdc) << program << arguments << "failed with status" << process->exitCode() << errors;
        return std::nullopt;
    }
    return output;
}

int ToolRunner::stoppingCount() const
{
    return static_cast<int>(m_stopping.findChildren<QProcess *>(Qt::FindDirectChildrenOnly).size());
}

void ToolRunner::abandon(QProcess *process)
{
    process->setParent(&m_stopping);
    // Nobody reads it any more; a helper that keeps writing gets a broken pipe.
    process->closeReadChannel(QProcess::StandardOutput);
    process->closeReadChannel(QProcess::StandardError);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    signalGroup(*process, SIGTERM);
    QTimer::singleShot(m_killGrace, process, [process] { signalGroup(*process, SIGKILL); });
}

} // namespace lumvex::external
