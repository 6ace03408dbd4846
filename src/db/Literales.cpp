// How values and object names are written for the database: the column
// type classes, SQL literals and the name helpers.

#include "DB_Dll.h"

#include "core/Regional.h"
#include "core/Utiles.h"

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <array>

namespace {

constexpr std::array kFecha{7, 64, 133, 134, 135, 137};
constexpr std::array kTexto{8, 129, 130, 200, 201, 202, 203};
constexpr std::array kNumero{2, 3, 4, 5, 14, 16, 17, 18, 19, 20, 21, 131};

template <std::size_t N> bool en(const std::array<int, N>& codigos, int tipo) {
    return std::find(codigos.begin(), codigos.end(), tipo) != codigos.end();
}

[[noreturn]] void argumentoInvalido(const QString& rutina) {
    throw q42::Error(q42::err::InvalidProcedureCall,
                     QStringLiteral("Llamada a procedimiento o argumento no válido"),
                     QStringLiteral("DB_Dll.") + rutina);
}

bool esNulo(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

// The value as the operator would read it: numbers with the regional
// decimal separator, dates day first, true as -1.
QString textoDe(const QVariant& v) {
    if (esNulo(v))
        return QString();
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(v.toDouble(), 'g', 15)
            .replace(QLatin1Char('.'), q42::Regional::decimalSeparator());
    case QMetaType::QDate:
        return q42::Regional::shortDate(v.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (dt.time() == QTime(0, 0))
            return q42::Regional::shortDate(dt.date());
        return q42::Regional::format(dt, QStringLiteral("dd/mm/yyyy hh:nn:ss"));
    }
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
    default:
        return v.toString();
    }
}

q42::Error noEsFecha(const QString& texto) {
    return q42::Error(
        q42::err::TypeMismatch,
        QStringLiteral("No coinciden los tipos: \"%1\" no es una fecha").arg(texto.trimmed()),
        QStringLiteral("DB_Dll.FechaSQL"));
}

} // namespace

bool DB_Dll::adodate(int Qtype) {
    return en(kFecha, Qtype);
}
bool DB_Dll::ADOText(int Qtype) {
    return en(kTexto, Qtype);
}
bool DB_Dll::ADONumeric(int Qtype) {
    return en(kNumero, Qtype);
}
bool DB_Dll::ADOCurrency(int Qtype) {
    return Qtype == ado::adCurrency;
}
bool DB_Dll::ADOBoolean(int Qtype) {
    return Qtype == ado::adBoolean;
}

QString DB_Dll::ADOComilla(int Qtype) {
    return adodate(Qtype) || ADOText(Qtype) ? QStringLiteral("'") : QString();
}

QString DB_Dll::SQLValue(const QVariant& Valor, const QString& Tipo) {
    QString valor = textoDe(Valor);
    QString delimitador;
    if (Tipo == QLatin1String("@"))
        valor = q42::Utiles::TextoANumero(valor).toSqlText();
    if (Tipo == QLatin1String("'"))
        delimitador = QStringLiteral("'");
    if (esNulo(Valor) && Tipo != QLatin1String("@")) {
        valor = QStringLiteral("NULL");
        delimitador.clear();
    }
    return delimitador + valor + delimitador;
}

QString DB_Dll::Comillas(const QString& texto) {
    return QLatin1Char('\'') + QString(texto).replace(QLatin1Char('\''), QLatin1String("''")) +
           QLatin1Char('\'');
}

QString DB_Dll::FechaSQL(const QString& fecha, ado::Engine motor) {
    const auto leida = q42::Regional::readFullDate(fecha);
    if (!leida)
        throw noEsFecha(fecha);
    return FechaHoraSQL(QDateTime(*leida, QTime(0, 0)), motor);
}

// SQLite gets the SQL Server form too: the layer adapts it like any T-SQL.
QString DB_Dll::FechaHoraSQL(const QDateTime& momento, ado::Engine motor) {
    const QString texto = momento.toString(u"yyyy-MM-dd HH:mm:ss");
    if (motor == ado::Engine::Oracle)
        return QStringLiteral("TO_DATE('%1', 'YYYY-MM-DD HH24:MI:SS')").arg(texto);
    const int ms = momento.time().msec();
    if (ms != 0)
        return QStringLiteral("CONVERT(datetime, '%1.%2', 121)")
            .arg(texto)
            .arg(ms, 3, 10, QLatin1Char('0'));
    return QStringLiteral("CONVERT(datetime, '%1', 120)").arg(texto);
}

// SQL Server's datetime stops at .997 within a second; Oracle's DATE at the
// second.
QString DB_Dll::FinDiaSQL(const QString& fecha, ado::Engine motor) {
    const auto leida = q42::Regional::readFullDate(fecha);
    if (!leida)
        throw noEsFecha(fecha);
    return FechaHoraSQL(QDateTime(*leida, QTime(23, 59, 59, 997)), motor);
}

QString DB_Dll::AddBrackets(const QString& rObjName) {
    if (!rObjName.startsWith(QLatin1Char('[')) && rObjName.contains(QLatin1Char(' ')))
        return QLatin1Char('[') + rObjName + QLatin1Char(']');
    return rObjName;
}

QString DB_Dll::StripBrackets(const QString& rsObjName) {
    if (!rsObjName.startsWith(QLatin1Char('[')))
        return rsObjName;
    if (rsObjName.size() < 2)
        argumentoInvalido(QStringLiteral("StripBrackets"));
    // The last character goes whatever it is.
    return rsObjName.mid(1, rsObjName.size() - 2);
}

QString DB_Dll::StripOwner(QString& rsTblName) {
    const qsizetype punto = rsTblName.indexOf(QLatin1Char('.'));
    if (punto >= 0)
        rsTblName = rsTblName.mid(punto + 1);
    return rsTblName;
}

QString DB_Dll::StripConnect(const QString& rsTblName) {
    const qsizetype flecha = rsTblName.indexOf(QLatin1String("->"));
    if (flecha < 0)
        return rsTblName;
    if (flecha == 0)
        argumentoInvalido(QStringLiteral("StripConnect"));
    // Drops the blank that separates the name from the arrow.
    return rsTblName.left(flecha - 1);
}

QString DB_Dll::StripFileName(const QString& rsFileName) {
    const qsizetype barra = rsFileName.lastIndexOf(QLatin1Char('\\'));
    return barra < 0 ? QString() : rsFileName.left(barra);
}

QString DB_Dll::stSTF(QString& rsName, int rnPart) {
    const qsizetype punto = rsName.indexOf(QLatin1Char('.'));
    const bool dosPuntos = punto >= 0 && rsName.indexOf(QLatin1Char('.'), punto + 1) >= 0;
    if (dosPuntos)
        return StripOwner(rsName);
    if (rnPart != 0)
        return punto < 0 ? rsName : rsName.mid(punto + 1);
    if (punto < 0)
        argumentoInvalido(QStringLiteral("stSTF"));
    return rsName.left(punto);
}
