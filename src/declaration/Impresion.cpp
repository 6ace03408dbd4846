#include "Impresion.h"

#include "ColumnasDeclaracion.h"
#include "Revision.h"
#include "db/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/Reportes.h"
#include "platform/StepRunner.h"
#include "platform/Utiles.h"
#include "platform/ado/Ado.h"
#include "platform/ui/MsgBox.h"
#include "startup/boot/Inicio.h"
#include "startup/config/Configuracion.h"

#include <QDialog>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QVector>
#include <cstdio>

using q42::Reportes;
using q42::Utiles;

namespace declaracion {

namespace {

constexpr qint16 kTipoTextoFijo = 129; // ADO's adChar

QString formula(const char* nombre, const QString& valor) {
    return QLatin1String(nombre) + valor + QLatin1Char('\'');
}

QString periodoInvalido(const QString& periodo) {
    return QStringLiteral("%1 (\"%2\")").arg(kMensajePeriodoInvalido, periodo);
}

void escribeError(const QString& texto) {
    std::fprintf(stderr, "q42: %s\n", qUtf8Printable(texto));
}

// Nobody sits at a batch run: every message goes to stderr and takes the
// answer that cancels, indexed by the button set (OK, OK/Cancel,
// Abort/Retry/Ignore, Yes/No/Cancel, Yes/No, Retry/Cancel).
class MensajesEnLote : public q42::MessageService {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override {
        static constexpr int kCancela[] = {q42::vbOK,     q42::vbCancel, q42::vbAbort,
                                           q42::vbCancel, q42::vbNo,     q42::vbCancel};
        const QString titulo =
            title.trimmed().isEmpty() ? QString() : title.trimmed() + QStringLiteral(": ");
        // Messages break lines with CR LF or a bare CR; stderr gets one line.
        static const QRegularExpression saltos(QStringLiteral("\\r\\n|\\r|\\n"));
        escribeError(titulo + QString(prompt).replace(saltos, QStringLiteral(" ")));
        const int botones = style & 0x0F;
        return botones < int(std::size(kCancela)) ? kCancela[botones] : q42::vbCancel;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};

int rechazaDialogo(QDialog*, void*) {
    return QDialog::Rejected;
}

} // namespace

Empresa leeEmpresa() {
    return {Cfg(QStringLiteral("NOMBRE")),    Cfg(QStringLiteral("CALLE")),
            Cfg(QStringLiteral("NUMERO")),    Cfg(QStringLiteral("LOCALIDAD")),
            Cfg(QStringLiteral("PROVINCIA")), Cfg(QStringLiteral("CUIT"))};
}

QString fraseMes(const QString& periodo) {
    const int mes = int(Utiles::TextoAEntero(periodo.left(2)));
    const QString anio = periodo.mid(periodo.indexOf(QLatin1Char('/')) + 1, 4);
    return QStringLiteral(" Correspondiente al mes de ") + Utiles::NombreMes(mes) +
           QStringLiteral(" del año ") + anio;
}

ImpresionQ42 preparaQ42(const QString& tabla, const QString& periodo, const Empresa& empresa,
                        const QString& responsable, const QString& sagpya) {
    const QString p = periodo.trimmed();
    QVector<q42::CondicionReporte> condiciones(2);
    condiciones[1].desde = p;
    condiciones[1].hasta = p;
    condiciones[1].campo = QLatin1Char('{') + tabla + QStringLiteral(".Periodo}");
    condiciones[1].tipo = kTipoTextoFijo;

    ImpresionQ42 t;
    t.seleccion = Reportes::FormulaSeleccion(condiciones);
    t.formulas = {
        formula("NombreEmpresa = '", empresa.nombre),
        formula("Direccion = '", empresa.calle + QLatin1Char(' ') + empresa.numero),
        formula("Localidad= '", empresa.localidad),
        QString(),
        formula("Provincia= '", empresa.provincia.trimmed()),
    };
    t.extras = {
        formula("CUIT= '", empresa.cuit.trimmed()),
        formula("FIRMA= '", responsable.trimmed()),
        formula("SAGPYA= '", sagpya.trimmed()),
        formula("Mes= '", fraseMes(p)),
    };
    return t;
}

bool imprimeQ42Pdf(const QString& periodo, const QString& archivo, QString* error,
                   std::vector<Hallazgo>* hallazgos) {
    const QString p = periodo.trimmed();
    const auto falla = [error](const QString& texto) {
        if (error)
            *error = texto;
        return false;
    };
    if (!periodoValido(p))
        return falla(periodoInvalido(p));
    DB_Dll& db = DB_Dll::instance();
    if (!db.gOpenFlag || !db.gCnn || db.gCnn->State() == ado::adStateClosed)
        return falla(QStringLiteral("No hay conexión con la base de datos"));

    // Signer and registration are those saved with the declaration.
    QString sql = QStringLiteral("SELECT * FROM DJ_Q42 WHERE Periodo = ") + DB_Dll::Comillas(p);
    ado::Recordset rs;
    db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    if (rs.State() == ado::adStateClosed)
        return falla(QStringLiteral("No se pudo leer la declaración del período %1").arg(p));
    if (rs.EOF_())
        return falla(QStringLiteral("No hay declaración para el período %1").arg(p));
    const QString responsable = Utiles::ValorNoNuloTexto(rs.value(QStringLiteral("Responsable")));
    const QString sagpya = Utiles::ValorNoNuloTexto(rs.value(QStringLiteral("SAGPyA")));
    if (hallazgos)
        *hallazgos = revisaDeclaracion(figurasDeFila([&rs](const QString& columna) {
                                           return Utiles::ValorNoNuloTexto(rs.value(columna));
                                       }),
                                       leeLimitesRevision());
    rs.Close();

    Reportes::setConexion(db.gCnn);
    const ImpresionQ42 t =
        preparaQ42(QStringLiteral("DJ_Q42"), p, leeEmpresa(), responsable, sagpya);
    Reportes::FormulasExtra(t.extras, 5);
    return Reportes::ImprimePdf(kReporteQ42, {QString()}, t.seleccion, gConnStringDsn,
                                t.formulas[0], t.formulas[1], t.formulas[2], t.formulas[3],
                                t.formulas[4], QString(), QString(), QString(), archivo, error);
}

int pdfEnLote(const QString& parametros, const QString& periodo, const QString& archivo) {
    MensajesEnLote mensajes;
    q42::setMessageService(&mensajes);
    q42::setDialogHandler(&rechazaDialogo, nullptr);
    const auto restaura = qScopeGuard([] {
        q42::setDialogHandler(nullptr, nullptr);
        q42::setMessageService(nullptr);
        Lib_ClsCons3::release();
        DB_Dll::release();
    });
    // A malformed period is told before any connection is tried.
    if (!periodoValido(periodo)) {
        escribeError(periodoInvalido(periodo.trimmed()));
        return 1;
    }
    try {
        if (!IniciaSistema(parametros) || !DB_Dll::instance().gOpenFlag) {
            escribeError(QStringLiteral("No hay conexión con la base de datos: indique los "
                                        "parámetros de conexión o --demo"));
            return 1;
        }
        // As at the window's start: the layout shows the harvest column.
        DB_Dll::instance().VerCampoDB(QStringLiteral("DJ_Q42"), QStringLiteral("Cosecha"), true,
                                      QStringLiteral("nvarchar(50)"), true);
        QString error;
        std::vector<Hallazgo> hallazgos;
        const bool escrito = imprimeQ42Pdf(periodo, archivo, &error, &hallazgos);
        // The figures are questioned, never refused: the PDF is written anyway.
        for (const Hallazgo& h : hallazgos)
            escribeError(QStringLiteral("Revisión de %1: %2").arg(periodo.trimmed(), h.texto));
        if (!escrito) {
            escribeError(error);
            return 1;
        }
    } catch (...) {
        escribeError(q42::StepRunner::toError(std::current_exception()).description());
        return 1;
    }
    return 0;
}

} // namespace declaracion
