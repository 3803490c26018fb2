#include "hotkeyform.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

THotKeyForm::THotKeyForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("HotKeyForm"));
    setWindowTitle(QStringLiteral("Tastenk\u00fcrzel"));
    setModal(true);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The lines align their descriptions with blanks.
    m_memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QPalette tip = m_memo->palette();
    tip.setColor(QPalette::Base, palette().color(QPalette::ToolTipBase));
    tip.setColor(QPalette::Text, palette().color(QPalette::ToolTipText));
    m_memo->setPalette(tip);
    m_memo->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_memo);
    const QFontMetrics fm(m_memo->font());
    resize(fm.horizontalAdvance(QLatin1Char('x')) * 72, fm.lineSpacing() * 24);
}

void THotKeyForm::showShortcuts(const QStringList& lines) {
    m_memo->setPlainText(lines.join(QLatin1Char('\n')));
    exec();
}

bool THotKeyForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_memo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
