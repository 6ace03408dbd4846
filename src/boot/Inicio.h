#pragma once

// The program start: process-wide values of the startup module, the
// command-line reading and the opening of the connection.

#include <QString>

// Process-wide values, empty until IniciaSistema sets them.
extern QString gCarpetaAplicacion; // folder of the program, ending in a separator
extern QString gPerfil;            // "EQUIPO|USUARIO", at most 50 characters
extern double gFlatToolbars;       // toolbar style from ZK000pr.INI
extern QString gParametroAdicional;
extern QString gMenu;
extern QString gUsuarioLogeado;
extern QString gCaja;
extern QString gConnStringDsn; // data-source text for printing
extern qint32 gIdAcceso;       // ID of this program's access record

// Value of one "@Key=value;" entry of the parameter text: the first
// occurrence of the key in any letter case, up to the next ";" or the end,
// without any "=" and without blanks around it. `defecto` when the key is
// absent. Any length of text is handled.
QString ExtraeParametro(const QString& texto, const QString& clave,
                        const QString& defecto = QString());

// "protocol/host:port" gives "host"; a plain host name comes back as is.
QString ExtraeServidor(const QString& servidor);

// Writes the seven default lookup entries to the mask file named by the
// lookup service, after the records it may already hold.
void CreaMascarasConsultas();

// Runs the start with the parameter text of the command line. False when
// the operator gave up connecting: the program must end, with no message.
// With `consultasDespues` the lookup service's set-up and the mask-file
// check are left to PreparaConsultas, for the caller to run once its
// window is up; false when a failure ended them.
bool IniciaSistema(const QString& parametros, bool consultasDespues = false);
bool PreparaConsultas();
