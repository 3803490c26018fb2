#include "cardimage.h"

#include "daluerror.h"
#include "uitexts.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jerror.h>
#include <jpeglib.h>

namespace CardImage {

namespace {

// A 1200 dpi scan of a card is about 30 megapixels; a header claiming more is not a card.
// (The fuzzer builds with a smaller limit, so that its inputs stay quick.)
#ifndef DALU_CARD_MAX_MEGAPIXELS
#define DALU_CARD_MAX_MEGAPIXELS 64
#endif
constexpr qint64 kMaxPixels = qint64(DALU_CARD_MAX_MEGAPIXELS) * 1000 * 1000;
// Progressive files of hostile make can hold thousands of scans, each a pass over the image.
constexpr int kMaxScans = 200;

// libjpeg's own error manager calls exit(): this one jumps back to the decoder instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void errorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void emitMessage(j_common_ptr cinfo, int level) {
    // Data that ends early or is corrupt would otherwise show as a grey rest of the card,
    // silently (and a few bytes claiming a huge picture would be decoded as one).
    const int code = cinfo->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER ||
                      code == JWRN_MUST_RESYNC || code == JWRN_HUFF_BAD_CODE))
        errorExit(cinfo);
}

void watchScans(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "more than %d scans", kMaxScans);
        std::longjmp(err->jump, 1);
    }
}

// Everything the jump may leave half done lives behind this pointer, in memory, so that
// nothing depends on registers restored by longjmp.
struct Decoding {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    QImage image;
    bool tooLarge = false;
};

void convertCmykRow(uchar* row, const JSAMPLE* cmyk, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x) {
        int c = cmyk[4 * x], m = cmyk[4 * x + 1], y = cmyk[4 * x + 2], k = cmyk[4 * x + 3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        row[3 * x] = uchar(c * k / 255);
        row[3 * x + 1] = uchar(m * k / 255);
        row[3 * x + 2] = uchar(y * k / 255);
    }
}

bool decode(Decoding* d, const QByteArray* data) {
    if (setjmp(d->err.jump))
        return false;
    jpeg_create_decompress(&d->cinfo);
    d->cinfo.progress = &d->progress;
    jpeg_mem_src(&d->cinfo, reinterpret_cast<const unsigned char*>(data->constData()),
                 static_cast<unsigned long>(data->size()));
    jpeg_read_header(&d->cinfo, TRUE);
    const bool cmyk =
        d->cinfo.jpeg_color_space == JCS_CMYK || d->cinfo.jpeg_color_space == JCS_YCCK;
    d->cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_calc_output_dimensions(&d->cinfo);
    const JDIMENSION width = d->cinfo.output_width;
    const JDIMENSION height = d->cinfo.output_height;
    if (qint64(width) * height > kMaxPixels) {
        d->tooLarge = true;
        return false;
    }
    d->image = QImage(int(width), int(height), QImage::Format_RGB888);
    if (d->image.isNull()) {
        d->tooLarge = true;
        return false;
    }
    jpeg_start_decompress(&d->cinfo);
    JSAMPARRAY buffer =
        cmyk ? (*d->cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&d->cinfo), JPOOL_IMAGE,
                                             width * 4, 1)
             : nullptr;
    // Adobe writes CMYK inverted and marks its files so.
    const bool inverted = d->cinfo.saw_Adobe_marker;
    while (d->cinfo.output_scanline < height) {
        uchar* row = d->image.scanLine(int(d->cinfo.output_scanline));
        if (cmyk) {
            jpeg_read_scanlines(&d->cinfo, buffer, 1);
            convertCmykRow(row, buffer[0], width, inverted);
        } else {
            JSAMPROW rows[1] = {row};
            jpeg_read_scanlines(&d->cinfo, rows, 1);
        }
    }
    jpeg_finish_decompress(&d->cinfo);
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray& data, const QString& name) {
    auto d = std::make_unique<Decoding>();
    d->cinfo.err = jpeg_std_error(&d->err.base);
    d->err.base.error_exit = errorExit;
    d->err.base.emit_message = emitMessage;
    d->err.message[0] = '\0';
    d->progress.progress_monitor = watchScans;
    const bool done = decode(d.get(), &data);
    jpeg_destroy_decompress(&d->cinfo);
    if (done)
        return std::move(d->image);
    const QString reason =
        d->tooLarge
            ? uiText("das Bild ist gr\u00f6\u00dfer als %1 Megapixel").arg(kMaxPixels / 1000000)
            : QString::fromLocal8Bit(d->err.message);
    throw DaluError(
        uiText("Die QSL-Karte \"%1\" kann nicht angezeigt werden: %2.").arg(name, reason));
}

QImage load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DaluError::io(uiText("Fehler beim \u00d6ffnen von"), path, file.errorString());
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DaluError::io(uiText("Fehler beim Lesen von"), path, file.errorString());
    if (data.startsWith("\xFF\xD8"))
        return decodeJpeg(data, path);
    QImage image = QImage::fromData(data);
    if (image.isNull())
        throw DaluError(
            uiText("Die QSL-Karte \"%1\" kann nicht angezeigt werden: sie ist kein JPEG-, PNG- "
                   "oder BMP-Bild.")
                .arg(path));
    return image;
}

} // namespace CardImage
