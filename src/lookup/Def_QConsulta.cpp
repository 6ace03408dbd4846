// The columns of the business database's code tables, known by the table's
// name: an ordered table of rules, the first that matches deciding. Names
// are compared whole, or by their first characters for whole groups of
// tables; letter case is ignored throughout.

#include "Def_QConsulta.h"

#include "Lib_ClsCons3.h"

#include <vector>

namespace {

enum class Prueba {
    Nombre, // one of the names, whole
    Prefijo // the name begins with one of the texts
};

// A key derived from the name: "ID" + the name after its first `resto`
// characters, as the caller spelled it, less a final S when `quitaS`.
struct Derivada {
    int resto = 0;
    bool quitaS = true;
};

struct Regla {
    Prueba prueba;
    std::vector<const char*> nombres;
    const char* descripcion;
    const char* clave; // nullptr: derived
    Derivada derivada;
    const char* adicional;
};

constexpr Derivada kSinDerivar{};
constexpr Derivada kVTA{5, true};    // after "V_TA_"
constexpr Derivada kP{5, true};      // after "P_TA_" or "P_MA_"
constexpr Derivada kPConS{5, false}; // the same, keeping a final S
constexpr Derivada kTA{3, true};     // after "TA_"
constexpr Derivada kVMA{5, true};    // after "V_MA_"
constexpr Derivada kMA{3, true};     // after "MA_"

// clang-format off
const Regla kReglas[] = {
    {Prueba::Nombre, {"V_TA_RETENCIONES"}, "Descripcion", "IdRetencion", kSinDerivar, ""},
    // The view has no column of its own name; its code is the key.
    {Prueba::Nombre, {"V_TA_Cpte"}, "Descripcion", "CODIGO", kSinDerivar, ""},
    // The V_TA_ family, its exceptions first.
    {Prueba::Nombre, {"V_TA_Tecnicos"}, "NOMBRE", nullptr, kVTA, ""},
    {Prueba::Nombre, {"V_TA_CPRA_VTA"}, "DESCRIPCION", "IDCOND_CPRA_VTA", kSinDerivar, ""},
    {Prueba::Nombre, {"V_TA_TipoArticulo"}, "DESCRIPCION", "IDTIPO", kSinDerivar, ""},
    {Prueba::Nombre,
     {"V_TA_Bancos", "V_TA_MotivoVta", "V_TA_MotivoCpra", "V_TA_Deposito", "V_TA_Tareas",
      "V_TA_Unidad", "V_TA_Rubros", "V_TA_MotivoStock", "V_TA_CATEGORIA", "V_TA_DESTINO",
      "V_TA_ORIGEN"},
     "DESCRIPCION", nullptr, kVTA, ""},
    // The P_ family, its exceptions first.
    {Prueba::Nombre, {"P_MA_Empresas"}, "NombreEmpresa", nullptr, kP, ""},
    {Prueba::Nombre, {"P_TA_Areas"}, "Descripcion", nullptr, kPConS, ""},
    {Prueba::Nombre,
     {"P_TA_NIVELESTUDIO", "P_TA_CONOCIMIENTOS", "P_TA_Categorizacion", "P_TA_CentroMedico",
      "P_TA_FormasDePago", "P_TA_ZONARESIDENCIA", "P_TA_ObraSocial", "P_TA_MotivoEgreso",
      "P_TA_Grupos", "P_TA_EstadoBusqueda", "P_TA_IDIOMAS", "P_TA_TITULOs",
      "P_TA_ESTADOPOSTULANTE", "P_TA_Parentesco", "P_TA_EstadoCivil"},
     "Descripcion", nullptr, kP, ""},
    {Prueba::Nombre, {"P_SINDICATOS"}, "Descripcion", "IdSindicato", kSinDerivar, ""},
    {Prueba::Nombre, {"P_TA_Funciones"}, "DESCRIPCION", nullptr, kPConS, ""},
    // The TA_ family, its exception first.
    {Prueba::Nombre, {"TA_TipoArticulo"}, "DESCRIPCION", "IDTIPO", kSinDerivar, ""},
    {Prueba::Nombre, {"TA_Categoria", "TA_Deposito", "TA_MotivoStock", "TA_Rubros"},
     "DESCRIPCION", nullptr, kTA, ""},
    {Prueba::Nombre, {"P_MA_Clientes"}, "RAZON_SOCIAL", "IDCLIENTE", kSinDerivar, ""},
    {Prueba::Nombre, {"TA_Cpte"}, "DESCRIPCION", "CODIGO", kSinDerivar, "DESCRIPCION"},
    {Prueba::Nombre, {"V_MA_ARTICULOS"}, "DESCRIPCION", nullptr, kVMA, "DESCRIPCION"},
    {Prueba::Nombre, {"MA_ARTICULOS"}, "DESCRIPCION", nullptr, kMA, "DESCRIPCION"},
    {Prueba::Nombre, {"MA_MODELOS"}, "NOMBRE", "NOMBRE", kSinDerivar, "NOMBRE"},
    {Prueba::Nombre, {"MA_CHOFERES"}, "APELLIDO", "CODIGO", kSinDerivar, "NOMBRES"},
    {Prueba::Nombre, {"MA_DESTINATARIOS"}, "NOMBRE", "CODIGO", kSinDerivar, "NOMBRE"},
    {Prueba::Nombre, {"MA_VEHICULOS"}, "PATENTE", "PATENTE", kSinDerivar, "MODELO"},
    {Prueba::Nombre, {"MV_EJERCICIOS"}, "DESCRIPCION", "PERIODO", kSinDerivar, "DESCRIPCION"},
    {Prueba::Nombre, {"V_MV_REPARTO"}, "IDCOMPLEMENTO", "IDREPARTO", kSinDerivar, "FECHA"},
    {Prueba::Nombre, {"TA_USUARIOS"}, "NOMBRE", "NOMBRE", kSinDerivar, ""},
    {Prueba::Nombre, {"V_MA_PRECIOSCAB"}, "NOMBRE", "IDLISTA", kSinDerivar, ""},
    // Whole groups of tables by their first characters.
    {Prueba::Prefijo, {"TA_"}, "DESCRIPCION", "CODIGO", kSinDerivar, "DESCRIPCION"},
    {Prueba::Prefijo, {"MA_PRO", "MA_VEN", "MA_TRA", "MA_CON", "MA_AGE"}, "Razon_Social", "Codigo",
     kSinDerivar, "Razon_Social"},
    {Prueba::Prefijo, {"MA_CLI"}, "Razon_Social", "Codigo", kSinDerivar, "Codigo_sucursal"},
    {Prueba::Prefijo, {"MA_"}, "Descripcion", "Codigo", kSinDerivar, "Descripcion"},
    {Prueba::Prefijo, {"[MA_CA"}, "nombre", "Codigo", kSinDerivar, "nombre"},
    {Prueba::Prefijo, {"MV_PRO"}, "ASUNTO", "ID", kSinDerivar, "ASUNTO"},
};
// clang-format on

bool coincide(const Regla& r, const QString& tabla) {
    for (const char* n : r.nombres) {
        const QLatin1String texto(n);
        const bool si = r.prueba == Prueba::Nombre ? tabla.compare(texto, Qt::CaseInsensitive) == 0
                                                   : tabla.startsWith(texto, Qt::CaseInsensitive);
        if (si)
            return true;
    }
    return false;
}

QString claveDerivada(const QString& tabla, Derivada d) {
    QString clave = QStringLiteral("ID") + tabla.mid(d.resto);
    if (d.quitaS && clave.endsWith(QLatin1Char('S'), Qt::CaseInsensitive))
        clave.chop(1);
    return clave;
}

} // namespace

