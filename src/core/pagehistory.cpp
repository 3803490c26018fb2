#include "pagehistory.h"

PageHistory::PageHistory() {
    m_entries[0] = Entry{};
}

void PageHistory::SetHistory(const Entry& current) {
    if (m_position > 1) {
        const int drop = m_position - 1;
        for (int i = 0; i < kSize; ++i)
            m_entries[i] = i + drop < kSize ? m_entries[i + drop] : std::nullopt;
    }
    for (int i = kSize - 1; i > 0; --i)
        m_entries[i] = m_entries[i - 1];
    m_entries[0] = current;
    m_position = 1;
    m_nextEnabled = false;
    m_backEnabled = true;
}

PageHistory::Entry PageHistory::back() {
    if (m_position < kSize && m_entries[m_position])
        ++m_position;
    updateButtons();
    return m_entries[m_position - 1].value_or(Entry{});
}

PageHistory::Entry PageHistory::next() {
    if (m_position > 1)
        --m_position;
    updateButtons();
    return m_entries[m_position - 1].value_or(Entry{});
}

void PageHistory::updateButtons() {
    m_nextEnabled = m_position >= 2;
    m_backEnabled = m_position < kSize && m_entries[m_position].has_value();
}
