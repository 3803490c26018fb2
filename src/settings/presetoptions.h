#pragma once

#include <QObject>

class QTableWidget;
class QWidget;
class Station;

// Options page "Vorgaben Eingabe": the values the mask is refilled with after each QSO.
class TPresetOptions : public QObject {
    Q_OBJECT
public:
    TPresetOptions(Station& station, QWidget* page);

    void load();

public slots:
    // Written to memory; the file gets them with the next flush.
    void PreValueListEditorExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Station& m_station;
    QTableWidget* PreValueListEditor;
};
