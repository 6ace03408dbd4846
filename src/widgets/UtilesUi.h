#pragma once

// What the forms share on screen: the calendar, the standard set-up of a
// form, and the busy pointer (errors go through core/MsgBox.h).

#include "core/Error.h"

#include <QString>
#include <optional>

class QWidget;

namespace q42 {

class UtilesUi {
public:
    // Calendar dialog; the picked date as "dd/mm/yyyy", empty when cancelled.
    static QString EligeFecha(const QString& inicial = QString());
    static void PreparaFormulario(QWidget* formulario, int modo);
    // Busy pointer on or off.
    static void Espera(bool activa);
};

} // namespace q42
