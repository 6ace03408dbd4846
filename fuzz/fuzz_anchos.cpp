// The column-width file: the widths of a table read from it, then written
// for that table and read back.

#include "ArchivoPrivado.h"
#include "FuzzComun.h"
#include "core/Error.h"
#include "lookup/AnchosColumnas.h"

#include <QList>
#include <limits>

namespace {

// The table of the first line: its first field without quotes.
QString primeraTabla(const QByteArray& bytes) {
    const QByteArray linea = bytes.left(bytes.indexOf('\n'));
    const QByteArray campo = linea.left(linea.indexOf(',')).trimmed();
    QString tabla = QString::fromLatin1(campo);
    tabla.remove(QLatin1Char('"'));
    return tabla.trimmed();
}

// What a table name from a statement can hold and the file can keep.
bool nombreGuardable(const QString& tabla) {
    if (tabla.isEmpty())
        return false;
    for (QChar c : tabla)
        if (c.unicode() < 0x21 || c.unicode() > 0x7e || c == QLatin1Char('"') ||
            c == QLatin1Char(','))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::regionalArgentina();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString ruta = fuzz::escribeArchivo(QStringLiteral("CONSULTASLEN.QVX"), bytes);
    const QString tabla = primeraTabla(bytes);
    const auto anchos = q42::anchos::leeAnchos(ruta, tabla);
    (void)q42::anchos::leeAnchos(ruta, QStringLiteral("VT_CLIENTES"));
    QList<int> nuevos;
    for (double a : anchos.value_or(QList<double>{})) {
        // The dialog turns each width into an int pixel size.
        fuzz::verifica(a >= 0 && a <= std::numeric_limits<int>::max(), "ancho fuera de rango",
                       QString::number(a));
        nuevos << int(a);
    }
    if (!nombreGuardable(tabla))
        return 0;

    nuevos << int(size);
    try {
        q42::anchos::grabaAnchos(ruta, tabla, nuevos);
    } catch (const q42::Error&) {
        fuzz::verifica(false, "no se pudo grabar en la carpeta privada", tabla);
    }
    QList<double> esperados;
    for (int a : nuevos)
        esperados << a;
    fuzz::verifica(q42::anchos::leeAnchos(ruta, tabla) == esperados,
                   "los anchos grabados no se releen", tabla);
    return 0;
}
