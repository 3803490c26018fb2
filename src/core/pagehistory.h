#pragma once

#include <array>
#include <optional>

// The back and forward list of visited pages: at most six entries, newest first, each the
// indexes of the main, evaluation and options page controls.
class PageHistory {
public:
    struct Entry {
        int main = 0;
        int evaluation = 0;
        int options = 0;
        bool operator==(const Entry& o) const {
            return main == o.main && evaluation == o.evaluation && options == o.options;
        }
    };
    static constexpr int kSize = 6;

    PageHistory();

    // Records the page now shown; drops the newer entries the user had gone back past.
    void SetHistory(const Entry& current);
    // Step back (older) or forward (newer); returns the entry to show.
    Entry back();
    Entry next();

    bool backEnabled() const { return m_backEnabled; }
    bool nextEnabled() const { return m_nextEnabled; }
    int position() const { return m_position; } // 1 ... 6
    std::optional<Entry> entry(int index) const { return m_entries[index - 1]; }

private:
    void updateButtons();

    std::array<std::optional<Entry>, kSize> m_entries;
    int m_position = 1;
    bool m_backEnabled = false;
    bool m_nextEnabled = false;
};
