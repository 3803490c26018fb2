#include "qslinshowform.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

TQslInShowForm::TQslInShowForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("QslInShowForm"));
    setWindowTitle(QStringLiteral("QSL"));
    setModal(true);
    resize(696, 480);
    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image"));
    m_image->setCursor(Qt::PointingHandCursor);
    m_image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_image->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_image);
}

void TQslInShowForm::setPicture(const QImage& picture) {
    m_picture = picture;
}

QSize TQslInShowForm::fitted(QSize picture, QSize available) {
    if (picture.width() <= available.width() && picture.height() <= available.height())
        return picture;
    return picture.scaled(available, Qt::KeepAspectRatio);
}

void TQslInShowForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TQslInShowForm::FormShow() {
    QSize available(1 << 16, 1 << 16);
    if (const QScreen* s = screen()) {
        // The window frame takes its share; before the first showing it is not known yet.
        QSize frame = frameGeometry().size() - geometry().size();
        if (frame.isEmpty())
            frame = QSize(16, 48);
        available = s->availableGeometry().size() - frame;
    }
    const QSize size = fitted(m_picture.size(), available);
    m_image->setPixmap(QPixmap::fromImage(
        size == m_picture.size()
            ? m_picture
            : m_picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    setFixedSize(size);
}

void TQslInShowForm::ImageClick() {
    accept();
}

bool TQslInShowForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_image && event->type() == QEvent::MouseButtonRelease) {
        ImageClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
