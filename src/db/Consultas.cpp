// Record sets, statements and look-ups on the shared connection. Every
// operation meets its own failures; the operator decides through a dialog
// whether the failed step runs again, is skipped or ends the operation.

#include "DB_Dll.h"

#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

using q42::StepRunner;
using q42::Utiles;

namespace {

constexpr ado::DataTypeEnum kTexto = ado::adBSTR;
constexpr ado::DataTypeEnum kFecha = ado::adDate;

bool contiene(const QString& texto, const QString& busca) {
    return texto.contains(busca, Qt::CaseInsensitive);
}

bool esNumero(ado::DataTypeEnum tipo) {
    return tipo == ado::adInteger || tipo == ado::adSingle || tipo == ado::adDouble;
}

// The number a text begins with (blanks, sign, digits, "." as decimal
// point, exponent); 0 when it begins with none.
double numeroInicial(const QString& texto) {
    static const QRegularExpression numero(
        QStringLiteral("^\\s*([-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eEdD][-+]?\\d+)?)"));
    const auto m = numero.match(texto);
    if (!m.hasMatch())
        return 0.0;
    QString leido = m.captured(1);
    leido.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    bool ok = false;
    const double valor = leido.toDouble(&ok);
    return ok && std::isfinite(valor) ? valor : 0.0;
}

// Written for SQL: "." as decimal point whatever the regional settings.
QString numeroSQL(const QString& texto) {
    const double valor = numeroInicial(texto);
    return valor == 0.0 ? QStringLiteral("0") : QString::number(valor, 'g', 15);
}

// The where clause of the existence tests and the look-up by type code.
struct Clausula {
    QString campo;
    QString valor;
    ado::DataTypeEnum tipo;
};

QString comparacionExacta(const Clausula& c) {
    return QStringLiteral(" WHERE ") + c.campo + QStringLiteral(" =") + DB_Dll::Comillas(c.valor);
}

QString comparacionRecortada(const Clausula& c) {
    return QStringLiteral(" WHERE LTRIM(RTRIM(") + c.campo + QStringLiteral(")) =") +
           DB_Dll::Comillas(c.valor.trimmed());
}

QString comparacionSimple(const Clausula& c, const QString& valor) {
    return QStringLiteral(" WHERE ") + c.campo + QStringLiteral(" = ") + valor;
}

enum class Variante { Existe, ExisteST };

QString sentenciaExistencia(Variante v, const QString& Tabla, const QString& ValorBuscado,
                            const QString& Campo, ado::DataTypeEnum Tipodato,
                            const QString& Condicion) {
    QString prefijo;
    if (v == Variante::ExisteST)
        prefijo = QStringLiteral("SELECT * FROM ");
    else if (Tipodato == kTexto)
        prefijo = QStringLiteral("SELECT TOP 1  * FROM ");
    else
        prefijo = QStringLiteral("SELECT TOP 1 * FROM ");

    if (!Condicion.isEmpty()) {
        const QString union_ = contiene(Condicion, QStringLiteral(" WHERE "))
                                   ? QStringLiteral(" ")
                                   : QStringLiteral(" WHERE ");
        return prefijo + Tabla + union_ + Condicion;
    }
    const Clausula c{Campo, ValorBuscado, Tipodato};
    if (Tipodato == kTexto)
        return prefijo + Tabla +
               (v == Variante::Existe ? comparacionRecortada(c) : comparacionExacta(c));
    if (Tipodato == kFecha)
        return prefijo + Tabla + comparacionSimple(c, ValorBuscado.trimmed()) + QLatin1Char(' ');
    if (esNumero(Tipodato))
        return prefijo + Tabla + comparacionSimple(c, numeroSQL(ValorBuscado));
    return prefijo + Tabla + comparacionSimple(c, ValorBuscado);
}

QString sentenciaDatos(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                       ado::DataTypeEnum Tipodato, const QString& Condicion, bool UsaTrim,
                       ado::Engine motor) {
    const QString cola =
        Condicion.trimmed().isEmpty() ? QString() : QStringLiteral(" AND ") + Condicion;
    const Clausula c{Campo, ValorBuscado, Tipodato};
    QString donde;
    if (Tipodato == kTexto)
        donde = (UsaTrim ? comparacionRecortada(c) : comparacionExacta(c)) + QLatin1Char(' ');
    else if (Tipodato == kFecha)
        donde = comparacionSimple(c, DB_Dll::FechaSQL(ValorBuscado.trimmed(), motor)) +
                QLatin1Char(' ');
    else if (esNumero(Tipodato))
        donde = comparacionSimple(c, numeroSQL(ValorBuscado));
    else
        donde = comparacionSimple(c, ValorBuscado);
    return QStringLiteral("SELECT TOP 1 * FROM ") + Tabla + donde + cola;
}

// The existence tests and the look-up ask the operator directly.
int avisoAlOperador(const q42::Error& e) {
    return q42::MsgBox(e.description(), q42::vbAbortRetryIgnore + q42::vbCritical,
                       QStringLiteral("Aviso al Operador"));
}

StepRunner::Handler trataError(const QString& rutina) {
    return [rutina](const q42::Error& e) { return q42::TrataError(e, std::nullopt, rutina); };
}

bool existe(DB_Dll& db, Variante v, const QString& Tabla, const QString& ValorBuscado,
            const QString& Campo, ado::Recordset* Lrcs, ado::DataTypeEnum Tipodato,
            const QString& Condicion, bool SoloLectura) {
    QString sql = sentenciaExistencia(v, Tabla, ValorBuscado, Campo, Tipodato, Condicion);
    ado::Recordset propio;
    ado::Recordset& rs = Lrcs ? *Lrcs : propio;
    bool hay = false;
    const bool adaptar = v == Variante::Existe;
    StepRunner::run({[&] {
                         if (adaptar)
                             sql = db.SS_TSinonimos(sql);
                     },
                     // Translated also for the caller's record set: the form's period
                     // look-up must run on Oracle too.
                     [&] {
                         if (adaptar)
                             sql = db.ORACLE_Dicc(sql);
                     },
                     [&] {
                         if (Lrcs && rs.State() != ado::adStateClosed)
                             rs.Close();
                     },
                     [&] {
                         const ado::ProgramScope programa;
                         if (!Lrcs || SoloLectura)
                             rs.Open(sql, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
                         else
                             rs.Open(sql, db.gCnn, rs.CursorType(), rs.LockType(), -1);
                     },
                     [&] { hay = !rs.BOF(); },
                     [&] {
                         if (!Lrcs)
                             rs.Close();
                     }},
                    avisoAlOperador);
    return hay;
}

enum class Agregado { Maximo, Minimo, Ultimo };

std::optional<double> buscaAgregado(DB_Dll& db, Agregado a, const QString& QueTabla,
                                    const QString& QueCampo, const QString& donde) {
    const bool minimo = a == Agregado::Minimo;
    const QString columna = minimo ? QStringLiteral("MENOR") : QStringLiteral("MAYOR");
    const QString sql = (minimo ? QStringLiteral("SELECT MIN(") : QStringLiteral("SELECT MAX(")) +
                        QueCampo + QStringLiteral(") AS ") + columna + QStringLiteral(" FROM ") +
                        QueTabla + donde;
    ado::Recordset rs;
    {
        const ado::ProgramScope programa;
        rs.Open(sql, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
    }
    std::optional<double> resultado;
    if (!rs.EOF_()) {
        // The value's own text ("." as decimal point): a maximum of 12.5 must
        // not read back as 12 under a decimal comma.
        resultado = numeroInicial(Utiles::ValorNoNuloTexto(rs.value(columna)));
    }
    rs.Close();
    return resultado;
}

} // namespace

void DB_Dll::AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs,
                            std::shared_ptr<ado::Connection> ConexionActiva,
                            ado::CursorTypeEnum CursorType, ado::LockTypeEnum LockType, int Options,
                            bool ConvOracle) {
    const auto conexion = ConexionActiva ? ConexionActiva : gCnn;
    StepRunner::run({[&] { CierraRecordset(Lrcs); },
                     [&] { SentenciaSQL = SS_TSinonimos(SentenciaSQL); },
                     [&] {
                         const QString sql =
                             esOracle() && ConvOracle ? ORACLE_Dicc(SentenciaSQL) : SentenciaSQL;
                         const ado::ProgramScope programa;
                         Lrcs.Open(sql, conexion, CursorType, LockType, Options);
                     }},
                    trataError(QStringLiteral("AbrirRecordset")));
}

void DB_Dll::CierraRecordset(ado::Recordset& LrcsTemp) {
    StepRunner::run({[&] {
                        if (LrcsTemp.State() != ado::adStateClosed)
                            LrcsTemp.Close();
                    }},
                    trataError(QStringLiteral("CierraRecordset")));
}

void DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, long* RecordsAffected) {
    const bool trans = contiene(SentenciaSQL, QStringLiteral("TRANS"));
    const auto avisoSinTransaccion = [&](ado::Errors& errores) {
        return !errores.isEmpty() && errores.Count() <= 2 && !trans &&
               errores.Item(0).NativeError == 8152;
    };
    const ado::ProgramScope programa;
    try {
        if (contiene(SentenciaSQL, QStringLiteral("DROP")) &&
            contiene(SentenciaSQL, QStringLiteral("CREATE")) &&
            !contiene(SentenciaSQL, QStringLiteral("DELETE")) &&
            !contiene(SentenciaSQL, QStringLiteral("@ADMIN_")))
            SentenciaSQL = SS_TSinonimos(SentenciaSQL);
        else
            SentenciaSQL =
                Utiles::SustituyeTexto(SentenciaSQL, QStringLiteral("@Admin_"), QString());

        if (esOracle()) {
            long local = 0;
            EjecutaScriptOracle(SentenciaSQL, RecordsAffected ? *RecordsAffected : local);
        } else {
            gCnn->Execute(SentenciaSQL, RecordsAffected, -1);
        }
        // A truncation warning left behind by a statement that ran is noise.
        if (avisoSinTransaccion(gCnn->errors()))
            gCnn->errors().Clear();
    } catch (...) {
        const q42::Error e = StepRunner::toError(std::current_exception());
        ado::Errors& errores = gCnn->errors();
        if (!errores.isEmpty() && !trans && errores.Item(0).NativeError == 8152) {
            errores.Clear();
            return;
        }
        static const qint32 silenciosos[] = {q42::err::E_Fail, q42::err::IntegrityViolation,
                                             q42::err::NoTable, q42::err::ErrorsInCommand};
        if (std::find(std::begin(silenciosos), std::end(silenciosos), e.number()) ==
                std::end(silenciosos) &&
            !trans)
            q42::MsgBox(e.description(), q42::vbOKOnly + q42::vbCritical,
                        QStringLiteral("Aviso al operador!!!"));
    }
}

