// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

class QProcess;

namespace lumvex::external {

// Runs short-lived helper programs without ever waiting for them: the result comes back through the
// event loop, never later than the time limit. A helper still running then is asked to stop (SIGTERM
// to its process group) and left to end on its own; one that ignores that for killGrace is killed.
class ToolRunner
{
public:
    // The program's standard output when it ran to its end within the time limit with exit status
    // 0; nothing when it could not start, failed, crashed, overran or printed an implausible amount.
    using Done = std::function<void(std::optional<QByteArray>)>;

    explicit ToolRunner(std::chrono::milliseconds timeout = std::chrono::seconds(1),
                        std::chrono::milliseconds killGrace = std::chrono::milliseconds(500));
    // Helpers still running are killed; their callbacks are not called.
    ~ToolRunner();
    ToolRunner(const ToolRunner &) = delete;
    ToolRunner &operator=(const ToolRunner &) = delete;

    // Starts the program and returns at once; `done` is called once, from the event loop.
    void start(const QString &program, const QStringList &arguments, Done done);

    // Helpers that overran and have not been reaped yet.
    int stoppingCount() const;

private:
    void abandon(QProcess *process);

    const std::chrono::milliseconds m_timeout;
    const std::chrono::milliseconds m_killGrace;
    // Parent of the running helpers, and the context of their callbacks.
    QObject m_running;
    // Parent of the overrunning helpers until they are reaped.
    QObject m_stopping;
};

} // namespace lumvex::external
