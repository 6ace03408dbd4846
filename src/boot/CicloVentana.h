#pragma once

// What frames the life of the declaration window: its decoration when it
// loads, and the exit stamp in the business system's access log with the
// release of the shared objects when it closes.

#include <QDateTime>
#include <QString>

class QWidget;

// Icon (settings file "ZK000pr.INI", section "Iconos", key
// "IconoDelSistema", default "ICONQUARVEX"), the standard look and the
// style of the form's bars "PanelBar1" and "NavBar1". Never fails.
void ConfiguraFormulario(QWidget* Formulario);

// The statement that stamps the exit time on the open access record `id`.
QString SentenciaEgreso(const QDateTime& momento, qint32 id);

// Stamps the exit time on this program's open access record (gIdAcceso).
// A failure is told to the operator and never stops the close.
void RegistraEgreso();

// Exit stamp, then the lookup service and the database class are released
// (which closes the connection).
void FinalizaSistema();
