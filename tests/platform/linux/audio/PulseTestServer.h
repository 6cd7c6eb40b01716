// SPDX-License-Identifier: MIT
#pragma once

#include "support/TempDir.h"

#include <pulse/volume.h>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace lumvex::test {

// A private PulseAudio server of the test's own, which it can kill and start again: two null sinks
// (test_sink, the default, and other_sink) and a socket in a fresh folder, no other modules, no bus,
// no autospawn. Every client of this process reaches it and nothing else; it dies with the process.
class PulseTestServer
{
public:
    PulseTestServer()
    {
        // The folder is the server's home and runtime folder: mkdtemp made it private.
        const std::string dir = m_dir.path().string();
        const std::string noBus = "unix:path=" + dir + "/no-bus";
        for (const auto &[name, value] : {std::pair{"HOME", dir},
                                          {"XDG_RUNTIME_DIR", dir},
                                          {"PULSE_CLIENTCONFIG", dir + "/client.conf"},
                                          {"PULSE_SERVER", "unix:" + dir + "/pulse.sock"},
                                          {"DBUS_SESSION_BUS_ADDRESS", noBus},
                                          {"DBUS_SYSTEM_BUS_ADDRESS", noBus}}) {
            ::setenv(name, value.c_str(), 1);
        }
        for (const char *name : {"PULSE_COOKIE", "PULSE_SINK", "PULSE_SOURCE", "DISPLAY", "WAYLAND_DISPLAY"}) {
            ::unsetenv(name);
        }
        std::ofstream(dir + "/client.conf") << "autospawn = no\n";
        std::ofstream(dir + "/server.pa") << "load-module module-null-sink sink_name=test_sink\n"
                                             "load-module module-null-sink sink_name=other_sink\n"
                                             "load-module module-native-protocol-unix auth-anonymous=1 socket="
                                          << dir << "/pulse.sock\nset-default-sink test_sink\n";
        restart();
    }
    ~PulseTestServer() { stop(SIGTERM); }
    PulseTestServer(const PulseTestServer &) = delete;
    PulseTestServer &operator=(const PulseTestServer &) = delete;

    // Kills the server outright; none runs until restart().
    void kill() { stop(SIGKILL); }

    // Starts a server and waits until it answers.
    void restart()
    {
        const std::string dir = m_dir.path().string();
        const std::string command = "exec pulseaudio --daemonize=no --exit-idle-time=-1 --use-pid-file=no "
                                    "--disable-shm=yes -n -F " +
                                    dir + "/server.pa >>" + dir + "/pulse.log 2>&1";
        m_pid = ::fork();
        if (m_pid == 0) { // only what is safe in the child of a process with threads
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
            ::_exit(127);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::system("pactl info >/dev/null 2>&1") != 0) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline)
                << "PulseAudio did not start; see " << dir << "/pulse.log";
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    pid_t pid() const { return m_pid; }

    // Runs pactl with the arguments and returns what it printed; a failure fails the test.
    std::string pactl(const std::string &arguments)
    {
        const std::string command = "pactl " + arguments + " 2>&1";
        std::unique_ptr<FILE, int (*)(FILE *)> pipe(::popen(command.c_str(), "r"), ::pclose);
        std::string output;
        char buffer[4096];
        while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) {
            output += buffer;
        }
        const int status = pipe ? ::pclose(pipe.release()) : -1;
        EXPECT_EQ(status, 0) << command << ": " << output;
        return output;
    }

    // The server's own view of a sink, null when there is none.
    nlohmann::json sink(const std::string &name)
    {
        for (const auto &sink : nlohmann::json::parse(pactl("-f json list sinks"))) {
            if (sink.at("name") == name) {
                return sink;
            }
        }
        return nullptr;
    }

    // The raw volume of each channel, in the sink's channel order.
    std::vector<pa_volume_t> channels(const std::string &name)
    {
        std::vector<pa_volume_t> values;
        const nlohmann::json found = sink(name);
        for (const auto &channel : found.is_null() ? nlohmann::json::array() : found.at("volume")) {
            values.push_back(channel.at("value").get<pa_volume_t>());
        }
        return values;
    }

    pa_volume_t loudest(const std::string &name)
    {
        const auto all = channels(name);
        return all.empty() ? 0 : *std::max_element(all.begin(), all.end());
    }

    bool isMuted(const std::string &name)
    {
        const nlohmann::json found = sink(name);
        return !found.is_null() && found.at("mute").get<bool>();
    }

private:
    void stop(int signal)
    {
        if (m_pid > 0) {
            ::kill(m_pid, signal);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = 0;
        }
    }

    TempDir m_dir;
    pid_t m_pid = 0;
};

} // namespace lumvex::test
