#include "wsjtxlink.h"

#include "bandplan.h"
#include "daluerror.h"
#include "decodesmodel.h"
#include "dxcc.h"
#include "locator.h"
#include "logchange.h"
#include "meminifile.h"
#include "qsogridmodel.h"
#include "qsolists.h"
#include "settingskeys.h"
#include "station.h"
#include "uitexts.h"
#include "wsjtxlogbook.h"
#include "wsjtxreceiver.h"

#include <QColor>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Return in the list replies as a double-click does.
class DecodesView : public QTableView {
public:
    using QTableView::QTableView;
    std::function<void(int)> onReply;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            currentIndex().isValid() && onReply) {
            onReply(currentIndex().row());
            return;
        }
        QTableView::keyPressEvent(event);
    }
};

Wsjtx::Colour colourOf(const QString& text) {
    const QColor c(text);
    return c.isValid() ? Wsjtx::Colour{true, quint8(c.red()), quint8(c.green()), quint8(c.blue())}
                       : Wsjtx::Colour{};
}

QLabel* label(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

WsjtxLink::WsjtxLink(Station& station, QsoLists& lists, QWidget* window)
    : QObject(window), m_station(station), m_lists(lists), m_receiver(new WsjtxReceiver(this)),
      m_logbook(new WsjtxLogbook(station, lists, this)), m_model(new DecodesModel(this)),
      m_index([](const QString& call) { return CallToDxcc(call); }) {
    m_statusPart = new QWidget(window);
    m_statusPart->setObjectName(QStringLiteral("WsjtxStatus"));
    m_peerLabel = label("WsjtxPeerLabel", m_statusPart);
    m_noticeLabel = label("WsjtxNoticeLabel", m_statusPart);
    auto* row = new QHBoxLayout(m_statusPart);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_noticeLabel);
    row->addWidget(m_peerLabel);
    m_statusPart->hide();

    m_dock = new QDockWidget(window);
    m_dock->setObjectName(QStringLiteral("WsjtxDock"));
    auto* body = new QWidget(m_dock);
    m_dxLabel = label("WsjtxDxLabel", body);
    m_dxLabel->setWordWrap(true);
    auto* view = new DecodesView(body);
    view->onReply = [this](int r) { reply(r); };
    m_view = view;
    m_view->setObjectName(QStringLiteral("DecodesView"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_view->horizontalHeader()->setStretchLastSection(true);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(2, 2, 2, 2);
    column->addWidget(m_dxLabel);
    column->addWidget(m_view, 1);
    // Wide enough for a row's call, entity and value side by side.
    const int character = m_view->fontMetrics().averageCharWidth();
    m_view->horizontalHeader()->setDefaultSectionSize(character * 9);
    body->setMinimumWidth(character * 45);
    m_dock->setWidget(body);
    m_dock->hide();

    connect(m_view, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& i) { reply(i.row()); });
    connect(m_receiver, &WsjtxReceiver::qsoArrived, m_logbook, &WsjtxLogbook::take);
    connect(m_logbook, &WsjtxLogbook::notice, m_noticeLabel, &QLabel::setText);
    connect(m_receiver, &WsjtxReceiver::peerChanged, this, &WsjtxLink::showPeer);
    connect(m_receiver, &WsjtxReceiver::statusChanged, this, &WsjtxLink::showStatus);
    connect(m_receiver, &WsjtxReceiver::decoded, this, &WsjtxLink::takeDecode);
    connect(m_receiver, &WsjtxReceiver::cleared, m_model, &DecodesModel::clear);
    connect(&m_station, &Station::logChanged, this, &WsjtxLink::indexChanged);
    applyLanguage();
}

WsjtxLink::~WsjtxLink() = default;

void WsjtxLink::applySettings() {
    const TMemIniFile& ini = m_station.settings();
    const bool on = SettingsKeys::read(ini, SettingsKeys::WsjtxEnabled);
    clearHighlights();
    m_highlight = on && SettingsKeys::read(ini, SettingsKeys::WsjtxHighlight);
    m_listenError.clear();
    m_receiver->stop();
    if (on) {
        try {
            m_receiver->start(wsjtxEndpointOf(ini));
        } catch (const DaluError& e) {
            m_listenError = e.message();
        }
    }
    m_statusPart->setVisible(on);
    m_dock->setVisible(on);
    showPeer();
}

void WsjtxLink::applyLanguage() {
    m_dock->setWindowTitle(uiText("WSJT-X / JTDX: CQ-Rufer"));
    m_model->headerDataChanged(Qt::Horizontal, 0, DecodesModel::ColumnCount - 1);
    showPeer();
    showStatus();
}

void WsjtxLink::showPeer() {
    QString text;
    if (!m_listenError.isEmpty())
        text = m_listenError;
    else if (m_receiver->peerId().isEmpty())
        text = uiText("WSJT-X: wartet auf ein Programm");
    else if (m_receiver->silent())
        text = uiText("%1: keine Nachricht seit %2 s")
                   .arg(m_receiver->peerId())
                   .arg(WsjtxReceiver::kSilentAfterSeconds);
    else {
        const Wsjtx::Status& s = m_receiver->status();
        text = QStringLiteral("%1: %2 MHz %3")
                   .arg(m_receiver->peerId(), BandPlan::megahertzText(qint64(s.dialFrequency)),
                        s.mode);
    }
    m_peerLabel->setText(text);
}

void WsjtxLink::showStatus() {
    const Wsjtx::Status& s = m_receiver->status();
    // The marks belong to a band and mode: WSJT-X's window shows them anew after a change.
    const QString bandMode = BandPlan::bandOfFrequency(qint64(s.dialFrequency)) + s.mode;
    if (bandMode != m_bandMode) {
        clearHighlights();
        m_model->clear();
        m_bandMode = bandMode;
    }
    m_dxLabel->setText(dxLineText());
    showPeer();
}

QString WsjtxLink::dxLineText() {
    const Wsjtx::Status& s = m_receiver->status();
    if (s.dxCall.isEmpty())
        return uiText("DX: keine Station");
    index();
    const QString band = BandPlan::bandOfFrequency(qint64(s.dialFrequency));
    const DecodeValue::Caller caller{s.dxCall.toUpper(), s.dxGrid.left(4).toUpper()};
    QStringList parts{QStringLiteral("DX: %1").arg(caller.call)};
    if (!s.dxGrid.isEmpty())
        parts.append(s.dxGrid);
    const QString entity = m_index.entityOf(caller.call);
    if (!entity.isEmpty())
        parts.append(entity);
    const QString own = SettingsKeys::read(m_station.settings(), SettingsKeys::EigenerLocator);
    // A square without subsquare is taken at its centre.
    const QString grid = s.dxGrid.size() == 4 ? s.dxGrid + QStringLiteral("LL") : s.dxGrid;
    if (const auto path = LocatorDistanceBearing(own, grid))
        parts.append(QStringLiteral("%1 km, %2\u00b0")
                         .arg(qRound(path->distance))
                         .arg(qRound(path->bearing)));
    parts.append(DecodesModel::valueText(m_index.valueOf(caller, band, s.mode)) +
                 QStringLiteral(" (%1 %2)").arg(band, s.mode));
    return parts.join(QStringLiteral(" \u2013 "));
}

void WsjtxLink::indexChanged(const LogChange& change) {
    if (change.kind == LogChange::Kind::Appended && !m_indexStale) {
        for (const CompactQso& qso : change.rows)
            m_index.add(qso.toRecord());
    } else {
        m_indexStale = true;
    }
}

const DecodeValue::Index& WsjtxLink::index() {
    if (m_indexStale) {
        m_index.clear();
        const QsoGridModel* list = m_lists.upper();
        for (int r = 0; r < list->rowCount(); ++r)
            m_index.add(list->record(r));
        m_indexStale = false;
    }
    return m_index;
}

void WsjtxLink::takeDecode(const Wsjtx::Decode& decode) {
    const Wsjtx::Status& s = m_receiver->status();
    const QString band = BandPlan::bandOfFrequency(qint64(s.dialFrequency));
    if (!m_model->add(decode, index(), band, s.mode) || !m_highlight)
        return;
    const auto& row = m_model->row(m_model->rowCount() - 1);
    const SettingsKeys::TextKey* key = nullptr;
    switch (row.value) {
    case DecodeValue::Value::NewDxcc:
        key = &SettingsKeys::WsjtxColourNewDxcc;
        break;
    case DecodeValue::Value::NewOnBand:
        key = &SettingsKeys::WsjtxColourNewBand;
        break;
    case DecodeValue::Value::NewSquare:
        key = &SettingsKeys::WsjtxColourNewSquare;
        break;
    case DecodeValue::Value::WorkedBefore:
    case DecodeValue::Value::Confirmed:
        key = &SettingsKeys::WsjtxColourWorked;
        break;
    case DecodeValue::Value::New:
        return;
    }
    const Wsjtx::Colour background = colourOf(SettingsKeys::read(m_station.settings(), *key));
    if (m_receiver->send(Wsjtx::encodeHighlight(m_receiver->peerId(), row.caller.call, background,
                                                Wsjtx::Colour{true, 0, 0, 0}, true)))
        m_highlighted.insert(row.caller.call);
}

void WsjtxLink::clearHighlights() {
    for (const QString& call : std::as_const(m_highlighted))
        m_receiver->send(Wsjtx::encodeHighlight(m_receiver->peerId(), call, {}, {}, true));
    m_highlighted.clear();
}

bool WsjtxLink::reply(int row) {
    if (row < 0 || row >= m_model->rowCount())
        return false;
    const Wsjtx::Decode& d = m_model->row(row).decode;
    Wsjtx::Reply r;
    r.time = d.time;
    r.snr = d.snr;
    r.deltaTime = d.deltaTime;
    r.deltaFrequency = d.deltaFrequency;
    r.mode = d.mode;
    r.message = d.message;
    r.lowConfidence = d.lowConfidence;
    return m_receiver->send(Wsjtx::encodeReply(m_receiver->peerId(), r));
}
