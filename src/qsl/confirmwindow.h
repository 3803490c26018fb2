#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QWidget;
class Station;

// "QSL / Bestätigungen einlesen": a LoTW report or an eQSL inbox download is matched to the
// open log and kept in the log's confirmation file; a window shows what matched and names
// the confirmations that found no QSO or more than one.
class TConfirmWindow : public QObject {
    Q_OBJECT
public:
    TConfirmWindow(Station& station, QWidget* parent);

    // The button's caption in the language of the moment, renewed with the language.
    void caption(QAbstractButton* button, const char* german);

    // Asks for the report file, then imports it.
    void chooseAndImport();
    // Imports the report and shows the result (not blocking); errors go to the boundary.
    void importReport(const QString& reportPath);

    // "Für LoTW exportieren": the QSOs not yet uploaded to a file beside the log, handed to
    // tqsl when it is installed; marked as uploaded only when tqsl succeeded (without tqsl:
    // when the file is written, for the operator to upload).
    void exportForLotw();
    // The same QSOs for eQSL's upload page, marked as exported.
    void exportForEqsl();

signals:
    // The log's confirmations changed: what counts them may read them again.
    void imported();

private:
    void showLines(const QString& title, const QStringList& lines);

    Station& m_station;
    QWidget* m_parent;
    QList<QPair<QAbstractButton*, const char*>> m_captions;
};
