#include "qsolists.h"

#include "qsogridmodel.h"
#include "station.h"

QsoLists::QsoLists(Station& station, QObject* parent)
    : QObject(parent), m_upper(new QsoGridModel(this)), m_lower(new QsoGridModel(this)) {
    connect(&station, &Station::logChanged, this, &QsoLists::apply);
    connect(&station, &Station::readingAll, this, [this] {
        m_upper->clear();
        m_lower->clear();
    });
    connect(&station, &Station::logSwitched, this, [this] {
        m_upper->clear();
        m_lower->clear();
        setReferenceShown(false);
        setCurrentQso(0);
    });
}

// The lower list follows the log unless it shows reference hits: a replacement keeps the
// hits on show, anything else brings the log back (its rows are shared, not copied).
void QsoLists::apply(const LogChange& change) {
    switch (change.kind) {
    case LogChange::Kind::Appended:
        m_upper->appendRows(change.rows);
        if (m_referenceShown)
            endReference();
        else
            m_lower->appendRows(change.rows);
        break;
    case LogChange::Kind::Replaced:
        m_upper->replaceRows(change.first - 1, change.rows);
        if (!m_referenceShown)
            m_lower->replaceRows(change.first - 1, change.rows);
        break;
    case LogChange::Kind::Reloaded:
    case LogChange::Kind::Rewritten:
        m_upper->setRows(change.rows);
        setCurrentQso(0); // a list filled anew has no selection
        endReference();
        break;
    }
}

void QsoLists::showReference(const QList<CompactQso>& hits) {
    m_lower->setRows(hits);
    setReferenceShown(true);
}

void QsoLists::endReference() {
    m_lower->setRows(m_upper->rows());
    setReferenceShown(false);
}

void QsoLists::setReferenceShown(bool shown) {
    if (shown == m_referenceShown)
        return;
    m_referenceShown = shown;
    emit referenceShownChanged(shown);
}

void QsoLists::setCurrentQso(int position) {
    if (position < 0 || position > m_upper->rowCount() || position == m_current)
        return;
    m_current = position;
    emit currentQsoChanged(position);
}

void QsoLists::setColumnWidth(int column, int width) {
    if (column < 0)
        return;
    if (column >= m_columnWidths.size())
        m_columnWidths.resize(column + 1);
    m_columnWidths[column] = width;
}
