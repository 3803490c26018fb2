#include "qsolists.h"

#include "qsogridmodel.h"
#include "station.h"

QsoLists::QsoLists(Station& station, QObject* parent)
    : QObject(parent), m_station(station), m_upper(new QsoGridModel(this)),
      m_lower(new QsoGridModel(this)) {
    m_upper->follow(&station.qsos());
    m_lower->follow(&station.qsos());
    connect(&station, &Station::logChanged, this, &QsoLists::apply);
    // The station's rows go before the file is read again: the views let go of them first.
    connect(&station, &Station::readingAll, this, [this] {
        m_upper->clear();
        if (!m_referenceShown)
            m_lower->clear();
    });
    connect(&station, &Station::logSwitched, this, [this] {
        m_upper->follow(&m_station.qsos());
        m_lower->follow(&m_station.qsos());
        setReferenceShown(false);
        setCurrentQso(0);
    });
}

// Both lists show the station's rows, the lower one unless it shows reference hits: a
// replacement keeps the hits on show, anything else brings the log back.
void QsoLists::apply(const LogChange& change) {
    switch (change.kind) {
    case LogChange::Kind::Appended:
        m_upper->sourceAppended();
        if (m_referenceShown)
            endReference();
        else
            m_lower->sourceAppended();
        break;
    case LogChange::Kind::Replaced:
        m_upper->sourceReplaced(change.first - 1, change.last() - 1);
        if (!m_referenceShown)
            m_lower->sourceReplaced(change.first - 1, change.last() - 1);
        break;
    case LogChange::Kind::Reloaded:
    case LogChange::Kind::Rewritten:
        m_upper->follow(&m_station.qsos());
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
    m_lower->follow(&m_station.qsos());
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
