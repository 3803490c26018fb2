#pragma once

#include <QObject>

class QWidget;
class Station;
class TQslInShowForm;

// What the two card buttons of the edit page do: move a scanned card under the QSO's card
// name, and show it in the viewer.
class TQslCardButtons : public QObject {
    Q_OBJECT
public:
    // Its dialogs and messages open over the viewer's parent window.
    TQslCardButtons(Station& station, TQslInShowForm& viewer);

public slots:
    // title: the add button's caption, for the file dialog; cardFile: the QSO's card name.
    void eQslInAddBtnClick(const QString& title, const QString& cardFile);
    void eQslInShowBtnClick(const QString& cardFile);

signals:
    // A card file now exists under its QSO's name.
    void cardMoved();

private:
    QWidget* window() const;

    Station& m_station;
    TQslInShowForm& m_viewer;
};
