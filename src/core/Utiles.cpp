#include "Utiles.h"

#include <QDate>
#include <cctype>
#include <charconv>
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
    // std::from_chars takes no blanks and no "+", and would read "inf" and
    // "nan": a number here starts with a digit or a point.
    const QByteArray t = texto.trimmed().toUtf8();
    qsizetype i = 0;
    const bool negativo = t.startsWith('-');
    if (negativo || t.startsWith('+'))
        ++i;
    if (i >= t.size() || !(std::isdigit(static_cast<unsigned char>(t[i])) || t[i] == '.'))
        return 0.0;
    double valor = 0.0;
    if (std::from_chars(t.constData() + i, t.constData() + t.size(), valor).ec != std::errc())
        return 0.0;
    return negativo ? -valor : valor;
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
