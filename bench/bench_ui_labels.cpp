// Times 1,000 QSL labels from a 100,000-QSO log as the QSL page makes them: the log read,
// the out list, the labels grouped, the PDF painted and written, and the one rewrite that
// marks their QSOs as sent.
#include "compactqso.h"
#include "labelpainter.h"
#include "logbuilder.h"
#include "logfile.h"
#include "qslcards.h"
#include "qsllabelmarks.h"
#include "qsllabels.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    constexpr int kQsos = 100000;
    constexpr int kLabels = 1000;
    QTemporaryDir dir(QStringLiteral("bench-labels-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("bench.log"));
    QList<TQsoRecord> records;
    for (int n = 1; n <= kQsos; ++n) {
        // 20,000 stations, each worked five times; every tenth names a manager.
        TQsoRecord r = LogBuilder::qso(n, "QX" + QByteArray::number(n % 20000) + "ABC");
        r[QsoField::Comments] = n % 10 ? QByteArray() : QByteArray("via QX1MGR");
        records.append(r);
    }
    LogBuilder::writeLog(path, records);

    QElapsedTimer total;
    total.start();
    QElapsedTimer step;
    step.start();
    QList<CompactQso> all;
    TLogFile(path).forEachLine([&](const QByteArray& line, const QsoLine::FieldStarts& starts) {
        all.append(CompactQso(line, starts).shownInList());
    });
    const QList<int> out = QslCards::outList(all, {});
    const double listMs = step.nsecsElapsed() / 1e6;
    step.restart();
    // The whole list grouped, 4 QSOs to a label (each station gets two), the first 1,000 printed.
    const QList<int>& positions = out;
    QList<CompactQso> listed;
    for (int p : positions)
        listed.append(all.at(p - 1));
    QList<QslLabels::Label> labels =
        QslLabels::group(listed, positions, 4, QslLabels::confirmedCalls(all));
    labels = labels.mid(0, kLabels);
    LabelPainter::Request request;
    request.layout = *QslLabels::preset(QStringLiteral("3x7"));
    request.ownCall = QStringLiteral("DL0TST");
    const QString pdf = dir.filePath(QStringLiteral("labels.pdf"));
    PrintOutput::writePdf(pdf, LabelPainter::job(labels, request));
    const double pdfMs = step.nsecsElapsed() / 1e6;
    step.restart();
    const QList<int> printed = QslLabels::positions(labels);
    QList<CompactQso> printedQsos;
    for (int p : printed)
        printedQsos.append(all.at(p - 1));
    QslLabelMarks::markSent(path, printed, printedQsos, QDate::currentDate());
    const double markMs = step.nsecsElapsed() / 1e6;
    std::printf("%lld labels (%lld QSOs, %lld pages, %.1f MB PDF) from a %d-QSO log: "
                "read and out list %.0f ms, labels as PDF %.0f ms, one mark rewrite %.0f ms, "
                "total %.0f ms\n",
                static_cast<long long>(labels.size()), static_cast<long long>(printed.size()),
                static_cast<long long>(QslLabels::pageCount(int(labels.size()), 1, 21)),
                QFileInfo(pdf).size() / 1e6, kQsos, listMs, pdfMs, markMs,
                total.nsecsElapsed() / 1e6);
    return 0;
}
