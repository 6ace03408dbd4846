#include "LibrosEnLote.h"

#include "ColumnasDeclaracion.h"
#include "Impresion.h"
#include "Libros.h"
#include "ado/Ado.h"
#include "core/Conversiones.h"
#include "core/Error.h"
#include "db/DB_Dll.h"

#include <QHash>
#include <cstdio>

namespace declaracion {

namespace {

void escribe(const QString& linea) {
    std::printf("%s\n", qUtf8Printable(linea));
}

// The stored row of the month as the window shows its texts, empty when
// there is none.
QHash<QString, QString> filaGuardada(const QString& periodo) {
    DB_Dll& db = DB_Dll::instance();
    QString sql = QStringLiteral("SELECT * FROM DJ_Q42 WHERE Periodo = %1")
                      .arg(DB_Dll::Comillas(periodo.trimmed()));
    ado::Recordset rs;
    db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    QHash<QString, QString> fila;
    if (rs.State() == ado::adStateClosed || rs.EOF_())
        return fila;
    for (int i = 0; i < kCajas; ++i) {
        const QString columna = columnaDeCaja(i);
        fila.insert(columna.toUpper(), rs.value(columna).toString());
    }
    // The code lists and the unit (the harvest column may be missing).
    for (const int a : {0, 1, 2, 3, 4, 7}) {
        const QString columna = QString::fromLatin1(kAjustes[size_t(a)].columna);
        fila.insert(columna.toUpper(), rs.value(columna).toString());
    }
    return fila;
}

} // namespace

int librosEnLote(const QString& parametros, const QString& periodo) {
    if (!periodoValido(periodo.trimmed())) {
        std::fprintf(
            stderr, "q42: %s\n",
            qUtf8Printable(
                QStringLiteral("%1 (\"%2\")").arg(kMensajePeriodoInvalido, periodo.trimmed())));
        return 1;
    }
    return enLote(parametros, [&] {
        const QHash<QString, QString> fila = filaGuardada(periodo);
        const auto valor = [&fila](const QString& columna) {
            return fila.value(columna.toUpper());
        };
        PedidoLibros pedido;
        pedido.periodo = periodo.trimmed();
        for (int p = 0; p < 5; ++p)
            pedido.codigos[size_t(p)] =
                fila.isEmpty() ? QString::fromLatin1(kAjustes[size_t(p)].inicial)
                               : valor(QString::fromLatin1(kAjustes[size_t(p)].columna));
        if (!fila.isEmpty() && !valor(QStringLiteral("UdMedida")).trimmed().isEmpty())
            pedido.unidad = valor(QStringLiteral("UdMedida")).trimmed();
        pedido.otrasSalidasTrigo =
            leeCantidad(valor(QStringLiteral("P_Otros"))).value_or(q42::Currency());
        const AjustesLibros ajustes = leeAjustesLibros();
        const ResultadoLibros r = leeLibros(pedido, ajustes);
        for (const FiguraLibros& f : r.figuras)
            escribe(QStringLiteral("%1;%2;%3")
                        .arg(f.columna, FmtMoneda(f.valor.toText(), 2))
                        .arg(f.comprobantes));
        if (fila.isEmpty()) {
            escribe(QStringLiteral("Sin declaración guardada de %1: no hay existencias finales "
                                   "que revisar")
                        .arg(pedido.periodo));
            return 0;
        }
        for (const Hallazgo& h :
             cierreDeLibros(figurasDeFila(valor), pedido, ajustes, leeToleranciaLibros()))
            escribe(QStringLiteral("Revisión: %1").arg(h.texto));
        return 0;
    });
}

} // namespace declaracion
