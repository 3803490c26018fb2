#pragma once

#include <QList>
#include <QObject>

class CompactQso;
class QsoGridModel;
class Station;
struct LogChange;

// The two lists of the open log: the list page's and the one below the entry mask, which
// the call check may turn over to hits in the reference logs. They follow every change the
// station announces, row by row; only a log read as a whole fills them anew. Nothing else
// changes their models.
class QsoLists : public QObject {
    Q_OBJECT
public:
    explicit QsoLists(Station& station, QObject* parent = nullptr);

    QsoGridModel* upper() const { return m_upper; } // the list page
    QsoGridModel* lower() const { return m_lower; } // below the entry mask

    // The lower list shows hits of the reference logs instead of the open log.
    bool referenceShown() const { return m_referenceShown; }
    void showReference(const QList<CompactQso>& hits);
    // Back to the open log's QSOs (as the list page has them: nothing is read).
    void endReference();

    // The QSO (position in the log, 1 ...) both lists have selected, 0 when none. A position
    // beyond the list is ignored, as a grid ignores it; a list filled anew has none.
    int currentQso() const { return m_current; }
    void setCurrentQso(int position);

    // The list page's column widths, which the other QSO grids take over.
    int columnWidth(int column) const { return m_columnWidths.value(column); }
    void setColumnWidth(int column, int width);

signals:
    void referenceShownChanged(bool shown);
    void currentQsoChanged(int position);

private:
    void apply(const LogChange& change);
    void setReferenceShown(bool shown);

    Station& m_station;
    QsoGridModel* m_upper;
    QsoGridModel* m_lower;
    bool m_referenceShown = false;
    int m_current = 0;
    QList<int> m_columnWidths;
};
