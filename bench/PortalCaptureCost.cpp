// SPDX-License-Identifier: MIT
// What capture through the desktop portal costs per picture, measured in the headless desktop of
// tests/support/portal-run-with-sway.sh (run by bench/portal-capture-cost.sh): this process (the
// PipeWire thread and the reduction), and the compositor, the portal's backend and PipeWire beside it. First
// a still screen, then one whose background changes every 100 ms, captured and, for comparison, not.
#include "simulated/MemoryDefaults.h"
#include "platform/linux/portal/PortalScreenCapture.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

double cpuSecondsOfSelf()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU seconds of the processes of the desktop, by command name.
std::map<QString, double> cpuSecondsOfDesktop()
{
    static const QStringList names{QStringLiteral("sway"), QStringLiteral("xdg-desktop-por"),
                                   QStringLiteral("pipewire"), QStringLiteral("wireplumber")};
    std::map<QString, double> seconds;
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QString line = QString::fromLocal8Bit(stat.readAll());
        const qsizetype open = line.indexOf(u'(');
        const qsizetype close = line.lastIndexOf(u')');
        const QString name = line.mid(open + 1, close - open - 1);
        if (!names.contains(name)) {
            continue;
        }
        const QStringList fields = line.mid(close + 2).split(u' ');
        // utime and stime are fields 14 and 15 of the line, 12 and 13 after the name.
        seconds[name == QStringLiteral("xdg-desktop-por") ? QStringLiteral("portal backends") : name] +=
            (fields.value(11).toDouble() + fields.value(12).toDouble()) / ticks;
    }
    return seconds;
}

void setBackground(const QString &colour)
{
    QProcess swaymsg;
    swaymsg.setStandardOutputFile(QProcess::nullDevice());
    swaymsg.start(QStringLiteral("swaymsg"), {QStringLiteral("output"), QStringLiteral("HEADLESS-1"),
                                              QStringLiteral("bg"), colour, QStringLiteral("solid_color")});
    swaymsg.waitForFinished();
}

// Another process turns the background dark and light every 100 ms while it lives, so that the painting
// costs this process nothing.
class Repainter
{
public:
    Repainter()
    {
        m_shell.setStandardOutputFile(QProcess::nullDevice());
        m_shell.start(QStringLiteral("sh"),
                      {QStringLiteral("-c"), QStringLiteral("while :; do swaymsg output HEADLESS-1 bg '#202020' "
                                                            "solid_color; sleep 0.1; swaymsg output HEADLESS-1 bg "
                                                            "'#e0e0e0' solid_color; sleep 0.1; done")});
        m_shell.waitForStarted();
    }
    ~Repainter()
    {
        m_shell.kill();
        m_shell.waitForFinished();
    }
    Repainter(const Repainter &) = delete;
    Repainter &operator=(const Repainter &) = delete;

private:
    QProcess m_shell;
};

struct Run
{
    int ticks = 0;
    std::uint64_t frames = 0;
    double selfCpu = 0;
    double reduceWall = 0;
    std::map<QString, double> desktopCpu;
};

// Runs `ticks` ticks of 100 ms, capturing at each unless `capture` is null; the portal's messages go
// through the event loop in between.
Run measure(lumvex::PortalScreenCapture *capture, int ticks)
{
    Run run;
    run.ticks = ticks;
    const std::uint64_t framesBefore = capture ? capture->framesReduced() : 0;
    const auto desktopBefore = cpuSecondsOfDesktop();
    const double selfBefore = cpuSecondsOfSelf();
    // A timer rather than polling, so that the loop itself costs next to nothing.
    QEventLoop loop;
    QTimer timer;
    int tick = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (capture) {
            const std::uint64_t reducedBefore = capture->framesReduced();
            const auto start = steady_clock::now();
            capture->captureAndReduce();
            if (capture->framesReduced() != reducedBefore) {
                run.reduceWall += duration<double>(steady_clock::now() - start).count();
            }
        }
        if (++tick == ticks) {
            loop.quit();
        }
    });
    timer.setTimerType(Qt::PreciseTimer);
    timer.start(100ms);
    loop.exec();
    run.selfCpu = cpuSecondsOfSelf() - selfBefore;
    run.frames = capture ? capture->framesReduced() - framesBefore : 0;
    for (const auto &[name, seconds] : cpuSecondsOfDesktop()) {
        run.desktopCpu[name] = seconds - (desktopBefore.count(name) ? desktopBefore.at(name) : 0.0);
    }
    return run;
}

void report(const char *what, const Run &run)
{
    std::printf("%s: %d ticks of 100 ms, %llu pictures reduced\n", what, run.ticks,
                static_cast<unsigned long long>(run.frames));
    std::printf("  this process (PipeWire thread, reduction), CPU per tick: %.3f ms\n", 1e3 * run.selfCpu / run.ticks);
    if (run.frames > 0) {
        std::printf("  reduction, wall time per picture: %.2f ms\n", 1e3 * run.reduceWall / run.frames);
    }
    for (const auto &[name, seconds] : run.desktopCpu) {
        std::printf("  %s, CPU per tick: %.2f ms\n", qPrintable(name), 1e3 * seconds / run.ticks);
    }
}

// What copying each picture out of its buffer would add instead of holding the buffer.
double copyMilliseconds(std::size_t bytes)
{
    std::vector<std::uint8_t> from(bytes, 1);
    std::vector<std::uint8_t> to(bytes);
    constexpr int kCopies = 50;
    const auto start = steady_clock::now();
    for (int i = 0; i < kCopies; ++i) {
        from[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
        std::memcpy(to.data(), from.data(), bytes);
    }
    const double ms = duration<double, std::milli>(steady_clock::now() - start).count() / kCopies;
    return to[7] == 1 ? ms : ms; // keeps the copy
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    lumvex::MemoryDefaults defaults;
    lumvex::PortalScreenCapture capture(defaults);
    setBackground(QStringLiteral("#404040"));
    const auto deadline = steady_clock::now() + 20s;
    while (capture.framesReduced() == 0 && steady_clock::now() < deadline) {
        capture.captureAndReduce();
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(10ms);
    }
    if (capture.framesReduced() == 0) {
        std::fprintf(stderr, "no picture came: %s\n", capture.unavailableReason().value_or("no reason given").c_str());
        return 1;
    }
    std::this_thread::sleep_for(500ms);
    capture.captureAndReduce();

    const int ticks = argc > 1 ? std::atoi(argv[1]) : 100;
    report("still screen, capturing", measure(&capture, ticks));
    {
        const Repainter repainter;
        report("background changing every 100 ms, capturing", measure(&capture, ticks));
        capture.pause();
        report("background changing every 100 ms, capture paused (the painting alone)", measure(nullptr, ticks));
    }
    std::printf("copying a 1920x1080 picture instead of holding its buffer would add %.2f ms\n",
                copyMilliseconds(1920u * 1080u * 4u));
    return 0;
}
