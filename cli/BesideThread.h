#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <pthread.h>

// A second thread for work that runs beside the calling one, started before
// it has work: on a virtual machine a new thread can take milliseconds to get
// going, as long as the work itself. It keeps a processor of its own.
class BesideThread
{
public:
    // The thread also takes memory of bytes for the work while it waits for
    // it, touching every page: first touches of memory can cost more than
    // the work done in it.
    explicit BesideThread(size_t bytes = 0);
    ~BesideThread();
    BesideThread(const BesideThread &) = delete;
    BesideThread &operator=(const BesideThread &) = delete;

    // Runs job on the thread, or here when no thread could be made; one job at a time.
    void run(std::function<void()> job);
    // Waits until the job is done.
    void wait();
    // The memory taken for the work, once the thread has run a job; for the job itself.
    unsigned char *memory() { return m_memory.get(); }

private:
    enum State { Idle, Given, Done, Stopping };
    void loop();

    const size_t m_bytes;
    std::unique_ptr<unsigned char[]> m_memory;
    std::function<void()> m_job;
    std::atomic<int> m_state{Idle};
    pthread_t m_thread{};
    bool m_started = false;
};
