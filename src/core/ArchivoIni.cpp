#include "ArchivoIni.h"

#include "Carpeta.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace q42 {

QString ArchivoIni::rutaDe(const QString& fileName) {
    if (fileName.contains(QLatin1Char('/')) || fileName.contains(QLatin1Char('\\')))
        return fileName;
    return archivoEnCarpeta(carpetaAplicacion(), fileName);
}

QString ArchivoIni::leeTexto(const QString& fileName) {
    QFile file(rutaDe(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.read(4 * 1024 * 1024);
    // Files written on the original platform are in the Windows code page.
    auto utf8 = QStringDecoder(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

QString ArchivoIni::LeeIni(const QString& fileName, const QString& section, const QString& key,
                           const QString& defaultValue) {
    return leeDeTexto(leeTexto(fileName), section, key, defaultValue);
}

QString ArchivoIni::leeDeTexto(const QString& text, const QString& section, const QString& key,
                               const QString& defaultValue) {
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    bool inSection = false;
    const auto lines = QStringView(text).split(QLatin1Char('\n'));
    for (QStringView raw : lines) {
        const QStringView line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const auto close = line.lastIndexOf(QLatin1Char(']'));
            if (close < 0)
                continue;
            inSection =
                line.mid(1, close - 1).trimmed().compare(wantedSection, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const auto eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        if (line.left(eq).trimmed().compare(wantedKey, Qt::CaseInsensitive) != 0)
            continue;
        QStringView value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        return value.toString();
    }
    return defaultValue;
}

} // namespace q42
