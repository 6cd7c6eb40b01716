// SPDX-License-Identifier: MIT
#pragma once

#include <pulse/volume.h>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace lumvex::test {

// The test's hand on the private PulseAudio server that run-with-pulseaudio.sh started: pactl for the
// server's own view, and the control script to kill and restart it.
class PulseTestServer
{
public:
    PulseTestServer()
    {
        const char *dir = std::getenv("LUMVEX_TEST_PULSE_DIR");
        const char *control = std::getenv("LUMVEX_TEST_PULSE_CONTROL");
        if (dir && control) {
            m_dir = dir;
            m_control = control;
        }
    }

    // False when the binary was not started by the wrapper: then no test may talk to any server.
    bool isPrivate() const { return !m_dir.empty(); }

    // Kills the server outright; none runs until restart().
    void kill() { ASSERT_EQ(std::system((m_control + " kill " + m_dir).c_str()), 0); }
    void restart() { ASSERT_EQ(std::system((m_control + " restart " + m_dir).c_str()), 0); }

    pid_t pid() const
    {
        pid_t pid = 0;
        std::ifstream(m_dir + "/pulse.pid") >> pid;
        return pid;
    }

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
    std::string m_dir;
    std::string m_control;
};

} // namespace lumvex::test
