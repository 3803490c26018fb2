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

void QsoLists::apply(const LogChange& change) {
    switch (change.kind) {
    case LogChange::Kind::Appended:
        m_upper->appendRows(change.rows);
        break;
    case LogChange::Kind::Replaced:
        m_upper->replaceRows(change.first - 1, change.rows);
        break;
    case LogChange::Kind::Reloaded:
    case LogChange::Kind::Rewritten:
        m_upper->setRows(change.rows);
        setCurrentQso(0); // a list filled anew has no selection
        break;
    }
    // The lower list shows the log again after any change (the rows are shared, not copied);
    // a replacement keeps reference hits on show.
    if (change.kind == LogChange::Kind::Replaced && m_referenceShown)
        return;
    if (change.kind == LogChange::Kind::Replaced)
        m_lower->replaceRows(change.first - 1, change.rows);
    else if (change.kind == LogChange::Kind::Appended && !m_referenceShown)
        m_lower->appendRows(change.rows);
    else
        endReference();
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
