#include "browsedriver.h"
#include "tempprogramdir.h"
#include "testdata.h"
#include "widgettest.h"

#include <QFileDialog>

class TestTextForm : public QObject {
    Q_OBJECT
private slots:
    void loadAndSaveWindowsText_data() {
        columns<QByteArray, QString, QByteArray>("content", "text", "saved");
        QTest::newRow("CR LF lines")
            << QByteArray("abc\r\ndef\r\n") << "abc\ndef" << QByteArray("abc\r\ndef\r\n");
        QTest::newRow("LF lines, last unterminated")
            << QByteArray("abc\ndef") << "abc\ndef" << QByteArray("abc\r\ndef\r\n");
        QTest::newRow("Windows-1252")
            << QByteArray("Gr\xfc\xdf\r\n") << QString::fromUtf8("Gr\u00fc\u00df")
            << QByteArray("Gr\xfc\xdf\r\n");
    }

    void loadAndSaveWindowsText() {
        QFETCH(QString, text);
        TempProgramDir dir;
        dir.writeFile("in.txt", fetched<QByteArray>("content"));
        TTextForm editor;
        const BrowseDriver::TextEditor form(&editor);
        form.Memo->setPlainText("old text");
        form->loadFile(dir.file("in.txt"));
        QCOMPARE(form.Memo->toPlainText(), text);
        form->saveFile(dir.file("out.txt"));
        QCOMPARE(dir.readFile("out.txt"), fetched<QByteArray>("saved"));
    }

    void loadThroughTheFileDialog() {
        TempProgramDir dir;
        dir.writeFile("in.txt", "from file\r\n");
        TTextForm editor;
        const BrowseDriver::TextEditor form(&editor);
        form.Laden1->trigger();
        auto* dialog = form->findChild<QFileDialog*>();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QString("Text laden ..."));
        QCOMPARE(dialog->nameFilters(), QStringList({"Textdateien (*.txt)", "Alle Dateien (*.*)"}));
        QCOMPARE(dialog->defaultSuffix(), QString("txt"));
        dialog->selectFile(dir.file("in.txt"));
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, which emits the choice
        QCOMPARE(form.Memo->toPlainText(), QString("from file"));
    }

    void wordWrapToggles() {
        TTextForm editor;
        const BrowseDriver::TextEditor form(&editor);
        const auto state = [form] {
            return QList<int>{form.Zeilenumbruch1->isChecked(), form.Memo->lineWrapMode(),
                              form.Memo->horizontalScrollBarPolicy()};
        };
        const QList<int> off = {false, QPlainTextEdit::NoWrap, Qt::ScrollBarAlwaysOn};
        QCOMPARE(state(), off);
        form.Zeilenumbruch1->trigger();
        QCOMPARE(state(), (QList<int>{true, QPlainTextEdit::WidgetWidth, Qt::ScrollBarAlwaysOff}));
        QCOMPARE(form.Memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        form.Zeilenumbruch1->trigger();
        QCOMPARE(state(), off);
    }
};

QTEST_MAIN(TestTextForm)
#include "tst_textform.moc"
