#pragma once

#include "duplicatecheck.h"

#include <QObject>

class QCheckBox;
class QLabel;
class QWidget;
class Station;

// Options page "Doppel-Check": which fields besides the call make a QSO a duplicate.
class TDuplicateOptions : public QObject {
    Q_OBJECT
public:
    TDuplicateOptions(Station& station, QWidget* page);

    // Start-up: the three switches from "Options"; a damaged value is reported once.
    void load();
    DuplicateCheck::Criteria criteria() const;

public slots:
    void dcCallCheckBoxClick();
    void dcCheckBoxClick();

signals:
    void criteriaChanged(const DuplicateCheck::Criteria& criteria);

private:
    Station& m_station;
    QLabel* questionLabel;
    QCheckBox* dcCallCheckBox;
    QCheckBox* dcBandCheckBox;
    QCheckBox* dcModeCheckBox;
    QCheckBox* dcDateCheckBox;
};
