#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>

#include <chrono>
#include <optional>

class QProcess;

namespace lumvex::external {

// Runs a short-lived helper program and waits for it on the calling thread, never longer than the
// time limit. A helper still running then is asked to stop (SIGTERM to its process group) and left
// to end on its own; one that ignores that for killGrace is killed. Reaping it needs the event loop.
class ToolRunner
{
public:
    explicit ToolRunner(std::chrono::milliseconds timeout = std::chrono::seconds(1),
                        std::chrono::milliseconds killGrace = std::chrono::milliseconds(500));
    ~ToolRunner();
    ToolRunner(const ToolRunner &) = delete;
    ToolRunner &operator=(const ToolRunner &) = delete;

    // The program's standard output when it ran to its end within the time limit with exit status
    // 0; nothing when it could not start, failed, crashed, overran or printed an implausible amount.
    std::optional<QByteArray> run(const QString &program, const QStringList &arguments);

    // Helpers that overran and have not been reaped yet.
    int stoppingCount() const;

private:
    void abandon(QProcess *process);

    const std::chrono::milliseconds m_timeout;
    const std::chrono::milliseconds m_killGrace;
    // Parent of the overrunning helpers until they are reaped.
    QObject m_stopping;
};

} // namespace lumvex::external
