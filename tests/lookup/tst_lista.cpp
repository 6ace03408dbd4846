// The list dialog on the demo database: columns and rows, widths (their own
// and the saved ones), stock colours, price-class captions, sorting, and
// what accepting and cancelling hand back.

#include "PruebaConsultas.h"
#include "lookup/AnchosColumnas.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <memory>

using namespace prueba;

namespace {

const QString kClientes = QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES "
                                         "WHERE Dada_De_Baja = 0 ORDER BY CODIGO");

std::unique_ptr<Lib_FrmCons3> abre(const QString& sql,
                                   const std::function<void(Lib_FrmCons3&)>& prepara = {}) {
    auto d = std::make_unique<Lib_FrmCons3>();
    d->SQL = sql;
    if (prepara)
        prepara(*d);
    d->Cargar();
    return d;
}

int anchoDeLetras(const QWidget& w, int letras) {
    return w.fontMetrics().horizontalAdvance(QString(letras, QLatin1Char('X')));
}

} // namespace

class TstLista : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void initTestCase() {
        abreBase(env, QStringLiteral("lista.sqlite"));
        ejecuta(QStringLiteral("CREATE TABLE NOTAS (CODIGO nvarchar(5), TEXTO nvarchar(300), "
                               "IMPORTE REAL)"));
        ejecuta(QStringLiteral("INSERT INTO NOTAS VALUES ('A1', 'Primera nota', 1234.5)"));
        ejecuta(QStringLiteral("INSERT INTO MA_CLIENTES (CODIGO, CODIGO_SUCURSAL, RAZON_SOCIAL, "
                               "Dada_De_Baja) VALUES ('000', '0', 'Cliente de prueba', 0)"));
    }
    void cleanupTestCase() { cierraBase(); }
    void cleanup() { QFile::remove(env.ruta(QStringLiteral("CONSULTASLEN.QVX"))); }

    void carga_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("encabezados");
        QTest::addColumn<int>("filas");
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<bool>("articulos");
        QTest::newRow("customers")
            << kClientes << QStringList{"RAZON_SOCIAL", "CODIGO"} << 20 << "VT_CLIENTES" << false;
        QTest::newRow("no rows: the columns all the same")
            << "SELECT CODIGO, DESCRIPCION FROM TA_MONEDAS WHERE 1 = 0"
            << QStringList{"CODIGO", "DESCRIPCION"} << 0 << "TA_MONEDAS" << false;
        QTest::newRow("articles") << "select IDARTICULO, DESCRIPCION from Stk_ma_articulos"
                                  << QStringList{"IDARTICULO", "DESCRIPCION"} << 16
                                  << "VT_MA_ARTICULOS" << true;
    }
    void carga() {
        QFETCH(QString, sql);
        QFETCH(QStringList, encabezados);
        QFETCH(int, filas);
        QFETCH(QString, tabla);
        QFETCH(bool, articulos);
        ScriptedMessages msgs;
        auto d = abre(sql);
        QStringList vistos;
        for (int c = 0; c < d->modelo()->columnas(); ++c)
            vistos << d->modelo()->encabezado(c);
        QCOMPARE(vistos, encabezados);
        QCOMPARE(d->modelo()->filas(), filas);
        QCOMPARE(d->SQL, sql + QLatin1Char(' '));
        QCOMPARE(d->SQLOriginal, d->SQL);
        QCOMPARE(d->TablaConsulta, tabla);
        QCOMPARE(d->EsArticulos, articulos);
        QCOMPARE(d->windowTitle(), QStringLiteral("Consulta..."));
        QCOMPARE(d->CmbSearch.at(1)->toolTip(), QStringLiteral("F5 realiza nueva busqueda"));
        QCOMPARE(d->CmbSearch.at(1)->property("campo").toString(), encabezados.at(1));
        QCOMPARE(msgs.count(), 0);
    }

    // A statement the database rejects is reported where it is opened; the
    // dialog stays empty and usable.
    void sentenciaRechazada() {
        ScriptedMessages msgs;
        msgs.answer(q42::vbAbort);
        auto d = abre(QStringLiteral("SELECT NADA FROM NO_EXISTE"));
        QCOMPARE(msgs.count(), 1);
        QVERIFY(msgs.last().prompt.contains(QStringLiteral("AbrirRecordset")));
        QCOMPARE(d->modelo()->columnas(), 0);
        d->Aceptar();
        QVERIFY(d->terminada());
        QCOMPARE(msgs.count(), 1);
    }

    // Values as the list shows them, and the column widths from the sizes.
    void celdasYAnchos() {
        auto d = abre(QStringLiteral("SELECT CODIGO, TEXTO, IMPORTE, NULL AS NADA FROM NOTAS"));
        QCOMPARE(d->modelo()->texto(0, 1), QStringLiteral("Primera nota"));
        QCOMPARE(d->modelo()->texto(0, 2), QStringLiteral("1234,5"));
        QCOMPARE(d->modelo()->texto(0, 3), QString());
        QHeaderView* h = d->ListView1->horizontalHeader();
        QCOMPARE(h->sectionSize(0), anchoDeLetras(*d, 5));
        QCOMPARE(h->sectionSize(1), anchoDeLetras(*d, 60)); // a 300-character field
        QCOMPARE(h->sectionSize(2), anchoDeLetras(*d, 8));
        QVERIFY(h->sectionSize(3) > 0);
        QVERIFY(!(d->modelo()->flags(d->modelo()->index(0, 1)) & Qt::ItemIsEditable));
    }

    void clasesDePrecio_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("encabezados");
        QTest::newRow("articles view")
            << "SELECT IDARTICULO, PRECIO1, precio2, PRECIO8 FROM VT_MA_ARTICULOS"
            << QStringList{"IDARTICULO", "Lista", "Minorista", "Exportación"};
        QTest::newRow("stock view")
            << "SELECT PRECIO3 FROM STK_MA_ARTICULOS" << QStringList{"Panaderías"};
        QTest::newRow("old view name")
            << "SELECT PRECIO1 FROM V_MA_ARTICULOS" << QStringList{"Lista"};
        QTest::newRow("another table")
            << "SELECT CODIGO AS PRECIO1, PRECIO AS PRECIO2 FROM TA_MONEDAS"
            << QStringList{"PRECIO1", "PRECIO2"};
    }
    void clasesDePrecio() {
        QFETCH(QString, sql);
        QFETCH(QStringList, encabezados);
        auto d = abre(sql);
        QStringList vistos;
        for (int c = 0; c < d->modelo()->columnas(); ++c)
            vistos << d->modelo()->encabezado(c);
        QCOMPARE(vistos, encabezados);
    }

    // Reorder point against stock, in the configured colours, in bold.
    void colores_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("muestra");
        QTest::addColumn<QString>("articulo");
        QTest::addColumn<QColor>("color");
        const QString sql =
            QStringLiteral("SELECT IDARTICULO, DESCRIPCION, PUNTOPEDIDO, Stock FROM "
                           "VT_MA_ARTICULOS");
        QTest::newRow("no point, stock: level 1") << sql << "SI"
                                                  << "3" << QColor(0, 0, 255);
        QTest::newRow("above: level 2") << sql << "si"
                                        << "1" << QColor(0, 128, 0);
        QTest::newRow("below: level 3") << sql << "SI"
                                        << "2" << QColor(255, 0, 0);
        QTest::newRow("at the point: level 4") << sql << "SI"
                                               << "4" << QColor(128, 128, 128);
        QTest::newRow("nothing: level 4") << sql << "SI"
                                          << "5" << QColor(128, 128, 128);
        QTest::newRow("negative stock: level 4") << sql << "SI"
                                                 << "12" << QColor(128, 128, 128);
        QTest::newRow("display off") << sql << "NO"
                                     << "3" << QColor();
        QTest::newRow("no stock column")
            << "SELECT IDARTICULO, DESCRIPCION, PUNTOPEDIDO FROM VT_MA_ARTICULOS"
            << "SI"
            << "3" << QColor();
        QTest::newRow("not articles") << "SELECT CODIGO AS IDARTICULO, 0 AS PUNTOPEDIDO, 5 AS "
                                         "Stock FROM TA_MONEDAS"
                                      << "SI"
                                      << "ARS" << QColor();
    }
    void colores() {
        QFETCH(QString, sql);
        QFETCH(QString, muestra);
        QFETCH(QString, articulo);
        QFETCH(QColor, color);
        const Lib_ClsCons3& s = Lib_ClsCons3::instance();
        auto d = abre(sql, [&](Lib_FrmCons3& f) {
            f.MuestraStock = muestra;
            f.StkNivel1 = s.StkNivel1;
            f.StkNivel2 = s.StkNivel2;
            f.StkNivel3 = s.StkNivel3;
            f.StkNivel4 = s.StkNivel4;
        });
        const int fila = columna(d.get(), 0).indexOf(articulo);
        QVERIFY(fila >= 0);
        const QModelIndex i = d->modelo()->index(fila, 1);
        QCOMPARE(i.data(Qt::ForegroundRole).value<QColor>(), color);
        QCOMPARE(i.data(Qt::FontRole).value<QFont>().bold(), color.isValid());
    }

    // Two lines for the table: the second decides; the boxes follow.
    void anchosGrabados() {
        QFile f(env.ruta(QStringLiteral("consultaslen.qvx")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\"VT_CLIENTES\",\"1500|750|\"\r\n\"TA_MONEDAS\",\"300|\"\r\n"
                "\"vt_clientes\",\"3000|1200|\"\r\n");
        f.close();
        auto d = abre(kClientes);
        muestra(d.get());
        QHeaderView* h = d->ListView1->horizontalHeader();
        QCOMPARE(h->sectionSize(0), 200);
        QCOMPARE(h->sectionSize(1), 80);
        for (int c = 0; c < 2; ++c) {
            const QPoint esquina =
                d->CmbSearch.at(c)->mapTo(d.get(), QPoint(0, 0)) -
                d->ListView1->viewport()->mapTo(d.get(), QPoint(h->sectionViewportPosition(c), 0));
            QCOMPARE(esquina.x(), 0);
            QVERIFY(d->CmbSearch.at(c)->width() <= h->sectionSize(c));
        }
        QFile::remove(f.fileName());
    }

    void grabaAnchos_data() {
        QTest::addColumn<bool>("grabar");
        QTest::newRow("saved when asked") << true;
        QTest::newRow("not saved by default") << false;
    }
    void grabaAnchos() {
        QFETCH(bool, grabar);
        auto d = abre(kClientes, [&](Lib_FrmCons3& f) { f.GrabarCfg = grabar; });
        d->ListView1->horizontalHeader()->resizeSection(0, 150);
        d->ListView1->horizontalHeader()->resizeSection(1, 40);
        d->Descargar();
        QCOMPARE(d->modelo()->filas(), 0);
        const auto anchos =
            q42::anchos::leeAnchos(env.ruta(QStringLiteral("CONSULTASLEN.QVX")), "VT_CLIENTES");
        QCOMPARE(bool(anchos), grabar);
        if (grabar)
            QCOMPARE(*anchos, (QList<double>{2250, 600}));
    }

    // A header click sorts on its column, descending first, then ascending.
    void ordena() {
        auto d = abre(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_MONEDAS"),
                      [](Lib_FrmCons3& f) { f.OrdenarPorLwv = true; });
        QCOMPARE(columna(d.get(), 0), (QStringList{"ARS", "EUR", "USD"}));
        muestra(d.get());
        QHeaderView* h = d->ListView1->horizontalHeader();
        d->ListView1->selectRow(0);
        const auto clic = [&](int c) {
            QTest::mouseClick(
                h->viewport(), Qt::LeftButton, {},
                QPoint(h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2));
        };
        clic(1);
        QCOMPARE(columna(d.get(), 1),
                 (QStringList{"Peso argentino", "Euro", "Dólar estadounidense"}));
        QCOMPARE(textoSeleccionado(d.get(), 0), QStringLiteral("ARS"));
        clic(1);
        QCOMPARE(columna(d.get(), 0), (QStringList{"USD", "EUR", "ARS"}));
    }

    // Ticked rows come back in list order; the preselection matches whole
    // values ("000" is not part of "0001").
    void casillas_data() {
        QTest::addColumn<QString>("defecto");
        QTest::addColumn<QStringList>("marcadasAlCargar");
        QTest::addColumn<QStringList>("tilda");
        QTest::addColumn<QStringList>("valores");
        QTest::addColumn<QStringList>("noMostrados");
        QTest::newRow("preselected") << "0001,0005" << QStringList{"0001", "0005"} << QStringList{}
                                     << QStringList{"0001", "0005"} << QStringList{};
        QTest::newRow("quoted, one gone, one hidden")
            << "'0005', '0016','0002'" << QStringList{"0002", "0005"} << QStringList{"0002"}
            << QStringList{"0005"} << QStringList{"0016"};
        QTest::newRow("nothing ticked")
            << "" << QStringList{} << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("ticked by the operator") << "" << QStringList{} << QStringList{"0010", "000"}
                                                << QStringList{"000", "0010"} << QStringList{};
    }
    void casillas() {
        QFETCH(QString, defecto);
        QFETCH(QStringList, marcadasAlCargar);
        QFETCH(QStringList, tilda);
        QFETCH(QStringList, valores);
        QFETCH(QStringList, noMostrados);
        auto d = abre(kClientes, [&](Lib_FrmCons3& f) {
            f.CheckBoxes = true;
            f.CampoDevuelto = QStringLiteral("CODIGO");
            f.ValoresDefault = defecto;
        });
        const QStringList codigos = columna(d.get(), 1);
        QStringList marcadas;
        for (int fila = 0; fila < d->modelo()->filas(); ++fila)
            if (d->modelo()->marcada(fila))
                marcadas << codigos.at(fila);
        QCOMPARE(marcadas, marcadasAlCargar);
        for (const QString& c : tilda) {
            const QModelIndex i = d->modelo()->index(int(codigos.indexOf(c)), 0);
            const bool antes = i.data(Qt::CheckStateRole).toInt() == Qt::Checked;
            QVERIFY(
                d->modelo()->setData(i, antes ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole));
        }
        d->CmdAceptar->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QStringList vistos;
        for (const QVariant& v : std::as_const(d->Valores))
            vistos << v.toString();
        QCOMPARE(vistos, valores);
        QCOMPARE(d->ValoresNoMostrados, noMostrados);
        QVERIFY(!d->ValorDevuelto.isValid());
    }

    // With check boxes and no column named, the first column's values.
    void casillasSinCampo() {
        auto d = abre(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_MONEDAS ORDER BY ID"),
                      [](Lib_FrmCons3& f) { f.CheckBoxes = true; });
        d->modelo()->setMarcada(2, true);
        d->Aceptar();
        QCOMPARE(d->CampoDevuelto, QStringLiteral("CODIGO"));
        QCOMPARE(d->Valores, (QVariantList{QStringLiteral("EUR")}));
    }

    void aceptaFilaElegida_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QStringList>("columnas");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QStringList>("valores");
        QTest::newRow("code and columns") << "CODIGO" << QStringList{"DESCRIPCION", "CODIGO"}
                                          << "EUR" << QStringList{"Euro", "EUR"};
        QTest::newRow("no column named: the last taken")
            << "" << QStringList{"CODIGO", "descripcion"} << "Euro" << QStringList{"EUR", "Euro"};
        QTest::newRow("unknown column: empty in its place")
            << " codigo " << QStringList{"NO_EXISTE", "DESCRIPCION"} << "EUR"
            << QStringList{"", "Euro"};
        QTest::newRow("nothing asked") << "" << QStringList{} << "" << QStringList{};
    }
    void aceptaFilaElegida() {
        QFETCH(QString, campo);
        QFETCH(QStringList, columnas);
        QFETCH(QString, valor);
        QFETCH(QStringList, valores);
        auto d = abre(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_MONEDAS ORDER BY ID"),
                      [&](Lib_FrmCons3& f) {
                          f.CampoDevuelto = campo;
                          if (!columnas.isEmpty())
                              f.CmpsDevueltos = columnas;
                      });
        muestra(d.get());
        const QRect celda = d->ListView1->visualRect(d->modelo()->index(2, 1));
        QTest::mouseClick(d->ListView1->viewport(), Qt::LeftButton, {}, celda.center());
        QTest::mouseDClick(d->ListView1->viewport(), Qt::LeftButton, {}, celda.center());
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QVERIFY(!d->isVisible());
        QCOMPARE(d->ValorDevuelto.toString(), valor);
        QStringList vistos;
        for (const QVariant& v : std::as_const(d->Valores))
            vistos << v.toString();
        QCOMPARE(vistos, valores);
    }

    void aceptaSinFila() {
        auto d = abre(QStringLiteral("SELECT CODIGO FROM TA_MONEDAS"),
                      [](Lib_FrmCons3& f) { f.CampoDevuelto = QStringLiteral("CODIGO"); });
        d->ListView1->clearSelection();
        d->Aceptar();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QVERIFY(!d->ValorDevuelto.isValid());
        QVERIFY(d->terminada());
        QVERIFY(!d->cancelada());
    }

    // Enter presses the focused button; in the list or a search box it
    // accepts the selected row, and a load or a reload selects the first.
    void enter_data() {
        QTest::addColumn<QString>("donde");
        QTest::addColumn<bool>("aceptada");
        QTest::addColumn<bool>("terminada");
        QTest::newRow("list after loading") << "lista" << true << true;
        QTest::newRow("box after a new search") << "F5" << true << true;
        QTest::newRow("on Cancelar") << "CmdCancelar" << false << true;
        QTest::newRow("on Nueva Busqueda") << "CmdNueva" << false << false;
    }
    void enter() {
        QFETCH(QString, donde);
        QFETCH(bool, aceptada);
        QFETCH(bool, terminada);
        auto d = abre(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_MONEDAS ORDER BY ID"),
                      [](Lib_FrmCons3& f) { f.CampoDevuelto = QStringLiteral("CODIGO"); });
        muestra(d.get());
        QWidget* destino = d->ListView1;
        if (donde == QLatin1String("F5")) {
            destino = d->CmbSearch.at(0)->lineEdit();
            destino->setFocus();
            QTest::keyClick(destino, Qt::Key_F5);
        } else if (donde != QLatin1String("lista")) {
            destino = d->findChild<QPushButton*>(donde);
        }
        destino->setFocus();
        const QString primera = d->modelo()->texto(0, 0);
        QTest::keyClick(destino, Qt::Key_Return);
        QCOMPARE(d->terminada(), terminada);
        QCOMPARE(d->result() == QDialog::Accepted, aceptada);
        if (aceptada)
            QCOMPARE(d->ValorDevuelto.toString(), primera);
        if (!terminada)
            QVERIFY(d->isVisible());
    }

    void cancela_data() {
        QTest::addColumn<int>("modo");
        QTest::newRow("button") << 0;
        QTest::newRow("escape in the list") << 1;
        QTest::newRow("escape in a box") << 2;
        QTest::newRow("close box") << 3;
    }
    void cancela() {
        QFETCH(int, modo);
        auto d =
            abre(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_MONEDAS"), [](Lib_FrmCons3& f) {
                f.CampoDevuelto = QStringLiteral("CODIGO");
                f.CmpsDevueltos = QStringList{QStringLiteral("CODIGO")};
            });
        muestra(d.get());
        d->ListView1->selectRow(1);
        d->ValorDevuelto = QStringLiteral("anterior");
        d->Valores = {QStringLiteral("anterior")};
        switch (modo) {
        case 0:
            d->CmdCancelar->click();
            break;
        case 1:
            QTest::keyClick(d->ListView1, Qt::Key_Escape);
            break;
        case 2:
            QTest::keyClick(d->CmbSearch.at(0), Qt::Key_Escape);
            break;
        default:
            d->close();
        }
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QVERIFY(d->cancelada());
        QCOMPARE(d->ValorDevuelto.toString(), QString());
        QVERIFY(d->Valores.isEmpty());
        QVERIFY(!d->CmpsDevueltos);
    }
};

QTEST_MAIN(TstLista)
#include "tst_lista.moc"
