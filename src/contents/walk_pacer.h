#pragma once

#include <QElapsedTimer>

#include <functional>

// Asks a long walk's owner, every few milliseconds, whether to go on; the owner lets
// its window repaint and take clicks in that call. Ticking once per entry keeps a
// stop answered within one interval even inside a single huge folder.
class WalkPacer {
public:
    // poll returns false to stop the walk; an empty poll never stops it.
    WalkPacer(std::function<bool()> poll, int intervalMs)
        : m_poll(std::move(poll)), m_interval(intervalMs)
    {
        m_clock.start();
    }

    // False once a poll has asked to stop.
    bool tick()
    {
        if (m_stopped)
            return false;
        if (m_poll && m_clock.elapsed() >= m_interval) {
            m_clock.restart();
            m_stopped = !m_poll();
        }
        return !m_stopped;
    }
    bool stopped() const { return m_stopped; }

private:
    std::function<bool()> m_poll;
    int m_interval;
    QElapsedTimer m_clock;
    bool m_stopped = false;
};

// How often a walk polls its owner.
constexpr int kWalkPollMs = 25;
