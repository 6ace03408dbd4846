#include "demo/DemoSchema.h"

#include "demo/DemoSqlite.h"

#include <stdexcept>

namespace demo {

namespace {

// Family tables of the code lookups: key column and description only.
#define CODES(name, key)                                                                           \
    { name, key " nvarchar(10), DESCRIPCION nvarchar(60)", key }

const std::vector<TableDef> kTables = {
    {"TA_CONFIGURACION", "CLAVE nvarchar(50), VALOR nvarchar(255), VALORAUX nvarchar(255)",
     "CLAVE"},
    {"TA_USUARIOS",
     "nombre nvarchar(50), NombreCompleto nvarchar(100), Administrador smallint, "
     "Email nvarchar(100)",
     "nombre"},
    {"CONTROL_ACCESO",
     "ID int, USUARIO nvarchar(50), EQUIPO nvarchar(50), SISTEMA nvarchar(20), "
     "INGRESO datetime, EGRESO datetime",
     "ID"},
    // Stock movements: quantities signed (out negative), in the movement's unit.
    {"V_MV_Stock",
     "ID INTEGER, FECHA datetime, TC nvarchar(10), NUMERO int, IDArticulo nvarchar(25), "
     "CantidadUD REAL, IdUnidadBase nvarchar(10), IdDeposito nvarchar(10), "
     "IdCliente nvarchar(10), Anulado smallint",
     "ID"},
    {"TA_Cpte",
     "CODIGO nvarchar(10), DESCRIPCION nvarchar(60), SISTEMA nvarchar(20), SIGNO smallint",
     "CODIGO"},
    {"S_TA_EQUIV",
     "IDARTICULO nvarchar(25), IDUNIDAD nvarchar(10), IDUNIDAD_EQUIV nvarchar(10), "
     "COEFICIENTE REAL",
     "IDARTICULO, IDUNIDAD, IDUNIDAD_EQUIV"},
    {"MA_ARTICULOS",
     "IDARTICULO nvarchar(25), DESCRIPCION nvarchar(100), IDFAMILIA nvarchar(10), "
     "IDRUBRO nvarchar(10), IDTIPO nvarchar(10), IDUNIDAD nvarchar(10), PUNTOPEDIDO REAL, "
     "Stock REAL, PRECIO1 money, PRECIO2 money, PRECIO3 money, PRECIO4 money, "
     "PRECIO5 money, PRECIO6 money, PRECIO7 money, PRECIO8 money, SUSPENDIDO smallint, "
     "Dada_De_Baja smallint",
     "IDARTICULO"},
    {"MA_CLIENTES",
     "CODIGO nvarchar(10), CODIGO_SUCURSAL nvarchar(10), RAZON_SOCIAL nvarchar(100), "
     "CONTACTO nvarchar(60), CUIT nvarchar(13), DOMICILIO nvarchar(100), "
     "LOCALIDAD nvarchar(60), PROVINCIA nvarchar(40), TELEFONO nvarchar(30), "
     "IDVENDEDOR nvarchar(10), Dada_De_Baja smallint",
     "CODIGO"},
    {"MA_PROVEEDORES",
     "CODIGO nvarchar(10), RAZON_SOCIAL nvarchar(100), CONTACTO nvarchar(60), "
     "CUIT nvarchar(13), DOMICILIO nvarchar(100), LOCALIDAD nvarchar(60), "
     "PROVINCIA nvarchar(40), TELEFONO nvarchar(30), Dada_De_Baja smallint",
     "CODIGO"},
    {"MA_TRANSPORTES",
     "CODIGO nvarchar(10), RAZON_SOCIAL nvarchar(100), CUIT nvarchar(13), "
     "TELEFONO nvarchar(30)",
     "CODIGO"},
    {"MA_CONTACTOS",
     "CODIGO nvarchar(10), RAZON_SOCIAL nvarchar(100), Nombre_y_Apellido nvarchar(100), "
     "Domicilio nvarchar(100), Localidad nvarchar(60), Telefono nvarchar(30), "
     "Email nvarchar(100)",
     "CODIGO"},
    {"V_TA_VENDEDORES",
     "IDVENDEDOR nvarchar(10), NOMBRE nvarchar(60), ZONA nvarchar(40), COMISION REAL, "
     "Dada_De_Baja smallint",
     "IDVENDEDOR"},
    {"V_TA_TECNICOS",
     "IDTECNICO nvarchar(10), NOMBRE nvarchar(60), ESPECIALIDAD nvarchar(60), "
     "TELEFONO nvarchar(30)",
     "IDTECNICO"},
    {"V_MA_MANTENIMIENTOS",
     "CODIGO nvarchar(10), DESCRIPCION nvarchar(100), IDTECNICO nvarchar(10), "
     "IDPOSICION nvarchar(10), FRECUENCIA_DIAS int, ULTIMA datetime",
     "CODIGO"},
    {"V_MV_FALTANTES",
     "ID INTEGER, FechaHora datetime, IdArticulo nvarchar(25), Descripcion nvarchar(100), "
     "Usuario nvarchar(50)",
     "ID"},
    // Trees: a longer code lies below the shorter one it extends.
    {"V_TA_FAMILIAS", "IDFAMILIA nvarchar(10), DESCRIPCION nvarchar(60), Restringido smallint",
     "IDFAMILIA"},
    {"MA_POSICIONES", "IDPOSICION nvarchar(10), DESCRIPCION nvarchar(60)", "IDPOSICION"},
    {"TA_CCOSTO", "CODIGO nvarchar(10), DESCRIPCION nvarchar(60)", "CODIGO"},
    // Code tables named by the default lookup definitions.
    CODES("V_TA_Bancos", "IDBanco"),
    CODES("V_TA_MotivoVta", "IDMotivoVta"),
    CODES("V_TA_MotivoCpra", "IDMotivoCpra"),
    {"V_TA_Deposito", "IDDeposito nvarchar(10), DESCRIPCION nvarchar(60), Restringido smallint",
     "IDDeposito"},
    CODES("V_TA_Tareas", "IDTarea"),
    CODES("V_TA_Unidad", "IDUnidad"),
    CODES("V_TA_TipoArticulo", "IDTIPO"),
    CODES("V_TA_Rubros", "IDRubro"),
    CODES("V_TA_MotivoStock", "IDMotivoStock"),
    CODES("V_TA_CPRA_VTA", "IDCOND_CPRA_VTA"),
    CODES("V_TA_CATEGORIA", "IDCATEGORIA"),
    CODES("V_TA_DESTINO", "IDDESTINO"),
    CODES("V_TA_ORIGEN", "IDORIGEN"),
    {"V_TA_RETENCIONES", "IdRetencion nvarchar(10), Descripcion nvarchar(60), PORCENTAJE REAL",
     "IdRetencion"},
    CODES("TA_Categoria", "IDCategoria"),
    CODES("TA_Deposito", "IDDeposito"),
    CODES("TA_MotivoStock", "IDMotivoStock"),
    CODES("TA_TipoArticulo", "IDTIPO"),
    CODES("TA_Rubros", "IDRubro"),
    CODES("TA_CPRA_VTA", "CODIGO"),
    {"TA_MONEDAS", "ID int, CODIGO nvarchar(10), DESCRIPCION nvarchar(60), PRECIO money", "ID"},
    {"MA_RUBROS", "CODIGO nvarchar(10), DESCRIPCION nvarchar(60)", "CODIGO"},
    {"MA_MODELOS", "NOMBRE nvarchar(60), MARCA nvarchar(60)", "NOMBRE"},
    {"MA_CHOFERES",
     "CODIGO nvarchar(10), APELLIDO nvarchar(60), NOMBRES nvarchar(60), DNI nvarchar(10)",
     "CODIGO"},
    {"MA_DESTINATARIOS", "CODIGO nvarchar(10), NOMBRE nvarchar(100), DOMICILIO nvarchar(100)",
     "CODIGO"},
    {"MA_VEHICULOS", "PATENTE nvarchar(10), MODELO nvarchar(60), IDCHOFER nvarchar(10)", "PATENTE"},
    {"MV_EJERCICIOS",
     "PERIODO nvarchar(10), DESCRIPCION nvarchar(60), DESDE datetime, HASTA datetime", "PERIODO"},
    {"V_MA_PRECIOSCAB", "IDLISTA nvarchar(10), NOMBRE nvarchar(60)", "IDLISTA"},
    // Objects that users who are not administrators reach through "SS_" views.
    {"MA_CUENTAS",
     "CODIGO nvarchar(20), DESCRIPCION nvarchar(100), IMPUTABLE smallint, Reservada smallint",
     "CODIGO"},
    {"MV_ASIENTOS",
     "ID INTEGER, FECHA datetime, NUMERO int, CUENTA nvarchar(20), DETALLE nvarchar(100), "
     "DEBE money, HABER money",
     "ID"},
    {"V_TA_CAJAS", "IDCaja nvarchar(10), DESCRIPCION nvarchar(60), Restringido smallint", "IDCaja"},
    {"AC_CUENTASDIARIO", "CUENTA nvarchar(20), DESCRIPCION nvarchar(100), Restringido smallint",
     "CUENTA"},
    {"AC_CUENTASDIARIO_CCOSTO", "CUENTA nvarchar(20), CCOSTO nvarchar(10), PORCENTAJE REAL",
     "CUENTA, CCOSTO"},
};

#undef CODES

const std::vector<ViewDef> kViews = {
    {"V_TA_Cpte", "SELECT CODIGO, DESCRIPCION, SISTEMA, SIGNO FROM TA_Cpte"},
    {"V_MA_ARTICULOS", "SELECT * FROM MA_ARTICULOS"},
    {"VT_MA_ARTICULOS", "SELECT a.*, f.DESCRIPCION AS FAMILIA FROM MA_ARTICULOS a "
                        "LEFT JOIN V_TA_FAMILIAS f ON f.IDFAMILIA = a.IDFAMILIA"},
    {"STK_MA_ARTICULOS",
     "SELECT IDARTICULO, DESCRIPCION, IDUNIDAD, PUNTOPEDIDO, Stock, PRECIO1, PRECIO2, "
     "PRECIO3, PRECIO4, PRECIO5, PRECIO6, PRECIO7, PRECIO8, SUSPENDIDO FROM MA_ARTICULOS"},
    {"VT_CLIENTES", "SELECT CODIGO, RAZON_SOCIAL, CONTACTO, CUIT, DOMICILIO, LOCALIDAD, "
                    "PROVINCIA, TELEFONO, IDVENDEDOR, Dada_De_Baja FROM MA_CLIENTES"},
    {"VT_PROVEEDORES", "SELECT CODIGO, RAZON_SOCIAL, CONTACTO, CUIT, DOMICILIO, LOCALIDAD, "
                       "PROVINCIA, TELEFONO, Dada_De_Baja FROM MA_PROVEEDORES"},
    {"SS_MA_CUENTAS", "SELECT * FROM MA_CUENTAS WHERE Reservada = 0"},
    {"SS_V_TA_DEPOSITO", "SELECT * FROM V_TA_Deposito WHERE Restringido = 0"},
    {"SS_MV_ASIENTOS",
     "SELECT * FROM MV_ASIENTOS WHERE CUENTA IN (SELECT CODIGO FROM SS_MA_CUENTAS)"},
    {"SS_V_TA_FAMILIAS", "SELECT * FROM V_TA_FAMILIAS WHERE Restringido = 0"},
    {"SS_V_TA_CAJAS", "SELECT * FROM V_TA_CAJAS WHERE Restringido = 0"},
    {"SS_AC_CUENTASDIARIO", "SELECT * FROM AC_CUENTASDIARIO WHERE Restringido = 0"},
    {"SS_AC_CUENTAS_DIARIO_CCOSTO", "SELECT * FROM AC_CUENTASDIARIO_CCOSTO "
                                    "WHERE CUENTA IN (SELECT CUENTA FROM SS_AC_CUENTASDIARIO)"},
};

const char* const kProducts[] = {"000", "0000", "Semo", "Pellet", "Basura"};
const char* const kMeasures[] = {"Existencia", "Volumen",     "Extraccion", "Otros",
                                 "Consumo",    "Exportacion", "Otras"};

} // namespace

const std::vector<TableDef>& tableDefs() {
    return kTables;
}

const std::vector<ViewDef>& viewDefs() {
    return kViews;
}

std::vector<Column> declarationColumns(bool withCosecha) {
    std::vector<Column> cols;
    cols.push_back({QStringLiteral("Periodo"), QStringLiteral("nvarchar(7)")});
    for (const char* c : {"P_Existencia", "P_Ingresos", "P_Elaboracion", "P_Otros"})
        cols.push_back({QString::fromLatin1(c), QStringLiteral("REAL")});
    for (const char* m : kMeasures)
        for (const char* p : kProducts)
            cols.push_back({QStringLiteral("SP%1_%2").arg(QLatin1String(p), QLatin1String(m)),
                            QStringLiteral("REAL")});
    // Final stocks are currency: the program writes them with four decimals.
    for (const char* p : kProducts)
        cols.push_back({QStringLiteral("F") + QLatin1String(p), QStringLiteral("money")});
    for (const char* p : kProducts)
        cols.push_back({QStringLiteral("Cod") + QLatin1String(p), QStringLiteral("nvarchar(255)")});
    cols.push_back({QStringLiteral("UdMedida"), QStringLiteral("nvarchar(10)")});
    cols.push_back({QStringLiteral("SAGPyA"), QStringLiteral("nvarchar(20)")});
    cols.push_back({QStringLiteral("Responsable"), QStringLiteral("nvarchar(50)")});
    if (withCosecha)
        cols.push_back({QStringLiteral("Cosecha"), QStringLiteral("nvarchar(50)")});
    cols.push_back({QStringLiteral("Observaciones"), QStringLiteral("nvarchar(255)")});
    return cols;
}

std::vector<Column> parseColumns(const char* columns) {
    std::vector<Column> out;
    const QStringList parts = QString::fromLatin1(columns).split(QLatin1Char(','));
    for (const QString& part : parts) {
        const QString p = part.trimmed();
        const qsizetype sp = p.indexOf(QLatin1Char(' '));
        out.push_back({p.left(sp), p.mid(sp + 1)});
    }
    return out;
}

QString createTableSql(const QString& name, const std::vector<Column>& columns,
                       const QString& key) {
    QStringList defs;
    for (const Column& c : columns) {
        QString def = c.name + QLatin1Char(' ') + c.type;
        if (c.type.startsWith(QLatin1String("nvarchar"), Qt::CaseInsensitive))
            def += QLatin1String(" COLLATE NOCASE");
        defs << def;
    }
    defs << QStringLiteral("PRIMARY KEY (%1)").arg(key);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(name, defs.join(QLatin1String(", ")));
}

void createSchema(SqliteDb& db, bool withCosecha) {
    for (const TableDef& t : kTables)
        db.exec(createTableSql(QString::fromLatin1(t.name), parseColumns(t.columns),
                               QString::fromLatin1(t.key)));
    db.exec(createTableSql(QStringLiteral("DJ_Q42"), declarationColumns(withCosecha),
                           QStringLiteral("Periodo")));
    for (const ViewDef& v : kViews)
        db.exec(QStringLiteral("CREATE VIEW %1 AS %2")
                    .arg(QString::fromLatin1(v.name), QString::fromLatin1(v.select)));
}

void insertFixedRows(SqliteDb& db) {
    for (const FixedRows& fr : fixedRows()) {
        std::vector<QStringList> rows;
        for (const QString& r : fr.rows)
            rows.push_back(r.split(QLatin1Char('|')));
        if (rows.empty())
            continue;
        const qsizetype n = rows.front().size();
        QStringList marks;
        for (qsizetype i = 0; i < n; ++i)
            marks << QStringLiteral("?");
        SqliteStmt ins(db, QStringLiteral("INSERT INTO %1 VALUES (%2)")
                               .arg(QString::fromLatin1(fr.table), marks.join(QLatin1Char(','))));
        for (const QStringList& row : rows) {
            if (row.size() != n)
                throw std::runtime_error(QStringLiteral("%1: fila de %2 valores")
                                             .arg(QLatin1String(fr.table))
                                             .arg(row.size())
                                             .toStdString());
            for (qsizetype i = 0; i < n; ++i) {
                if (row[i] == QLatin1String("~"))
                    ins.bindNull(int(i) + 1);
                else
                    ins.bindText(int(i) + 1, row[i]);
            }
            ins.step();
        }
    }
}

void createIndexes(SqliteDb& db) {
    // As a business database has them: the month's statements filter the
    // movements by date, an article's history reads them by article.
    db.exec(QStringLiteral("CREATE INDEX IX_MV_Stock_FECHA ON V_MV_Stock (FECHA)"));
    db.exec(QStringLiteral("CREATE INDEX IX_MV_Stock_Articulo ON V_MV_Stock (IDArticulo, FECHA)"));
}

} // namespace demo
