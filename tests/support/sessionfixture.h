#pragma once

// For window tests: a program directory with the data files, an open log "a.log" of the
// given QSOs and the given settings, and the whole program session started on it.
#include "dalusession.h"
#include "logbuilder.h"
#include "mainform.h"
#include "shelldriver.h"
#include "station.h"
#include "tempprogramdir.h"
#include "testdata.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

// Settings showing only the optional fields named by their letters ("" leaves call and
// reports: three Returns commit).
inline QByteArray showOnly(const QByteArray& letters) {
    QByteArray ini = "[ShowAtStartUp]\r\n";
    for (const char field : QByteArray("efhijkl"))
        ini += field + QByteArray(letters.contains(field) ? "=1\r\n" : "=0\r\n");
    return ini;
}

// Replaces the text of a line edit by typing.
inline void retype(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

struct SessionFixture {
    explicit SessionFixture(const QList<TQsoRecord>& qsos = {}, const QByteArray& ini = {}) {
        LogBuilder::writeLog(dir.file("a.log"), qsos);
        start("[Allgemein]\r\nLastLogFileName=a.log\r\n" + ini);
    }
    // Only the data files: the test writes its own, then calls start().
    explicit SessionFixture(std::nullptr_t) {}

    // Writes the settings file unless ini is null, starts the session and shows the window.
    void start(const QByteArray& ini = {}, bool show = true) {
        if (!ini.isNull())
            dir.writeFile("Dalu.ini", ini);
        session = std::make_unique<DaluSession>();
        form = session->mainForm();
        if (!show)
            return;
        form->show();
        if (!QTest::qWaitForWindowExposed(form))
            qWarning("main window not exposed");
    }
    // Ends the session as the program does at exit (settings written, windows closed).
    void stop() {
        session.reset();
        form = nullptr;
    }
    QByteArray ini() const { return dir.readFile("Dalu.ini"); }
    ShellDriver shell() const { return ShellDriver(form); }

    struct DataDir : TempProgramDir {
        DataDir() { copyDataFiles(); }
    } dir;
    std::unique_ptr<DaluSession> session;
    TMainForm* form = nullptr;
};
