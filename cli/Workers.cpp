#include "cli/Workers.h"

#include <QtGlobal>
#include <algorithm>
#include <sched.h>
#include <system_error>

namespace cli {

unsigned usableCores()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0)
        return std::max(1, CPU_COUNT(&set));
    // More CPUs than a cpu_set_t holds: the machine's count is as good a cap.
    return std::max(1U, std::thread::hardware_concurrency());
}

unsigned batchThreads()
{
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("VEDAN_BATCH_THREADS", &ok);
    const unsigned cores = usableCores();
    return ok && asked > 0 ? std::min(unsigned(asked), cores) : cores;
}

Workers::Workers(unsigned wanted)
{
    if (wanted < 2)
        return;
    m_threads.reserve(wanted);
    for (unsigned i = 0; i < wanted; ++i) {
        try {
            m_threads.emplace_back(&Workers::work, this);
        } catch (const std::system_error&) {
            break; // the system makes no more (EAGAIN): size on those made
        }
    }
}

Workers::~Workers()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_tasks.clear();
    }
    m_ready.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void Workers::run(std::function<void()> task)
{
    if (m_threads.empty()) {
        task();
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_ready.notify_one();
}

void Workers::work()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(m_mutex);
            m_ready.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
            if (m_stopping)
                return;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
    }
}

} // namespace cli
