#pragma once

// The company's settings, read by key from the business database's
// key-value table whenever a part needs one; only the keys the start reads
// are kept for the session (ConfiguracionInicial.h).

#include <QString>

// Name under which the table is addressed: empty at process start, upper
// case from the first look-up, lower case after the startup step.
extern QString gTablaConfiguracion;

// The setting's value ("" for a null value, a single blank for a missing
// key); ValorAux receives the auxiliary value.
QString Cfg(const QString& Clave, QString& ValorAux);
// For callers that do not need the auxiliary value.
QString Cfg(const QString& Clave);

// Startup step: later look-ups address the table in lower case.
void CargaConfiguracion();
