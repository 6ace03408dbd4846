#include "Grabacion.h"

#include "DB_Dll.h"
#include "core/Conversiones.h"
#include "core/MsgBox.h"
#include "core/Regional.h"
#include "core/Utiles.h"

#include <QRegularExpression>

using q42::Utiles;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Spaces only, as the stored texts are padded with spaces.
QString sinBlancos(const QString& texto) {
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto.at(inicio) == QLatin1Char(' '))
        ++inicio;
    while (fin > inicio && texto.at(fin - 1) == QLatin1Char(' '))
        --fin;
    return texto.mid(inicio, fin - inicio);
}

// The number with "." as decimal point; a text that is no number is a value
// of the wrong type for the column, which the save error names.
QString numeroParaColumna(const QString& valor, const QString& campo, bool moneda) {
    try {
        const QVariant numero =
            moneda ? QVariant(Utiles::TextoANumero(valor).toText()) : QVariant(valor);
        return DB_Dll::SQLValue(numero, QStringLiteral("@"));
    } catch (const q42::Error& e) {
        if (e.number() != q42::err::TypeMismatch)
            throw;
        throw q42::Error(q42::err::WrongType,
                         QStringLiteral("El valor \"%1\" no es un número válido para el campo %2")
                             .arg(valor, campo),
                         QStringLiteral("AsignaCampo"));
    }
}

// A date (with its time when one follows) under the regional settings, or
// null.
QVariant fechaParaColumna(const QString& valor) {
    const auto fecha = q42::Regional::readDate(valor);
    if (!fecha)
        return QVariant();
    static const QRegularExpression hora(QStringLiteral("(\\d{1,2}):(\\d{2})(?::(\\d{2}))?"));
    const auto m = hora.match(valor);
    if (!m.hasMatch())
        return *fecha;
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return t.isValid() ? QVariant(QDateTime(*fecha, t)) : QVariant(*fecha);
}

QVariant textoParaColumna(const QString& valor, int tamanio) {
    // A column without a defined size takes the text whole.
    const QString guardado =
        (tamanio >= 30 || tamanio <= 0) ? sinBlancos(valor) : Utiles::AjustaTexto(valor, tamanio);
    if (sinBlancos(guardado).isEmpty())
        return QVariant();
    return guardado;
}

QString textoConversion(const QString& campo) {
    return QStringLiteral("Verifique las siguientes opciones: ") + kCrLf + kCrLf +
           QStringLiteral("1) Ha ingresado letras donde debe ingresar numeros") + kCrLf + kCrLf +
           QStringLiteral("2) Debe ingresar una fecha y el formato es incorrecto") + kCrLf + kCrLf +
           QStringLiteral("En el campo: ") + campo;
}

QString descripcionNativa(const ado::Error& e) {
    return QStringLiteral("Descripcion del Error: ") + QString::number(e.NativeError) +
           QStringLiteral(" - ") + e.Description;
}

int avisoCritico(const QString& texto, const QString& titulo) {
    return q42::MsgBox(texto, q42::vbOKOnly + q42::vbCritical, titulo);
}

} // namespace

void AsignaCampo(ado::Recordset& Registro, const QString& Campo, const QString& Valor) {
    const QString nombre = Utiles::QuitaCaracteres(Campo, QStringLiteral("[]"));
    ado::Field& campo = Registro.Fields(nombre);
    const int tipo = campo.Type();
    if (DB_Dll::ADOText(tipo))
        campo.setValue(textoParaColumna(Valor, campo.DefinedSize()));
    else if (DB_Dll::ADONumeric(tipo))
        campo.setValue(numeroParaColumna(Valor, nombre, false));
    else if (DB_Dll::ADOCurrency(tipo))
        campo.setValue(numeroParaColumna(Valor, nombre, true));
    else if (DB_Dll::ADOBoolean(tipo))
        campo.setValue(EsVerdadero(Valor));
    else if (DB_Dll::adodate(tipo))
        campo.setValue(fechaParaColumna(Valor));
    else
        campo.setValue(Valor);
}

int ErrorGrabacion(const q42::Error& Error, const QString& Campo) {
    if (Error.number() == q42::err::WrongType) {
        avisoCritico(textoConversion(Campo), QStringLiteral("Error en conversion de datos"));
        return 0;
    }
    ado::Errors& errores = DB_Dll::instance().gCnn->errors();
    if (!errores.isEmpty()) {
        const ado::Error primero = errores.Item(0);
        QString texto;
        QString titulo;
        switch (primero.NativeError) {
        case 1010:
            texto = textoConversion(Campo);
            titulo = QStringLiteral("Error en conversion de datos ");
            break;
        case 515:
            texto = descripcionNativa(primero);
            titulo = QStringLiteral("Error en conversion de datos - NULOS NO PERMITIDO");
            break;
        case 2627:
            texto = descripcionNativa(primero) + kCrLf + kCrLf +
                    QStringLiteral("La grabacion se ha cancelado... Cambie el campo principal e "
                                   "intente grabar nuevamente");
            titulo = QStringLiteral("Clave Duplicada");
            break;
        default:
            break;
        }
        if (!titulo.isEmpty()) {
            avisoCritico(texto, titulo);
            errores.Clear();
            return 0;
        }
    }
    const int respuesta = q42::TrataError(Error, std::nullopt, QStringLiteral("Actualizar Datos"));
    return (respuesta == q42::vbRetry || respuesta == q42::vbIgnore || respuesta == q42::vbAbort)
               ? respuesta
               : 0;
}
