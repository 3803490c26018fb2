#pragma once

#include <QDialog>
#include <QImage>

class QLabel;

// The viewer of scanned QSL cards: the picture alone, its client area the picture's size
// (scaled down, keeping its proportions, when the screen is smaller); a click closes it.
class TQslInShowForm : public QDialog {
    Q_OBJECT
public:
    explicit TQslInShowForm(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    // The size shown for a picture on a screen area of this size.
    static QSize fitted(QSize picture, QSize available);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void ImageClick();

    QLabel* m_image;
    QImage m_picture;
};
