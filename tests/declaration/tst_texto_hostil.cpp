// Every box of the declaration window whose text reaches a statement, tried
// with apostrophes, "--", an injected DROP and 10 000 characters: the window
// is driven as the operator does (confirm, "&Calcular", "GRABAR"), every
// text handed to the engine is recorded, and afterwards only reads and the
// save itself have run, no statement was broken, and DJ_Q42 is whole.

#include "FormularioPrueba.h"
#include "declaration/ColumnasDeclaracion.h"
#include "widgets/Formularios.h"

#include <QFile>
#include <QRegularExpression>

using namespace prueba;

namespace {

// A statement without the contents of its string literals: what the engine
// reads as SQL.
QString sinLiterales(const QString& sql) {
    static const QRegularExpression literal(QStringLiteral("'(?:[^']|'')*'"));
    return QString(sql).replace(literal, QStringLiteral("''"));
}

QString primeraPalabra(const QString& sql) {
    return sql.trimmed().section(QRegularExpression(QStringLiteral("[\\s(]")), 0, 0).toUpper();
}

QStringList tabla(const QString& ruta) {
    QStringList out;
    for (const QVariantList& fila : filas(ruta, QStringLiteral("SELECT * FROM DJ_Q42 ORDER BY 1")))
        out << QVariant(fila).toStringList().join(QLatin1Char('|'));
    return out;
}

QStringList esquema(const QString& ruta) {
    QStringList out;
    for (const QVariantList& fila :
         filas(ruta, QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY name")))
        out << QVariant(fila).toStringList().join(QLatin1Char('|'));
    return out;
}

// The column a box writes: its data field, or the settings column.
QString columnaDe(const QLineEdit* c) {
    const QString campo = c->property(q42::Formularios::DataField).toString();
    if (!campo.isEmpty())
        return campo;
    for (const declaracion::CajaAjuste& a : declaracion::kAjustes)
        if (c->objectName() == QLatin1String(a.control))
            return QLatin1String(a.columna);
    return QString();
}

bool esNumero(const QString& columna) {
    return columna.startsWith(QLatin1String("P_")) || columna.startsWith(QLatin1String("SP"));
}

const QString kInyeccion = QStringLiteral(";DROP TABLE DJ_Q42;--");

} // namespace

class TstTextoHostil : public QObject {
    Q_OBJECT
    TestEnv env;
    QString modelo;
    QString ruta;
    int numeroBase = 0;
    QStringList sentencias;

private Q_SLOTS:
    void initTestCase() {
        modelo = abreBase(env, QStringLiteral("modelo.sqlite"), 2025, 6);
        cierraBase();
    }
    void init() {
        ruta = env.ruta(QStringLiteral("h%1.sqlite").arg(++numeroBase));
        QVERIFY(QFile::copy(modelo, ruta));
        DB_Dll& db = DB_Dll::instance();
        db.OpenServerADODB(false, ado::adUseClient,
                           QStringLiteral("Provider=SQLite;Data Source=%1;").arg(ruta), false);
        QVERIFY(db.gOpenFlag);
    }
    void cleanup() {
        ado::Connection::setTrace({});
        sentencias.clear();
        cierraBase();
    }

    // Each box with each text. A box of txtFields is confirmed with Enter;
    // the code lists and the unit are used by "&Calcular"; then the
    // declaration is saved (07/2025, a month with sales and no row yet).
    void cajaConTextoHostil_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("texto");
        const QStringList controles = {
            QStringLiteral("txtFields_0"),     QStringLiteral("txtFields_2"),
            QStringLiteral("txtFields_25"),    QStringLiteral("txtFields_40"),
            QStringLiteral("Txt000"),          QStringLiteral("TxtPellet"),
            QStringLiteral("TxtEquiv"),        QStringLiteral("TxtSAGPyA"),
            QStringLiteral("TxtResponsalble"), QStringLiteral("TxtCosecha")};
        const QList<std::pair<const char*, QString>> textos = {
            {"apostrophe", QStringLiteral("O'Brien")},
            {"dashes", QStringLiteral("1--")},
            {"drop", QLatin1Char('\'') + kInyeccion},
            {"drop in a quoted code", QStringLiteral("'1'") + kInyeccion + QLatin1Char('\'')},
            {"10000 characters", QStringLiteral("';--").repeated(2500)},
        };
        for (const QString& c : controles)
            for (const auto& [nombre, texto] : textos)
                QTest::addRow("%s, %s", qPrintable(c), nombre) << c << texto;
    }
    void cajaConTextoHostil() {
        QFETCH(QString, control);
        QFETCH(QString, texto);
        ScriptedMessages msgs;
        auto f = abreVentana();
        QLineEdit* c = f->findChild<QLineEdit*>(control);
        QVERIFY(c);
        const bool esPeriodo = c == caja(*f, 0);
        if (!esPeriodo)
            escribe(*f, 0, QStringLiteral("07/2025"));
        const QStringList esquemaAntes = esquema(ruta);
        const QStringList antes = tabla(ruta);

        ado::Connection::setTrace([this](const QString& s) { sentencias << s; });
        c->setText(texto);
        const QString enCaja = c->text(); // the box's own limit applies
        const int indice = f->cajas().indexOf(c);
        if (indice >= 0) {
            c->setFocus();
            QTest::keyClick(c, Qt::Key_Return);
        } else {
            f->CmdCalcular_Click();
        }
        f->PanelBar1_ButtonClick(QStringLiteral("GRABAR"));
        ado::Connection::setTrace({});

        // Only reads and the save ran, each text one statement, the operator's
        // text inside literals or bound; no statement was broken by it.
        for (const ScriptedMessages::Shown& m : msgs.shown())
            QVERIFY2(!m.prompt.contains(QStringLiteral("syntax error")) &&
                         !m.prompt.contains(QStringLiteral("unrecognized token")),
                     qPrintable(m.prompt));
        for (const QString& s : std::as_const(sentencias)) {
            const QString sql = sinLiterales(s);
            QVERIFY2(QStringList({"SELECT", "INSERT", "UPDATE"}).contains(primeraPalabra(s)),
                     qPrintable(s.left(300)));
            QVERIFY2(!sql.contains(QLatin1Char(';')) && !sql.contains(QStringLiteral("--")) &&
                         !sql.contains(QStringLiteral("DROP"), Qt::CaseInsensitive),
                     qPrintable(s.left(300)));
        }
        QCOMPARE(esquema(ruta), esquemaAntes);
        QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo <> '07/2025'")), int(antes.size()));
        const QStringList despues = tabla(ruta);
        for (const QString& fila : antes)
            QVERIFY(despues.contains(fila));

        // A text column saved holds the text as the box held it, whole.
        const QString columna = columnaDe(c);
        if (!columna.isEmpty() && !esNumero(columna) &&
            cuenta(ruta, QStringLiteral("WHERE Periodo = '07/2025'")) == 1)
            QCOMPARE(valor(ruta, QStringLiteral("SELECT %1 FROM DJ_Q42 WHERE Periodo = '07/2025'")
                                     .arg(columna))
                         .toString(),
                     enCaja.trimmed());
        QVERIFY(!f->Grabando());
    }
};

QTEST_MAIN(TstTextoHostil)
#include "tst_texto_hostil.moc"
