#pragma once

// Text and number helpers the whole program relies on (Qt Core only: the
// dialogs and the busy cursor are in ui/UtilesUi.h, the date literals for
// the connected engine in DB_Dll).

#include "Currency.h"
#include "Error.h"

#include <QString>
#include <QVariant>

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
    // The number the text begins with, point as decimal separator and an
    // exponent allowed ("1", " 0.5x", "2e3"); 0 when it begins with none.
    static double ValorInicial(const QString& texto);
    // Cut or padded with blanks on the right to exactly `ancho` characters.
    static QString AjustaTexto(const QString& texto, int ancho);
    // "Enero" .. "Diciembre"; empty text outside 1..12.
    static QString NombreMes(int mes);
    // Last day of the month; February gives 29 in leap years (year 0: the
    // current year).
    static int UltimoDiaMes(int mes, int anio = 0);
    // The folder with a path separator at the end.
    static QString CarpetaConBarra(const QString& carpeta);
};

} // namespace q42
