#pragma once

#include <QWidget>

// The contest page: only a picture saying that the page is still being built.
class TUnderConstructionPanel : public QWidget {
    Q_OBJECT
public:
    explicit TUnderConstructionPanel(QWidget* parent = nullptr);

    QWidget* UnderConstructionImage;

    void UnderConstructionPanelResize();

protected:
    void resizeEvent(QResizeEvent* event) override;
};
