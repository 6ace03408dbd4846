#pragma once

// What differs between operating systems, in one place: everything else in
// the program is portable Qt and standard C++.

#include <QString>

namespace q42::plataforma {

// true when this process may write into the folder (the kernel's answer
// where there is one: it also knows read-only mounts); writes nothing.
bool puedeEscribir(const QString& carpeta);

// The account the process runs under as the system names it; empty when
// the system gives none.
QString usuarioDelSistema();

// The file of the ODBC driver manager, loaded on the first ODBC connection.
// Q42_ODBC_BIBLIOTECA, when set, names another one.
QString bibliotecaOdbc();

} // namespace q42::plataforma
