#pragma once
// The threads that size the blocks of a batch: as many as asked (VEDAN_BATCH_THREADS) or as the
// machine has cores, never more than the cores this process may run on, and only as many as the
// system lets the process make (ulimit -u); with none, the caller does the work itself.
// Depends on the C++ library only.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace cli {

// The cores this process may run on (its CPU affinity), at least 1.
unsigned usableCores();

// The threads to size a batch on: VEDAN_BATCH_THREADS when it is a positive number, otherwise
// every core, capped at usableCores(). 1 means the calling thread alone.
unsigned batchThreads();

class Workers {
public:
    // Starts `wanted` threads, or as many of them as the system lets the process make; none when
    // `wanted` is 1, since the calling thread then does the work.
    explicit Workers(unsigned wanted);
    // Drops the tasks not started yet and waits for those under way.
    ~Workers();
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

    // How many threads were made.
    std::size_t count() const { return m_threads.size(); }
    // Runs the task on one of the threads, or here and now when there are none.
    void run(std::function<void()> task);

private:
    void work();

    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<std::function<void()>> m_tasks;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};

} // namespace cli
