#include "ImagenPng.h"

#include <QFile>
#include <QSysInfo>
#include <png.h>

namespace q42 {

QImage leePng(const QString& archivo) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray datos = f.readAll();
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    // On failure libpng releases what it took.
    if (!png_image_begin_read_from_memory(&png, datos.constData(), size_t(datos.size())))
        return {};
    constexpr png_uint_32 kLado = 1024;
    if (png.width == 0 || png.height == 0 || png.width > kLado || png.height > kLado) {
        png_image_free(&png);
        return {};
    }
    // QImage's ARGB32 is one 32-bit word per pixel, A in the top byte.
    png.format = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage imagen(int(png.width), int(png.height), QImage::Format_ARGB32);
    // The row stride counts components: one byte each here.
    if (imagen.isNull() || !png_image_finish_read(&png, nullptr, imagen.bits(),
                                                  png_int_32(imagen.bytesPerLine()), nullptr)) {
        png_image_free(&png);
        return {};
    }
    return imagen;
}

} // namespace q42
