#pragma once

#include <QObject>

#include <array>

class QLabel;
class QWidget;

// The row of twelve function-key captions B1 ... B12 at the top of the entry panel: each
// clickable like its key, silver under the mouse and grey while pressed.
class TKeyCaptionRow : public QObject {
    Q_OBJECT
public:
    explicit TKeyCaptionRow(QWidget* panel);

    // Room the row takes at the top of the panel.
    int height() const;

    void setCaption(int key, const QString& caption, const QString& hint);

public slots:
    void EingabePanelResize();

signals:
    void BClick(int key); // the caption's Tag: 1 ... 12

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setBackground(QLabel* caption, const QColor& colour);

    QWidget* m_panel;
    std::array<QLabel*, 12> m_captions; // B1 ... B12
};
