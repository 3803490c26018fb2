// Scanned cards: decoding, the viewer's size, and the two card buttons of the edit page.
#include "../browse/browsefixture.h"
#include "cardimage.h"
#include "daluerror.h"
#include "datetickpicker.h"
#include "modaldialogs.h"
#include "qsldriver.h"
#include "qslinshowform.h"
#include "widgettest.h"

#include <QBuffer>
#include <QTemporaryFile>
#include <QTimeEdit>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

QByteArray picture(int width, int height, const char* format) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 128));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A JPEG written by libjpeg, as scanners and image programs write one: a picture of four
// blocks (top left, top right, bottom left, bottom right), each of one value. CMYK values
// are amounts of ink; Adobe's programs store them inverted and say so in their marker.
QByteArray jpeg(J_COLOR_SPACE input, J_COLOR_SPACE stored, const QList<QList<int>>& blocks) {
    const int side = 32;
    const int components = int(blocks[0].size());
    const bool adobe = input == JCS_CMYK;
    jpeg_compress_struct c;
    jpeg_error_mgr error;
    c.err = jpeg_std_error(&error);
    jpeg_create_compress(&c);
    unsigned char* data = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &data, &size);
    c.image_width = side;
    c.image_height = side;
    c.input_components = components;
    c.in_color_space = input;
    jpeg_set_defaults(&c);
    jpeg_set_colorspace(&c, stored);
    c.write_Adobe_marker = adobe;
    jpeg_set_quality(&c, 100, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(size_t(side * components));
    while (c.next_scanline < JDIMENSION(side)) {
        for (int x = 0; x < side; ++x) {
            const QList<int>& value =
                blocks[2 * (int(c.next_scanline) >= side / 2) + (x >= side / 2)];
            for (int i = 0; i < components; ++i)
                row[size_t(x * components + i)] = JSAMPLE(adobe ? 255 - value[i] : value[i]);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    std::free(data);
    return bytes;
}

// The QSO whose card is "cards/qx1abc-p-050604173100.jpg", opened on the edit page.
struct CardFixture : BrowseFixture {
    CardFixture()
        : BrowseFixture(
              {*QsoLine::split("1;05.06.2004;17:31:00;2m;FM;QX1ABC/P;59;59;;;;;10W;;;")}) {
        QDir(dir.path()).mkdir("cards");
        form()->station().settings().WriteString("Allgemein", "QslPath", dir.file("cards/"));
        editRow(1);
        page().editedQslIn()->checkBox()->click();
    }
    QslDriver page() const { return QslDriver(form()); }
    QString card() const { return dir.file("cards/qx1abc-p-050604173100.jpg"); }
};

} // namespace

class TestQslCardImage : public QObject {
    Q_OBJECT
private slots:
    void decode_data() {
        // size: empty: an error
        columns<QByteArray, QSize>("bytes", "size");
        const QByteArray jpeg = picture(1000, 700, "JPG");
        QTest::newRow("JPEG") << jpeg << QSize(1000, 700);
        QTest::newRow("truncated JPEG") << jpeg.left(jpeg.size() / 2) << QSize();
        QTest::newRow("PNG under a .jpg name") << picture(30, 20, "PNG") << QSize(30, 20);
        QTest::newRow("text") << QByteArray("no picture") << QSize();
        // Found by the fuzzer: 455 bytes whose header claims a huge CMYK picture.
        QFile huge(QFINDTESTDATA("data/corrupt-huge-cmyk.jpg"));
        QVERIFY(huge.open(QIODevice::ReadOnly));
        QTest::newRow("corrupt, claiming a huge picture") << huge.readAll() << QSize();
    }

    void decode() {
        QFETCH(QSize, size);
        TempProgramDir dir;
        dir.writeFile("card.jpg", fetched<QByteArray>("bytes"));
        try {
            QCOMPARE(CardImage::load(dir.file("card.jpg")).size(), size);
        } catch (const DaluError& e) {
            QVERIFY2(size.isEmpty(), qPrintable(e.message()));
            QVERIFY2(e.message().contains(dir.file("card.jpg")), qPrintable(e.message()));
        }
    }

    // The colour in the middle of each block, as the viewer shows it.
    void decodedColours_data() {
        columns<QByteArray, QStringList>("bytes", "colours");
        const QList<QList<int>> inks = {
            {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 128}, {0, 0, 0, 0}};
        const QStringList inked = {"#00ffff", "#ff00ff", "#7f7f00", "#ffffff"};
        QTest::newRow("CMYK (Adobe)") << jpeg(JCS_CMYK, JCS_CMYK, inks) << inked;
        QTest::newRow("YCCK (Adobe)") << jpeg(JCS_CMYK, JCS_YCCK, inks) << inked;
        QTest::newRow("RGB") << jpeg(JCS_RGB, JCS_YCbCr,
                                     {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}})
                             << QStringList{"#ff0000", "#00ff00", "#0000ff", "#ffffff"};
        QTest::newRow("grey") << jpeg(JCS_GRAYSCALE, JCS_GRAYSCALE, {{0}, {85}, {170}, {255}})
                              << QStringList{"#000000", "#555555", "#aaaaaa", "#ffffff"};
    }
    void decodedColours() {
        QFETCH(QStringList, colours);
        const QImage image = CardImage::decodeJpeg(fetched<QByteArray>("bytes"), "card.jpg");
        QCOMPARE(image.size(), QSize(32, 32));
        for (int block = 0; block < 4; ++block) {
            const QColor shown = image.pixelColor(8 + 16 * (block % 2), 8 + 16 * (block / 2));
            const QColor expected(colours[block]);
            const int off = qAbs(shown.red() - expected.red()) +
                            qAbs(shown.green() - expected.green()) +
                            qAbs(shown.blue() - expected.blue());
            QVERIFY2(off <= 12, qPrintable(QString("block %1 shows %2, not %3")
                                               .arg(block)
                                               .arg(shown.name(), expected.name())));
        }
    }

    void viewerFitsALargePictureToTheScreen() {
        const QSize picture(4000, 2000);
        TQslInShowForm viewer;
        viewer.setPicture(QImage(picture, QImage::Format_RGB32));
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QVERIFY(viewer.frameGeometry().width() <= viewer.screen()->availableGeometry().width());
        QVERIFY(qAbs(viewer.width() * picture.height() - viewer.height() * picture.width()) <=
                picture.width());
        auto* image = viewer.findChild<QLabel*>("Image");
        QCOMPARE(image->pixmap().size(), viewer.size());
        QTest::mouseClick(image, Qt::LeftButton);
        QTRY_VERIFY(!viewer.isVisible());
    }

    void addShowAndNeverReplaceTheCard() {
        CardFixture f;
        const QslDriver e = f.page();
        auto* add = e.child<QPushButton>("eQslInAddBtn");
        auto* show = e.child<QPushButton>("eQslInShowBtn");
        QVERIFY(add->isVisible() && !show->isVisible());
        const QByteArray jpeg = picture(1000, 700, "JPG");
        f.dir.writeFile("scan.jpg", jpeg);
        ModalDialogs::answerFileDialog(f.dir.file("scan.jpg"));
        QString message = ModalDialogs::messageOf([add] { add->click(); });
        QCOMPARE(message, f.dir.file("scan.jpg") + " --> " + f.card());
        QVERIFY(!QFile::exists(f.dir.file("scan.jpg")) && show->isVisible());

        QSize shown;
        ModalDialogs::onNextModal([&](QWidget* w) {
            auto* viewer = qobject_cast<TQslInShowForm*>(w);
            QVERIFY(viewer);
            shown = viewer->size();
            auto* image = viewer->findChild<QLabel*>("Image");
            QCOMPARE(image->pixmap().size(), shown);
            QTest::mouseClick(image, Qt::LeftButton);
        });
        show->click();
        QCOMPARE(shown, QSize(1000, 700));

        // A second scan for the same QSO leaves both files as they are.
        f.dir.writeFile("scan.jpg", "new scan");
        ModalDialogs::answerFileDialog(f.dir.file("scan.jpg"));
        message = ModalDialogs::messageOf([add] { add->click(); });
        QCOMPARE(message, "ERROR (" + f.dir.file("scan.jpg") + " --> " + f.card());
        QCOMPARE(f.dir.readFile("cards/qx1abc-p-050604173100.jpg"), jpeg);
        QCOMPARE(f.dir.readFile("scan.jpg"), QByteArray("new scan"));
        // With the QSL in date unset there is nothing to add; another time has no card.
        const auto shownAdd = [show, add] {
            return QList<bool>{show->isVisible(), add->isVisible()};
        };
        e.editedQslIn()->checkBox()->click();
        QCOMPARE(shownAdd(), (QList<bool>{true, false}));
        e.editedQslIn()->checkBox()->click();
        e.child<QTimeEdit>("eUtcPicker")->setTime(QTime(17, 32, 0));
        QCOMPARE(shownAdd(), (QList<bool>{false, true}));
    }
};

// A screen large enough for a 1000x700 card, so that it is shown unscaled.
int main(int argc, char* argv[]) {
    QTemporaryFile config(QDir::tempPath() + "/dalu-screen-XXXXXX.json");
    if (!config.open())
        return 1;
    config.write(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": 1920,
                    "height": 1200, "logicalDpiX": 96, "logicalDpiY": 96}]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    QApplication app(argc, argv);
    TestQslCardImage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qslcardimage.moc"
