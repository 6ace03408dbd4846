// Typed column assignment and save-error messages against a real SQLite
// business database.

#include "EntornoPrueba.h"
#include "ScriptedMessages.h"
#include "db/DB_Dll.h"
#include "db/Grabacion.h"

#include <QtTest>

namespace {

const QString kConversion =
    QStringLiteral("Verifique las siguientes opciones: \r\n\r\n1) Ha ingresado letras donde debe "
                   "ingresar numeros\r\n\r\n2) Debe ingresar una fecha y el formato es "
                   "incorrecto\r\n\r\nEn el campo: ");

} // namespace

class TstGrabacion : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    int numero = 0;

    static DB_Dll& db() { return DB_Dll::instance(); }
    static void ejecuta(const QString& sql) { db().gCnn->Execute(sql); }

    // Writes one row through AsignaCampo and reads the column back.
    QVariant graba(const QString& campo, const QString& valor) {
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ_PRUEBA"), db().gCnn, ado::adOpenKeyset,
                ado::adLockOptimistic);
        rs.AddNew();
        rs.Fields(QStringLiteral("Periodo")).setValue(QStringLiteral("03/2024"));
        AsignaCampo(rs, campo, valor);
        rs.Update();
        rs.Close();
        const QString columna = QString(campo).remove(QLatin1Char('[')).remove(QLatin1Char(']'));
        auto leido = db().gCnn->Execute(QStringLiteral("SELECT %1 FROM DJ_PRUEBA").arg(columna));
        return leido->Fields(0).Value();
    }

