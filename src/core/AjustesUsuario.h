#pragma once

// The program's per-user settings (window places, column widths): an INI
// file in the user's configuration folder, the same on every platform.

#include <QSettings>

namespace q42 {

class AjustesUsuario : public QSettings {
public:
    AjustesUsuario()
        : QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Q42"),
                    QStringLiteral("q42")) {}
};

} // namespace q42
