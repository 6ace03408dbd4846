#pragma once

#include <QString>

// Resolves the description, key and secondary columns of a code table by
// its name and, with Mostrar, lets the operator pick a row: CampoClave then
// holds the chosen key (empty when nothing was chosen).
void DefinirConsulta(const QString& Tabla, QString& CampoDescripcion, QString& CampoClave,
                     QString& CampoAdicional, bool Mostrar, const QString& Condicion);
