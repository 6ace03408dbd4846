#include "Conversiones.h"

#include "Currency.h"
#include "Utiles.h"

#include <QStringList>

QString FmtMoneda(const QString& Valor, int Decimales) {
    const int decimales = qMax(Decimales, 0);
    // Four decimals is all the number holds; further places are zeros.
    QString texto = q42::Utiles::TextoANumero(Valor).toFixed(qMin(decimales, 4));
    if (decimales > 4)
        texto += QString(decimales - 4, QLatin1Char('0'));
    return texto;
}

bool EsVerdadero(const QString& Texto) {
    static const QStringList falsos{QStringLiteral("FALSE"), QStringLiteral("FALSO"),
                                    QStringLiteral("0"), QStringLiteral("NO"), QStringLiteral("N")};
    return !falsos.contains(Texto, Qt::CaseInsensitive);
}

QString FormatoFecha() {
    return QStringLiteral("dd/mm/yy");
}

QString FormatoHora() {
    return QStringLiteral("hh:mm");
}
