#pragma once

// What the forms share on screen: the calendar, the standard set-up of a
// form, the busy pointer and the error dialog.

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
    // The error dialog: shows number, description and source with the
    // given buttons (Abort/Retry/Ignore when omitted) and returns the
    // operator's answer (4 retry, 5 ignore, 3 abort ...).
    static int TrataError(const Error& error, std::optional<int> botones = std::nullopt,
                          const QString& rutina = QString());
};

} // namespace q42
