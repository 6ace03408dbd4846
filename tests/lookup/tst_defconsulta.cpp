// The default definitions of the code tables: every rule of the decision
// table, the worked keys, names that match none, and the lookup it opens.

#include "PruebaConsultas.h"
#include "lookup/Def_QConsulta.h"

#include <QtTest>

using namespace prueba;

class TstDefConsulta : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void initTestCase() { abreBase(env, QStringLiteral("definiciones.sqlite")); }
    void cleanupTestCase() { cierraBase(); }
    void cleanup() { Lib_ClsCons3::release(); }

    void reglas_data() {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("descripcion");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("adicional");
        const auto fila = [](const char* t, const char* d, const char* c, const char* a) {
            QTest::newRow(t) << QString::fromLatin1(t) << QString::fromLatin1(d)
                             << QString::fromLatin1(c) << QString::fromLatin1(a);
        };
        fila("V_TA_RETENCIONES", "Descripcion", "IdRetencion", "");
        fila("V_TA_Cpte", "Descripcion", "CODIGO", "");
        // The V_TA_ family.
        fila("V_TA_Bancos", "DESCRIPCION", "IDBanco", "");
        fila("v_ta_bancos", "DESCRIPCION", "IDbanco", "");
        fila("V_TA_MotivoVta", "DESCRIPCION", "IDMotivoVta", "");
        fila("V_TA_MotivoCpra", "DESCRIPCION", "IDMotivoCpra", "");
        fila("V_TA_Deposito", "DESCRIPCION", "IDDeposito", "");
        fila("V_TA_Tecnicos", "NOMBRE", "IDTecnico", "");
        fila("v_ta_tecnicos", "NOMBRE", "IDtecnico", "");
        fila("V_TA_Tareas", "DESCRIPCION", "IDTarea", "");
        fila("V_TA_Unidad", "DESCRIPCION", "IDUnidad", "");
        fila("V_TA_TipoArticulo", "DESCRIPCION", "IDTIPO", "");
        fila("V_TA_Rubros", "DESCRIPCION", "IDRubro", "");
        fila("V_TA_MotivoStock", "DESCRIPCION", "IDMotivoStock", "");
        fila("V_TA_CPRA_VTA", "DESCRIPCION", "IDCOND_CPRA_VTA", "");
        fila("V_TA_CATEGORIA", "DESCRIPCION", "IDCATEGORIA", "");
        fila("V_TA_DESTINO", "DESCRIPCION", "IDDESTINO", "");
        fila("V_TA_ORIGEN", "DESCRIPCION", "IDORIGEN", "");
        // The P_ family.
        fila("P_TA_NIVELESTUDIO", "Descripcion", "IDNIVELESTUDIO", "");
        fila("P_TA_CONOCIMIENTOS", "Descripcion", "IDCONOCIMIENTO", "");
        fila("P_TA_Categorizacion", "Descripcion", "IDCategorizacion", "");
        fila("P_TA_CentroMedico", "Descripcion", "IDCentroMedico", "");
        fila("P_TA_FormasDePago", "Descripcion", "IDFormasDePago", "");
        fila("P_MA_Empresas", "NombreEmpresa", "IDEmpresa", "");
        fila("P_TA_ZONARESIDENCIA", "Descripcion", "IDZONARESIDENCIA", "");
        fila("P_TA_ObraSocial", "Descripcion", "IDObraSocial", "");
        fila("P_TA_MotivoEgreso", "Descripcion", "IDMotivoEgreso", "");
        fila("P_TA_Grupos", "Descripcion", "IDGrupo", "");
        fila("P_TA_EstadoBusqueda", "Descripcion", "IDEstadoBusqueda", "");
        fila("P_TA_Areas", "Descripcion", "IDAreas", "");
        fila("p_ta_areas", "Descripcion", "IDareas", "");
        fila("P_TA_IDIOMAS", "Descripcion", "IDIDIOMA", "");
        fila("P_TA_TITULOs", "Descripcion", "IDTITULO", "");
        fila("P_TA_ESTADOPOSTULANTE", "Descripcion", "IDESTADOPOSTULANTE", "");
        fila("P_TA_Parentesco", "Descripcion", "IDParentesco", "");
        fila("P_TA_EstadoCivil", "Descripcion", "IDEstadoCivil", "");
        fila("P_SINDICATOS", "Descripcion", "IdSindicato", "");
        fila("P_TA_Funciones", "DESCRIPCION", "IDFunciones", "");
        // The TA_ family.
        fila("TA_Categoria", "DESCRIPCION", "IDCategoria", "");
        fila("TA_Deposito", "DESCRIPCION", "IDDeposito", "");
        fila("TA_MotivoStock", "DESCRIPCION", "IDMotivoStock", "");
        fila("TA_TipoArticulo", "DESCRIPCION", "IDTIPO", "");
        fila("TA_Rubros", "DESCRIPCION", "IDRubro", "");
        // One by one.
        fila("P_MA_Clientes", "RAZON_SOCIAL", "IDCLIENTE", "");
        fila("TA_Cpte", "DESCRIPCION", "CODIGO", "DESCRIPCION");
        fila("V_MA_ARTICULOS", "DESCRIPCION", "IDARTICULO", "DESCRIPCION");
        fila("MA_ARTICULOS", "DESCRIPCION", "IDARTICULO", "DESCRIPCION");
        fila("ma_articulos", "DESCRIPCION", "IDarticulo", "DESCRIPCION");
        fila("MA_MODELOS", "NOMBRE", "NOMBRE", "NOMBRE");
        fila("MA_CHOFERES", "APELLIDO", "CODIGO", "NOMBRES");
        fila("MA_DESTINATARIOS", "NOMBRE", "CODIGO", "NOMBRE");
        fila("MA_VEHICULOS", "PATENTE", "PATENTE", "MODELO");
        fila("MV_EJERCICIOS", "DESCRIPCION", "PERIODO", "DESCRIPCION");
        fila("V_MV_REPARTO", "IDCOMPLEMENTO", "IDREPARTO", "FECHA");
        fila("TA_USUARIOS", "NOMBRE", "NOMBRE", "");
        fila("V_MA_PRECIOSCAB", "NOMBRE", "IDLISTA", "");
        // Groups by their first characters.
        fila("TA_CPRA_VTA", "DESCRIPCION", "CODIGO", "DESCRIPCION");
        fila("TA_MONEDAS", "DESCRIPCION", "CODIGO", "DESCRIPCION");
        fila("ta_ccosto", "DESCRIPCION", "CODIGO", "DESCRIPCION");
        fila("MA_PROVEEDORES", "Razon_Social", "Codigo", "Razon_Social");
        fila("MA_VENDEDORES", "Razon_Social", "Codigo", "Razon_Social");
        fila("ma_transportes", "Razon_Social", "Codigo", "Razon_Social");
        fila("MA_CONTACTOS", "Razon_Social", "Codigo", "Razon_Social");
        fila("MA_AGENTES", "Razon_Social", "Codigo", "Razon_Social");
        fila("ma_clientes", "Razon_Social", "Codigo", "Codigo_sucursal");
        fila("MA_RUBROS", "Descripcion", "Codigo", "Descripcion");
        fila("MA_PR", "Descripcion", "Codigo", "Descripcion");
        fila("MA_", "Descripcion", "Codigo", "Descripcion");
        fila("[MA_CAMIONES]", "nombre", "Codigo", "nombre");
        fila("MV_PROYECTOS", "ASUNTO", "ID", "ASUNTO");
        fila("mv_pro", "ASUNTO", "ID", "ASUNTO");
        // No rule: the caller's values stay.
        fila("MV_STOCK", "mi_desc", "mi_clave", "mi_adic");
        fila("[MA_ZONAS]", "mi_desc", "mi_clave", "mi_adic");
        fila("V_TA_Vendedores", "mi_desc", "mi_clave", "mi_adic");
        fila("P_TA_Otros", "mi_desc", "mi_clave", "mi_adic");
        fila(" TA_MONEDAS", "mi_desc", "mi_clave", "mi_adic");
        fila("MA", "mi_desc", "mi_clave", "mi_adic");
        fila("", "mi_desc", "mi_clave", "mi_adic");
    }
    void reglas() {
        QFETCH(QString, tabla);
        QFETCH(QString, descripcion);
        QFETCH(QString, clave);
        QFETCH(QString, adicional);
        ScriptedMessages msgs;
        DialogScript dialogos([](QDialog*) { return int(QDialog::Rejected); });
        QString d = QStringLiteral("mi_desc"), c = QStringLiteral("mi_clave"),
                a = QStringLiteral("mi_adic");
        DefinirConsulta(tabla, d, c, a, false, QString());
        QCOMPARE(d, descripcion);
        QCOMPARE(c, clave);
        QCOMPARE(a, adicional);
        QCOMPARE(dialogos.count(), 0);
        QCOMPARE(msgs.count(), 0);
    }

    // Shown: the statement is the two columns and the table with the
    // condition (as the dialog holds it, with the blank its loading adds);
    // the chosen key comes back, nothing on cancel.
    void muestra_data() {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<QString>("busca");
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<QString>("clave");
        QTest::newRow("bank") << "V_TA_Bancos"
                              << "WHERE IDBanco <> '285'"
                              << "nuevo" << true
                              << "select DESCRIPCION,IDBanco from V_TA_Bancos WHERE IDBanco <> "
                                 "'285' "
                              << "330";
        QTest::newRow("no condition: the name and one blank")
            << "V_TA_Bancos"
            << ""
            << "banco m" << true << "select DESCRIPCION,IDBanco from V_TA_Bancos  "
            << "285";
        QTest::newRow("cancelled")
            << "TA_MONEDAS"
            << ""
            << "euro" << false << "select DESCRIPCION,CODIGO from TA_MONEDAS  "
            << "";
        QTest::newRow("articles from the view with the family")
            << "V_MA_ARTICULOS"
            << "WHERE SUSPENDIDO = 0"
            << "semol" << true
            << "select DESCRIPCION,IDARTICULO from VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 "
            << "9";
        // No row starts with the text: the selection stays on the first
        // row, selected on loading, and Enter takes that real row.
        QTest::newRow("no row matches")
            << "TA_Rubros"
            << ""
            << "zzz" << true << "select DESCRIPCION,IDRubro from TA_Rubros  "
            << "03";
        // No rule and no column named: the table's own columns, as a lookup
        // without a mask entry shows them.
        QTest::newRow("no rule: the table's columns")
            << "V_TA_FAMILIAS"
            << ""
            << "zzz" << true
            << "SELECT TOP 1000 Restringido,DESCRIPCION,IDFAMILIA FROM V_TA_FAMILIAS ORDER BY "
               "DESCRIPCION "
            << "";
    }
    void muestra() {
        QFETCH(QString, tabla);
        QFETCH(QString, condicion);
        QFETCH(QString, busca);
        QFETCH(bool, acepta);
        QFETCH(QString, sentencia);
        QFETCH(QString, clave);
        ScriptedMessages msgs;
        QString vista;
        bool ordenaLista = false;
        DialogScript dialogos([&](QDialog* dlg) {
            auto* d = qobject_cast<Lib_FrmCons3*>(dlg);
            prueba::muestra(d);
            vista = d->SQL;
            ordenaLista = d->OrdenarPorLwv;
            QTest::keyClicks(d->CmbSearch.at(0), busca);
            QTest::keyClick(d->CmbSearch.at(0), acepta ? Qt::Key_Return : Qt::Key_Escape);
            return d->result();
        });
        QString d, c, a;
        DefinirConsulta(tabla, d, c, a, true, condicion);
        QCOMPARE(dialogos.count(), 1);
        QCOMPARE(vista, sentencia);
        QCOMPARE(ordenaLista, !sentencia.contains(QLatin1String("ORDER BY")));
        QCOMPARE(c, clave);
        QCOMPARE(Lib_ClsCons3::instance().CampoDevuelto, QString());
        QCOMPARE(msgs.count(), 0);
    }
};

QTEST_MAIN(TstDefConsulta)
#include "tst_defconsulta.moc"
