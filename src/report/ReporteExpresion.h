#pragma once

// Arithmetic of a report's computed figures. An expression is made of
//   {Tabla.Columna}   a column of the printed row (null counts as 0)
//   Nombre            a computed figure defined earlier in the report
//   12.5              a number, with "." as decimal point
// joined by + - * / and parentheses, * and / binding tighter, left to right.
// Figures are four-decimal fixed point: * keeps four decimals (half to even);
// / divides in double precision and rounds the quotient to four decimals,
// so "W * E / 100" gives the same share of the milled wheat as the screen.

#include "core/Currency.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace q42::reporte {

// A reference to a row column: names as written in the definition.
struct RefCampo {
    QString tabla;
    QString columna;
};

// Reads "{Tabla.Columna}"; both parts must be plain identifiers.
bool leeRefCampo(const QString& texto, RefCampo* ref);
// Letters, digits and "_", not starting with a digit.
bool esIdentificador(const QString& texto);

class Expresion {
public:
    // Throws q42::Error describing the fault for a malformed text.
    static Expresion analiza(const QString& texto);

    struct Fuentes {
        std::function<Currency(const RefCampo&)> campo;
        std::function<Currency(const QString&)> calculo;
    };
    // Throws q42::Error for a division by zero or an overflow.
    Currency evalua(const Fuentes& fuentes) const;

    const std::vector<RefCampo>& campos() const { return m_campos; }
    const QStringList& calculos() const { return m_calculos; }
    const QString& texto() const { return m_texto; }

    struct Nodo;

private:
    QString m_texto;
    std::shared_ptr<const Nodo> m_raiz;
    std::vector<RefCampo> m_campos;
    QStringList m_calculos;
};

} // namespace q42::reporte
