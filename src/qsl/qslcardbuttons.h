#pragma once

#include <QObject>

class TMainForm;

// The two card buttons of the edit page: move a scanned card under the QSO's card name,
// and show it.
class TQslCardButtons : public QObject {
    Q_OBJECT
public:
    TQslCardButtons(TMainForm& mainForm, QObject* parent);

public slots:
    void eQslInAddBtnClick(const QString& title, const QString& cardFile);
    void eQslInShowBtnClick(const QString& cardFile);

private:
    TMainForm& m_mainForm;
};
