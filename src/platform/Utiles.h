#pragma once

// The form utility component: small operations the whole program relies on.

#include "Currency.h"
#include "Error.h"
#include "ado/Ado.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

class QWidget;

namespace q42 {

class Utiles {
public:
    // Text to a four-decimal number under the regional settings; blank text
    // is 0; a text that is no number throws Error(13).
    static Currency TextoANumero(const QString& texto);
    // Null (or an invalid variant) becomes the empty text; anything else as is.
    static QVariant ValorNoNulo(const QVariant& valor);
    static QString ValorNoNuloTexto(const QVariant& valor);
    // The text without any occurrence of the given characters.
    static QString QuitaCaracteres(const QString& texto, const QString& caracteres);
    // Every occurrence replaced, letter case respected.
    static QString Reemplaza(const QString& texto, const QString& busca, const QString& pone);
    // Every occurrence replaced, letter case ignored.
    static QString SustituyeTexto(const QString& texto, const QString& busca, const QString& pone);
    // Words separated by blanks, tabs or line breaks.
    static int CuentaPalabras(const QString& texto);
    // The whole number the text begins with (after blanks and a sign); 0
    // when there is none.
    static qint64 TextoAEntero(const QString& texto);
    // Cut or padded with blanks on the right to exactly `ancho` characters.
    static QString AjustaTexto(const QString& texto, int ancho);
    // "Enero" .. "Diciembre"; empty text outside 1..12.
    static QString NombreMes(int mes);
    // Last day of the month; February gives 29 in leap years (year 0: the
    // current year).
    static int UltimoDiaMes(int mes, int anio = 0);
    // A "dd/mm/yyyy" text as an expression that the connected engine
    // compares correctly with a date column. Throws Error(13) for a text
    // that is no date.
    static QString FechaSQL(const QString& fecha);
    static QString FechaSQL(const QString& fecha, ado::Engine motor);
    // A moment as a literal every engine reads the same whatever its language
    // or date settings: SQL Server CONVERT(datetime, 'yyyy-mm-dd hh:mi:ss', 120)
    // (121 with milliseconds), Oracle TO_DATE('yyyy-mm-dd hh24:mi:ss',
    // 'YYYY-MM-DD HH24:MI:SS'). Every date or time the program writes into a
    // statement comes from here.
    static QString FechaHoraSQL(const QDateTime& momento, ado::Engine motor);
    static QString FechaHoraSQL(const QDateTime& momento);
    // The last instant of the day a text names (for "<=" up to that day).
    static QString FinDiaSQL(const QString& fecha);
    static void setMotor(ado::Engine motor);
    static ado::Engine motor();
    // Calendar dialog; the picked date as "dd/mm/yyyy", empty when cancelled.
    static QString EligeFecha(const QString& inicial = QString());
    // The folder with a path separator at the end.
    static QString CarpetaConBarra(const QString& carpeta);
    static void PreparaFormulario(QWidget* formulario, int modo);
    // Busy pointer on or off.
    static void Espera(bool activa);
    // The error dialog: shows number, description and source with the
    // given buttons (Abort/Retry/Ignore when omitted) and returns the
    // operator's answer (4 retry, 5 ignore, 3 abort ...).
    static int TrataError(const Error& error, std::optional<int> botones = std::nullopt,
                          const QString& rutina = QString());
};

} // namespace q42