void DefinirConsulta(const QString& Tabla, QString& CampoDescripcion, QString& CampoClave,
                     QString& CampoAdicional, bool Mostrar, const QString& Condicion) {
    for (const Regla& r : kReglas) {
        if (!coincide(r, Tabla))
            continue;
        CampoDescripcion = QLatin1String(r.descripcion);
        CampoClave = r.clave ? QString(QLatin1String(r.clave)) : claveDerivada(Tabla, r.derivada);
        CampoAdicional = QLatin1String(r.adicional);
        break;
    }
    if (!Mostrar)
        return;

    Lib_ClsCons3& consultas = Lib_ClsCons3::instance();
    consultas.CampoDevuelto = CampoClave;
    // A table no rule knows and no column named: its own columns, as a
    // lookup without a mask entry shows them; never "select , from".
    QStringList columnas;
    for (const QString& c : {CampoDescripcion, CampoClave})
        if (!c.trimmed().isEmpty())
            columnas << c;
    QString sql;
    if (!columnas.isEmpty())
        sql = QStringLiteral("select ") + columnas.join(QLatin1Char(',')) +
              QStringLiteral(" from ") + Tabla + QLatin1Char(' ') + Condicion;
    else if (Condicion.trimmed().isEmpty())
        sql = Tabla.trimmed();
    else
        sql = QStringLiteral("select * from ") + Tabla + QLatin1Char(' ') + Condicion;
    QString clave, busqueda, donde, opcional, valores;
    consultas.ConsultaSearch(sql, nullptr, &clave, &busqueda, &donde, &opcional, false, &valores);
    const QString valor = consultas.ValorDevuelto.toString();
    CampoClave = valor.isEmpty() ? QString() : valor;
}
