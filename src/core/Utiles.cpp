#include "Utiles.h"

#include <QDate>
#include <limits>

namespace q42 {

namespace {

const char* const kMeses[] = {"Enero",      "Febrero", "Marzo",     "Abril",
                              "Mayo",       "Junio",   "Julio",     "Agosto",
                              "Septiembre", "Octubre", "Noviembre", "Diciembre"};

} // namespace

Currency Utiles::TextoANumero(const QString& texto) {
    if (auto valor = Currency::parse(texto))
        return *valor;
    throw Error(err::TypeMismatch, QStringLiteral("No coinciden los tipos"),
                QStringLiteral("Utiles.TextoANumero"));
}

QVariant Utiles::ValorNoNulo(const QVariant& valor) {
    if (!valor.isValid() || valor.isNull())
        return QString();
    return valor;
}

QString Utiles::ValorNoNuloTexto(const QVariant& valor) {
    return ValorNoNulo(valor).toString();
}

QString Utiles::QuitaCaracteres(const QString& texto, const QString& caracteres) {
    QString out;
    out.reserve(texto.size());
    for (QChar c : texto)
        if (!caracteres.contains(c))
            out += c;
    return out;
}

// QString::replace with an empty search text inserts between every
// character; an empty search means "nothing to replace" here.
QString Utiles::Reemplaza(const QString& texto, const QString& busca, const QString& pone) {
    if (busca.isEmpty())
        return texto;
    return QString(texto).replace(busca, pone, Qt::CaseSensitive);
}

QString Utiles::SustituyeTexto(const QString& texto, const QString& busca, const QString& pone) {
    if (busca.isEmpty())
        return texto;
    return QString(texto).replace(busca, pone, Qt::CaseInsensitive);
}

int Utiles::CuentaPalabras(const QString& texto) {
    int palabras = 0;
    bool dentro = false;
    for (QChar c : texto) {
        const bool blanco = c.isSpace() || c.isNull();
        if (!blanco && !dentro)
            ++palabras;
        dentro = !blanco;
    }
    return palabras;
}

qint64 Utiles::TextoAEntero(const QString& texto) {
    const QString t = texto.trimmed();
    int i = 0;
    bool negativo = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negativo = t[i++] == QLatin1Char('-');
    qint64 valor = 0;
    constexpr qint64 tope = std::numeric_limits<qint64>::max();
    for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i) {
        const int digito = t[i].unicode() - '0';
        if (valor > (tope - digito) / 10)
            throw Error(err::Overflow, QStringLiteral("Desbordamiento"),
                        QStringLiteral("Utiles.TextoAEntero"));
        valor = valor * 10 + digito;
    }
    return negativo ? -valor : valor;
}

double Utiles::ValorInicial(const QString& texto) {
    const auto digito = [&texto](qsizetype i) {
        return i < texto.size() && texto[i] >= QLatin1Char('0') && texto[i] <= QLatin1Char('9');
    };
    const auto digitos = [&](qsizetype i) {
        while (digito(i))
            ++i;
        return i;
    };
    qsizetype inicio = 0;
    while (inicio < texto.size() && texto[inicio].isSpace())
        ++inicio;
    qsizetype i = inicio;
    if (i < texto.size() && (texto[i] == QLatin1Char('+') || texto[i] == QLatin1Char('-')))
        ++i;
    const qsizetype enteros = i;
    i = digitos(i);
    bool cifras = i > enteros;
    if (i < texto.size() && texto[i] == QLatin1Char('.') && (cifras || digito(i + 1))) {
        cifras = true;
        i = digitos(i + 1);
    }
    if (!cifras)
        return 0.0;
    // An exponent counts only with its digits: "2e" is 2.
    if (i < texto.size() && (texto[i] == QLatin1Char('e') || texto[i] == QLatin1Char('E'))) {
        qsizetype e = i + 1;
        if (e < texto.size() && (texto[e] == QLatin1Char('+') || texto[e] == QLatin1Char('-')))
            ++e;
        if (digito(e))
            i = digitos(e);
    }
    return QStringView(texto).mid(inicio, i - inicio).toDouble();
}

QString Utiles::AjustaTexto(const QString& texto, int ancho) {
    if (ancho <= 0)
        return QString();
    return texto.left(ancho).leftJustified(ancho, QLatin1Char(' '));
}

QString Utiles::NombreMes(int mes) {
    if (mes < 1 || mes > 12)
        return QString();
    return QString::fromLatin1(kMeses[mes - 1]);
}

int Utiles::UltimoDiaMes(int mes, int anio) {
    if (mes < 1 || mes > 12)
        throw Error(err::InvalidProcedureCall,
                    QStringLiteral("Llamada a procedimiento no válida: mes %1").arg(mes),
                    QStringLiteral("Utiles.UltimoDiaMes"));
    if (anio == 0)
        anio = QDate::currentDate().year();
    return QDate(anio, mes, 1).daysInMonth();
}

QString Utiles::CarpetaConBarra(const QString& carpeta) {
    if (carpeta.isEmpty())
        return carpeta;
    if (carpeta.endsWith(QLatin1Char('/')) || carpeta.endsWith(QLatin1Char('\\')))
        return carpeta;
    // Keep the separator style the folder already uses.
    const bool windows = carpeta.contains(QLatin1Char('\\')) && !carpeta.contains(QLatin1Char('/'));
    return carpeta + (windows ? QLatin1Char('\\') : QLatin1Char('/'));
}

} // namespace q42
