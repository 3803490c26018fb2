#include "daluerror.h"
#include "errorboundary.h"
#include "modaldialogs.h"

#include <QTest>

// Runs under the program's own application object, whose boundary is under test.
class TestErrorBoundary : public QObject {
    Q_OBJECT
private slots:
    void errorEscapingAHandlerIsShownAndTheProgramGoesOn() {
        // An event handler that fails the first time it runs.
        struct Handler : QObject {
            int runs = 0;
            bool event(QEvent* e) override {
                if (e->type() == QEvent::User && ++runs == 1)
                    throw DaluError(QStringLiteral("Cannot read /x/deutsch.lng: Is a directory"));
                return QObject::event(e);
            }
        } handler;
        QString message;
        ModalDialogs::answerMessageBox(&message);
        QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
        QTRY_COMPARE(message, QString("Cannot read /x/deutsch.lng: Is a directory"));
        QCoreApplication::postEvent(&handler, new QEvent(QEvent::User)); // the program goes on
        QTRY_COMPARE(handler.runs, 2);
    }
};

int main(int argc, char* argv[]) {
    DaluApplication app(argc, argv);
    TestErrorBoundary test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errorboundary.moc"
