#pragma once

#include <QtGlobal>

#include <functional>

// Long reads run on the user-interface thread. A window that must stay alive while one
// runs installs a pulse for that time; every line reader beats it after each block it has
// read, with the bytes read so far and the size of the file.
class ReadPulse {
public:
    using Beat = std::function<void(qint64 done, qint64 total)>;

    explicit ReadPulse(Beat beat); // installed while the object lives; pulses nest
    ~ReadPulse();
    ReadPulse(const ReadPulse&) = delete;
    ReadPulse& operator=(const ReadPulse&) = delete;

    // Beats the innermost pulse of this thread, if any.
    static void beat(qint64 done, qint64 total);

private:
    Beat m_beat;
    ReadPulse* m_outer;
};
