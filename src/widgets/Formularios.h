#pragma once

// Form operations of the utility component. Bound entry boxes carry their
// column in the dynamic property "DataField" and their lookup key in "Tag".

#include <QList>
#include <QString>

class QLineEdit;
class QWidget;

namespace ado {
class Connection;
}

namespace q42 {

class Formularios {
public:
    static constexpr const char* DataField = "DataField";
    static constexpr const char* Tag = "Tag";
    // Set by PreparaCampos: the box holds a number; the box's typing limit.
    static constexpr const char* Numerico = "Numerico";
    static constexpr const char* LargoMaximo = "LargoMaximo";

    // Empties the bound boxes of the form; mode 1 keeps the period box.
    static void LimpiaFormulario(QWidget* formulario, int modo = 0);
    // Marks each box as number or text from its column's type in the table
    // and sets its typing limit (numbers 15 characters, text the column's
    // size). Text set by the program is never cut.
    static void PreparaCampos(const QList<QLineEdit*>& cajas, const QString& tabla,
                              ado::Connection* conexion);
    // Enter (13, Qt's Return and Enter) confirms a field.
    static bool EsTeclaConfirma(int codigoTecla);
    // Moves the focus on from the box to the next enabled box of its form.
    static void MueveFoco(QWidget* caja, int codigoTecla);
    // Filters one typed character for a box: false when it is discarded;
    // may change it (a "." typed in a number box becomes the regional
    // decimal separator).
    static bool FiltraTecla(QLineEdit* caja, QChar& caracter);
    // "<base>_<n>" (txtFields_3) names a member of an indexed family of
    // boxes: its base and index. False for any other name.
    static bool NombreIndexado(const QString& nombre, QString* base, int* indice);
    // Index of the box bound to the column (letter case ignored), -1 if none.
    static int IndiceCampo(const QString& campo, const QList<QLineEdit*>& cajas);
};

} // namespace q42