private Q_SLOTS:
    void init() {
        const QString ruta = env.ruta(QStringLiteral("negocio%1.db").arg(++numero));
        QFile(ruta).open(QIODevice::WriteOnly); // an empty file is an empty database
        db().gConnString = QStringLiteral("Provider=SQLite;Data Source=%1;").arg(ruta);
        db().gCnn->Open(db().gConnString);
        ejecuta("CREATE TABLE DJ_PRUEBA (Periodo NVARCHAR(7) NOT NULL PRIMARY KEY, "
                "Cod1 NVARCHAR(10), Observaciones NVARCHAR(50), Corto NVARCHAR(29), "
                "Largo NVARCHAR(30), Trigo REAL, Bolsas INT, Precio MONEY, Activo BIT, "
                "Fecha DATETIME, Responsable NVARCHAR(20) NOT NULL DEFAULT 'x')");
    }
    void cleanup() { DB_Dll::release(); }

    void asignaCampo_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QVariant>("esperado"); // invalid: null
        QTest::newRow("blank text is null") << "Observaciones"
                                            << "   " << QVariant();
        QTest::newRow("short column fitted") << "Cod1"
                                             << "  AB" << QVariant("  AB      ");
        QTest::newRow("short column cut") << "Cod1"
                                          << "ABCDEFGHIJKL" << QVariant("ABCDEFGHIJ");
        QTest::newRow("size 29 fitted") << "Corto"
                                        << "x " << QVariant(QString("x").leftJustified(29));
        QTest::newRow("size 30 trimmed") << "Largo"
                                         << "  x  " << QVariant("x");
        QTest::newRow("size 50 trimmed") << "Observaciones"
                                         << "  trigo pan  " << QVariant("trigo pan");
        QTest::newRow("bracketed name") << "[Observaciones]"
                                        << "ok" << QVariant("ok");
        QTest::newRow("decimal comma") << "Trigo"
                                       << "1234,5" << QVariant(1234.5);
        QTest::newRow("numeric blank is 0") << "Trigo"
                                            << "" << QVariant(0.0);
        QTest::newRow("integer") << "Bolsas"
                                 << "12" << QVariant(12);
        QTest::newRow("currency") << "Precio"
                                  << "10,1234" << QVariant(10.1234);
        QTest::newRow("boolean false") << "Activo"
                                       << "no" << QVariant(false);
        QTest::newRow("boolean true") << "Activo"
                                      << "" << QVariant(true);
        QTest::newRow("date") << "Fecha"
                              << "05/03/2024" << QVariant(QDate(2024, 3, 5));
        QTest::newRow("invalid date is null") << "Fecha"
                                              << "31/02/2024" << QVariant();
        QTest::newRow("blank date is null") << "Fecha"
                                            << "" << QVariant();
    }
    void asignaCampo() {
        QFETCH(QString, campo);
        QFETCH(QString, valor);
        QFETCH(QVariant, esperado);
        const QVariant v = graba(campo, valor);
        if (!esperado.isValid()) {
            QVERIFY2(!v.isValid() || v.isNull(), qPrintable(v.toString()));
        } else if (esperado.typeId() == QMetaType::QDate) {
            QCOMPARE(v.toDate(), esperado.toDate());
        } else if (esperado.typeId() == QMetaType::Bool) {
            QCOMPARE(v.toBool(), esperado.toBool());
        } else if (esperado.typeId() == QMetaType::Double) {
            QCOMPARE(v.toDouble(), esperado.toDouble());
        } else {
            QCOMPARE(v.toString(), esperado.toString());
        }
    }

    // A text that is no number names the field in the save error.
    void notANumber_data() {
        QTest::addColumn<QString>("campo");
        QTest::newRow("numeric") << "Trigo";
        QTest::newRow("currency") << "[Precio]";
    }
    void notANumber() {
        QFETCH(QString, campo);
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ_PRUEBA"), db().gCnn, ado::adOpenKeyset,
                ado::adLockOptimistic);
        rs.AddNew();
        try {
            AsignaCampo(rs, campo, QStringLiteral("12a"));
            QFAIL("no error");
        } catch (const q42::Error& e) {
            QCOMPARE(e.number(), q42::err::WrongType);
            ScriptedMessages mensajes;
            QCOMPARE(ErrorGrabacion(e, campo), 0);
            QCOMPARE(mensajes.count(), 1);
            QCOMPARE(mensajes.last().title, QString("Error en conversion de datos"));
            QCOMPARE(mensajes.last().prompt, kConversion + campo);
            QCOMPARE(mensajes.last().style, q42::vbOKOnly + q42::vbCritical);
        }
        rs.CancelUpdate();
    }

    // Real constraint failures of the engine, as the save meets them.
    void constraintMessages_data() {
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<int>("nativo");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("cola");
        QTest::newRow("duplicate key")
            << "INSERT INTO DJ_PRUEBA (Periodo) VALUES ('01/2024')" << 2627 << "Clave Duplicada"
            << "\r\n\r\nLa grabacion se ha cancelado... Cambie el campo principal e intente "
               "grabar nuevamente";
        QTest::newRow("null not allowed")
            << "INSERT INTO DJ_PRUEBA (Periodo, Responsable) VALUES ('02/2024', NULL)" << 515
            << "Error en conversion de datos - NULOS NO PERMITIDO"
            << "";
    }
    void constraintMessages() {
        QFETCH(QString, sentencia);
        QFETCH(int, nativo);
        QFETCH(QString, titulo);
        QFETCH(QString, cola);
        ejecuta("INSERT INTO DJ_PRUEBA (Periodo) VALUES ('01/2024')");
        ScriptedMessages mensajes;
        try {
            ejecuta(sentencia);
            QFAIL("no error");
        } catch (const q42::Error& e) {
            const ado::Error primero = db().gCnn->errors().Item(0);
            QCOMPARE(primero.NativeError, nativo);
            QCOMPARE(ErrorGrabacion(e, QStringLiteral("Periodo")), 0);
            QCOMPARE(mensajes.count(), 1);
            QCOMPARE(mensajes.last().title, titulo);
            QCOMPARE(mensajes.last().prompt, QStringLiteral("Descripcion del Error: %1 - %2")
                                                     .arg(nativo)
                                                     .arg(primero.Description) +
                                                 cola);
            QVERIFY(db().gCnn->errors().isEmpty());
        }
    }

    void native1010() {
        ScriptedMessages mensajes;
        db().gCnn->errors().Add(
            {QStringLiteral("22018"), 0, QStringLiteral("conversion"), 1010, QString()});
        QCOMPARE(ErrorGrabacion(q42::Error(-1, QStringLiteral("x")), QStringLiteral("Trigo")), 0);
        QCOMPARE(mensajes.last().title, QString("Error en conversion de datos "));
        QCOMPARE(mensajes.last().prompt, kConversion + "Trigo");
        QVERIFY(db().gCnn->errors().isEmpty());
    }

    // Anything else goes to the component's error dialog; only retry,
    // ignore and abort pass through.
    void otherErrors_data() {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<int>("resultado");
        QTest::newRow("retry") << 4 << 4;
        QTest::newRow("ignore") << 5 << 5;
        QTest::newRow("abort") << 3 << 3;
        QTest::newRow("ok") << 1 << 0;
        QTest::newRow("cancel") << 2 << 0;
    }
    void otherErrors() {
        QFETCH(int, respuesta);
        QFETCH(int, resultado);
        ScriptedMessages mensajes;
        mensajes.answer(respuesta);
        db().gCnn->errors().Add({QStringLiteral("HY000"), 0, QStringLiteral("otro"), 999, {}});
        const q42::Error e(q42::err::RowNotFoundForUpdate, QStringLiteral("Row cannot be located"));
        QCOMPARE(ErrorGrabacion(e, QStringLiteral("Trigo")), resultado);
        QCOMPARE(mensajes.count(), 1);
        QVERIFY(mensajes.last().prompt.contains(QStringLiteral("Actualizar Datos")));
        QCOMPARE(db().gCnn->errors().Count(), 1); // left for the caller
    }
};

QTEST_GUILESS_MAIN(TstGrabacion)
#include "tst_grabacion.moc"
