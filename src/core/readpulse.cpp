#include "readpulse.h"

namespace {
thread_local ReadPulse* t_current = nullptr;
}

ReadPulse::ReadPulse(Beat beat) : m_beat(std::move(beat)), m_outer(t_current) {
    t_current = this;
}

ReadPulse::~ReadPulse() {
    t_current = m_outer;
}

void ReadPulse::beat(qint64 done, qint64 total) {
    if (t_current && t_current->m_beat)
        t_current->m_beat(done, total);
}
