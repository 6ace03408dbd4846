#include "Impresion.h"

#include "ColumnasDeclaracion.h"
#include "Revision.h"
#include "ado/Ado.h"
#include "boot/Inicio.h"
#include "config/Configuracion.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "report/Reportes.h"
#include "widgets/Modal.h"

#include <QDialog>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QVector>
#include <algorithm>
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

QString problemaDeRango(const QString& desde, const QString& hasta) {
    for (const QString& p : {desde, hasta})
        if (!periodoValido(p))
            return periodoInvalido(p.trimmed());
    if (ordenDePeriodo(desde) > ordenDePeriodo(hasta))
        return QStringLiteral("El período Desde (%1) es posterior al período Hasta (%2)")
            .arg(desde.trimmed(), hasta.trimmed());
    return QString();
}

QString sinDeclaraciones(const QString& desde, const QString& hasta) {
    if (desde.trimmed() == hasta.trimmed())
        return QStringLiteral("No hay declaración para el período %1").arg(desde.trimmed());
    return QStringLiteral("No hay declaraciones entre %1 y %2")
        .arg(desde.trimmed(), hasta.trimmed());
}

bool leeDeclaraciones(std::vector<MesImpreso>* meses, const QString& desde, const QString& hasta) {
    meses->clear();
    DB_Dll& db = DB_Dll::instance();
    ado::Recordset rs;
    QString sql = QStringLiteral("SELECT * FROM DJ_Q42");
    db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    if (rs.State() == ado::adStateClosed)
        return false;
    const bool todos = desde.isEmpty() && hasta.isEmpty();
    const int primero = ordenDePeriodo(desde);
    const int ultimo = ordenDePeriodo(hasta);
    const LimitesRevision limites = leeLimitesRevision();
    const auto texto = [&rs](const QString& columna) {
        return Utiles::ValorNoNuloTexto(rs.value(columna));
    };
    for (; !rs.EOF_(); rs.MoveNext()) {
        const QString periodo = texto(QStringLiteral("Periodo")).trimmed();
        const int orden = ordenDePeriodo(periodo);
        if (orden < 0 || (!todos && (orden < primero || orden > ultimo)))
            continue;
        meses->push_back({periodo, texto(QStringLiteral("Responsable")),
                          texto(QStringLiteral("SAGPyA")),
                          revisaDeclaracion(figurasDeFila(texto), limites)});
    }
    rs.Close();
    std::sort(meses->begin(), meses->end(), [](const MesImpreso& a, const MesImpreso& b) {
        return ordenDePeriodo(a.periodo) < ordenDePeriodo(b.periodo);
    });
    return true;
}

QVector<q42::ParteReporte> partesQ42(const std::vector<MesImpreso>& meses, const Empresa& empresa) {
    QVector<q42::ParteReporte> partes;
    for (const MesImpreso& m : meses) {
        const ImpresionQ42 t =
            preparaQ42(QStringLiteral("DJ_Q42"), m.periodo, empresa, m.responsable, m.sagpya);
        partes.push_back(
            {t.seleccion, QStringList(t.formulas.begin(), t.formulas.end()) + t.extras});
    }
    return partes;
}

QString tituloQ42(const QString& desde, const QString& hasta) {
    // A slash would make the PDF's default name a path.
    const auto nombre = [](const QString& p) {
        return p.trimmed().replace(QLatin1Char('/'), QLatin1Char('-'));
    };
    if (desde.trimmed() == hasta.trimmed())
        return QStringLiteral("%1 %2").arg(kReporteQ42, nombre(desde));
    return QStringLiteral("%1 %2 a %3").arg(kReporteQ42, nombre(desde), nombre(hasta));
}

bool imprimeQ42Pdf(const QString& desde, const QString& hasta, const QString& archivo,
                   QString* error, std::vector<MesImpreso>* meses) {
    const auto falla = [error](const QString& texto) {
        if (error)
            *error = texto;
        return false;
    };
    if (const QString problema = problemaDeRango(desde, hasta); !problema.isEmpty())
        return falla(problema);
    DB_Dll& db = DB_Dll::instance();
    if (!db.gOpenFlag || !db.gCnn || db.gCnn->State() == ado::adStateClosed)
        return falla(QStringLiteral("No hay conexión con la base de datos"));
    std::vector<MesImpreso> leidos;
    if (!leeDeclaraciones(&leidos, desde, hasta))
        return falla(QStringLiteral("No se pudieron leer las declaraciones"));
    if (meses)
        *meses = leidos;
    if (leidos.empty())
        return falla(sinDeclaraciones(desde, hasta));
    Reportes::setConexion(db.gCnn);
    return Reportes::ImprimePartesPdf(kReporteQ42, partesQ42(leidos, leeEmpresa()),
                                      tituloQ42(desde, hasta), archivo, error);
}

int enLote(const QString& parametros, const std::function<int()>& trabajo) {
    MensajesEnLote mensajes;
    q42::setMessageService(&mensajes);
    q42::setDialogHandler(&rechazaDialogo, nullptr);
    const auto restaura = qScopeGuard([] {
        q42::setDialogHandler(nullptr, nullptr);
        q42::setMessageService(nullptr);
        Lib_ClsCons3::release();
        DB_Dll::release();
    });
    try {
        if (!IniciaSistema(parametros) || !DB_Dll::instance().gOpenFlag) {
            escribeError(QStringLiteral("No hay conexión con la base de datos: indique los "
                                        "parámetros de conexión o --demo"));
            return 1;
        }
        return trabajo();
    } catch (...) {
        escribeError(q42::StepRunner::toError(std::current_exception()).description());
        return 1;
    }
}

int pdfEnLote(const QString& parametros, const QString& desde, const QString& hasta,
              const QString& archivo) {
    // A malformed period or range is told before any connection is tried.
    if (const QString problema = problemaDeRango(desde, hasta); !problema.isEmpty()) {
        escribeError(problema);
        return 1;
    }
    return enLote(parametros, [&] {
        // As at the window's start: the layout shows the harvest column.
        DB_Dll::instance().VerCampoDB(QStringLiteral("DJ_Q42"), QStringLiteral("Cosecha"), true,
                                      QStringLiteral("nvarchar(50)"), true);
        QString error;
        std::vector<MesImpreso> meses;
        const bool escrito = imprimeQ42Pdf(desde, hasta, archivo, &error, &meses);
        // The figures are questioned, never refused: the PDF is written anyway.
        for (const MesImpreso& m : meses)
            for (const Hallazgo& h : m.hallazgos)
                escribeError(QStringLiteral("Revisión de %1: %2").arg(m.periodo, h.texto));
        if (!escrito) {
            escribeError(error);
            return 1;
        }
        return 0;
    });
}

} // namespace declaracion
