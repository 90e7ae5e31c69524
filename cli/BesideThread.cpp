#include "cli/BesideThread.h"

#include <pthread.h>
#include <sched.h>

#include <cstring>

BesideThread::BesideThread(size_t bytes)
    : m_bytes(bytes)
{
    // Each thread keeps a processor of its own, the calling one included, the
    // new one from its start: a thread woken on the other's processor, or moved
    // off it, waits there for a scheduler tick.
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    cpu_set_t mine, other;
    const int here = sched_getcpu();
    if (here >= 0 && sched_getaffinity(0, sizeof other, &other) == 0) {
        CPU_CLR(here, &other);
        if (CPU_COUNT(&other) > 0) {
            CPU_ZERO(&mine);
            CPU_SET(here, &mine);
            pthread_setaffinity_np(pthread_self(), sizeof mine, &mine);
            pthread_attr_setaffinity_np(&attributes, sizeof other, &other);
        }
    }
    m_started = pthread_create(&m_thread, &attributes, [](void *self) -> void * {
        static_cast<BesideThread *>(self)->loop();
        return nullptr;
    }, this) == 0;
    pthread_attr_destroy(&attributes);
    // Without a thread, the work runs on the calling one.
    if (!m_started && m_bytes > 0)
        m_memory.reset(new unsigned char[m_bytes]);
}

BesideThread::~BesideThread()
{
    if (!m_started)
        return;
    wait();
    m_state.store(Stopping, std::memory_order_release);
    m_state.notify_one();
    pthread_join(m_thread, nullptr);
}

void BesideThread::loop()
{
    if (m_bytes > 0) {
        m_memory.reset(new unsigned char[m_bytes]);
        memset(m_memory.get(), 0, m_bytes);
    }
    for (;;) {
        int state;
        while ((state = m_state.load(std::memory_order_acquire)) != Given && state != Stopping)
            m_state.wait(state, std::memory_order_acquire);
        if (state == Stopping)
            return;
        m_job();
        m_state.store(Done, std::memory_order_release);
        m_state.notify_one();
    }
}

void BesideThread::run(std::function<void()> job)
{
    if (!m_started) {
        job();
        return;
    }
    m_job = std::move(job);
    m_state.store(Given, std::memory_order_release);
    m_state.notify_one();
}

void BesideThread::wait()
{
    int state;
    while ((state = m_state.load(std::memory_order_acquire)) == Given)
        m_state.wait(state, std::memory_order_acquire);
    m_state.store(Idle, std::memory_order_release);
}
