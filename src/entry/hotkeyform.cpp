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
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The lines align their descriptions with blanks.
    Memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QPalette tip = Memo->palette();
    tip.setColor(QPalette::Base, palette().color(QPalette::ToolTipBase));
    tip.setColor(QPalette::Text, palette().color(QPalette::ToolTipText));
    Memo->setPalette(tip);
    Memo->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo);
    const QFontMetrics fm(Memo->font());
    resize(fm.horizontalAdvance(QLatin1Char('x')) * 72, fm.lineSpacing() * 24);
}

void THotKeyForm::showShortcuts(const QStringList& lines) {
    Memo->setPlainText(lines.join(QLatin1Char('\n')));
    exec();
}

bool THotKeyForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Memo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
