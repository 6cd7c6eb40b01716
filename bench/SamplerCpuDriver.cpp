// SPDX-License-Identifier: MIT
// Runs the content sampler on the X server named by DISPLAY for a while and prints what it cost:
// the CPU time of this process and of the X server, as percent of one core. Started by sampler-cpu.sh.
#include "engine/SystemClock.h"
#include "platform/linux/capture/QueuedPost.h"
#include "platform/linux/x11/X11DisplayServices.h"
#include "platform/linux/x11/capture/X11ShmCapture.h"

#include <QCoreApplication>
#include <QTimer>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

using namespace lumvex;

namespace {

double processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Another process's CPU time, summed over its threads from the scheduler's nanosecond counters.
std::optional<double> processSeconds(long pid)
{
    std::error_code error;
    double total = 0.0;
    for (const auto &task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream stats(task.path() / "schedstat");
        unsigned long long nanoseconds = 0;
        if (stats >> nanoseconds) {
            total += static_cast<double>(nanoseconds) * 1e-9;
        }
    }
    return error ? std::nullopt : std::optional(total);
}

std::optional<long> number(std::string_view text)
{
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? std::optional(value) : std::nullopt;
}

struct Options
{
    X11ShmCapture::Mode mode = X11ShmCapture::Mode::WhenDrawn;
    std::optional<ServerScale> scale = X11ShmCapture::kScale;
    X11ShmCapture::Pace pace = X11ShmCapture::Pace::GlanceWhenBusy;
    long seconds = 15;
    long warmupSeconds = 2;
    long serverPid = 0;
};

std::optional<Options> parse(const QStringList &arguments)
{
    Options options;
    if (arguments.size() % 2 == 0) {
        return std::nullopt;
    }
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        const std::string name = arguments[i].toStdString();
        const std::string value = arguments[i + 1].toStdString();
        if (name == "--mode") {
            if (value != "when-drawn" && value != "every-time") {
                return std::nullopt;
            }
            options.mode = value == "when-drawn" ? X11ShmCapture::Mode::WhenDrawn : X11ShmCapture::Mode::EveryTime;
            continue;
        }
        if (name == "--pace") {
            if (value != "glance-when-busy" && value != "full") {
                return std::nullopt;
            }
            options.pace = value == "full" ? X11ShmCapture::Pace::Full : X11ShmCapture::Pace::GlanceWhenBusy;
            continue;
        }
        if (name == "--scale") {
            options.scale = parseServerScale(value);
            if (!options.scale && value != "none") {
                return std::nullopt;
            }
            continue;
        }
        const std::optional<long> parsed = number(value);
        if (parsed && *parsed > 0 && name == "--seconds") {
            options.seconds = *parsed;
        } else if (parsed && *parsed >= 0 && name == "--warmup") {
            options.warmupSeconds = *parsed;
        } else if (parsed && *parsed > 0 && name == "--server-pid") {
            options.serverPid = *parsed;
        } else {
            return std::nullopt;
        }
    }
    return options.serverPid != 0 ? std::optional(options) : std::nullopt;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const std::optional<Options> options = parse(QCoreApplication::arguments());
    if (!options) {
        std::fprintf(stderr, "usage: lumvex_sampler_cpu --server-pid PID [--mode when-drawn|every-time] "
                             "[--scale none|nearest:N|bilinear:N|box:N] [--pace glance-when-busy|full] "
                             "[--seconds N] [--warmup N]\n");
        return 2;
    }
    const DisplayId display = X11DisplayServices().mainDisplay();
    if (display == 0) {
        std::fprintf(stderr, "lumvex_sampler_cpu: no display found on the X server at DISPLAY\n");
        return 1;
    }
    auto capture = std::make_unique<X11ShmCapture>(display, options->mode, options->scale, options->pace);
    const X11ShmCapture &frames = *capture;
    SystemClock clock;
    ContentSampler sampler(std::move(capture), queuedPostTo(&app), clock);
    long samples = 0;
    sampler.onSample = [&samples](double) { ++samples; };
    sampler.onUnavailable = [](const std::string &reason) {
        std::fprintf(stderr, "lumvex_sampler_cpu: %s\n", reason.c_str());
        QCoreApplication::exit(1);
    };

    struct Mark
    {
        double self = 0.0;
        double server = 0.0;
        long samples = 0;
        int frames = 0;
        int scaled = 0;
        long rows = 0;
        std::chrono::steady_clock::time_point at;
    };
    const auto mark = [&] {
        return Mark{processSeconds(),
                    processSeconds(options->serverPid).value_or(-1.0),
                    samples,
                    frames.framesRead(),
                    frames.scaledFramesRead(),
                    frames.rowsRead(),
                    std::chrono::steady_clock::now()};
    };
    Mark start;
    QTimer::singleShot(std::chrono::seconds(options->warmupSeconds), &app, [&] {
        start = mark();
        QTimer::singleShot(std::chrono::seconds(options->seconds), &app, [&] {
            const Mark end = mark();
            const double wall = std::chrono::duration<double>(end.at - start.at).count();
            if (start.server < 0.0 || end.server < 0.0) {
                std::fprintf(stderr, "lumvex_sampler_cpu: cannot read the CPU time of process %ld\n",
                             options->serverPid);
                QCoreApplication::exit(1);
                return;
            }
            std::printf("seconds=%.1f samples=%ld frames=%d scaled=%d rows=%ld sampler_cpu=%.3f xserver_cpu=%.3f\n",
                        wall, end.samples - start.samples, end.frames - start.frames, end.scaled - start.scaled,
                        end.rows - start.rows, 100.0 * (end.self - start.self) / wall,
                        100.0 * (end.server - start.server) / wall);
            QCoreApplication::quit();
        });
    });
    sampler.start();
    return QCoreApplication::exec();
}
