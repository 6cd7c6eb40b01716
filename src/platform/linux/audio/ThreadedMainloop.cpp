// SPDX-License-Identifier: MIT
#include "ThreadedMainloop.h"

namespace lumvex {

ThreadedMainloop::ThreadedMainloop(const char *threadName)
    : m_loop(pa_threaded_mainloop_new())
{
    if (!m_loop) {
        return;
    }
    pa_threaded_mainloop_set_name(m_loop.get(), threadName);
    if (pa_threaded_mainloop_start(m_loop.get()) < 0) {
        m_loop.reset();
    }
}

ThreadedMainloop::~ThreadedMainloop()
{
    if (m_loop) {
        pa_threaded_mainloop_stop(m_loop.get());
    }
}

void ThreadedMainloop::lock()
{
    if (m_loop) {
        pa_threaded_mainloop_lock(m_loop.get());
    }
}

void ThreadedMainloop::unlock()
{
    if (m_loop) {
        pa_threaded_mainloop_unlock(m_loop.get());
    }
}

pa_mainloop_api *ThreadedMainloop::api() const
{
    return m_loop ? pa_threaded_mainloop_get_api(m_loop.get()) : nullptr;
}

} // namespace lumvex