bool DB_Dll::ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                           ado::Recordset* Lrcs, ado::DataTypeEnum Tipodato,
                           const QString& Condicion, bool SoloLectura) {
    return existe(*this, Variante::Existe, Tabla, ValorBuscado, Campo, Lrcs, Tipodato, Condicion,
                  SoloLectura);
}

bool DB_Dll::ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado,
                             const QString& Campo, ado::Recordset* Lrcs, ado::DataTypeEnum Tipodato,
                             const QString& Condicion, bool SoloLectura) {
    return existe(*this, Variante::ExisteST, Tabla, ValorBuscado, Campo, Lrcs, Tipodato, Condicion,
                  SoloLectura);
}

std::optional<QString> DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado,
                                          const QString& CampoDevuelto, const QString& Campo,
                                          ado::DataTypeEnum Tipodato, const QString& Condicion,
                                          bool UsaTrim) {
    QString sql;
    ado::Recordset rs;
    std::optional<QString> resultado;
    StepRunner::run(
        {[&] {
             sql = sentenciaDatos(Tabla, ValorBuscado, Campo, Tipodato, Condicion, UsaTrim, gMotor);
         },
         [&] { AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1); },
         [&] {
             resultado = rs.BOF() ? QString() : Utiles::ValorNoNuloTexto(rs.value(CampoDevuelto));
         },
         [&] { CierraRecordset(rs); }},
        avisoAlOperador);
    return resultado;
}

std::optional<double> DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo,
                                          std::optional<ado::DataTypeEnum>,
                                          std::optional<QString> Condicion) {
    const QString donde = Condicion ? QStringLiteral(" WHERE ") + Condicion->trimmed() : QString();
    return buscaAgregado(*this, Agregado::Maximo, QueTabla, QueCampo, donde);
}

std::optional<double> DB_Dll::BuscaMinimo(const QString& QueTabla, const QString& QueCampo,
                                          std::optional<ado::DataTypeEnum>,
                                          std::optional<QString> Condicion) {
    const QString donde = Condicion ? QStringLiteral(" WHERE ") + Condicion->trimmed() : QString();
    return buscaAgregado(*this, Agregado::Minimo, QueTabla, QueCampo, donde);
}

std::optional<double> DB_Dll::BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo,
                                                ado::DataTypeEnum, const QString& Condicion) {
    const QString donde =
        Condicion.trimmed().isEmpty() ? QString() : QStringLiteral(" WHERE ") + Condicion;
    return buscaAgregado(*this, Agregado::Ultimo, QueTabla, QueCampo, donde);
}
