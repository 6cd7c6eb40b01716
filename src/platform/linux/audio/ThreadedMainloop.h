// SPDX-License-Identifier: MIT
#pragma once

#include <pulse/thread-mainloop.h>

#include <memory>

namespace lumvex {

// libpulse's event loop on a thread of its own, running from construction to destruction. It is a
// lockable: everything that touches a libpulse object outside the loop's own callbacks must hold it,
// and the callbacks run with it held. The loop releases it while it waits for the server, so holding
// it never waits on the server. Without a loop (libpulse could not start one) locking does nothing.
class ThreadedMainloop
{
public:
    explicit ThreadedMainloop(const char *threadName);
    ~ThreadedMainloop();
    ThreadedMainloop(const ThreadedMainloop &) = delete;
    ThreadedMainloop &operator=(const ThreadedMainloop &) = delete;

    void lock();
    void unlock();

    // Nothing when the loop is not running.
    pa_mainloop_api *api() const;

private:
    struct Free
    {
        void operator()(pa_threaded_mainloop *loop) const { pa_threaded_mainloop_free(loop); }
    };
    std::unique_ptr<pa_threaded_mainloop, Free> m_loop;
};

} // namespace lumvex
