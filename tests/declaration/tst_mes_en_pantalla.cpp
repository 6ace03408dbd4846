// The month on screen without a window: what counts as a change, and what
// the carry-over changed in a stored month.

#include "EntornoPrueba.h"
#include "declaration/MesEnPantalla.h"

#include <QtTest>

using namespace declaracion;

namespace {

// A stored 03/2025 with wheat 1671,08 and 000 at 10 in stock, carried from
// 02/2025 as `trigo` and `f000`, then the boxes typed as `escritas`
// ("box=text").
MesEnPantalla mesGuardado(const QString& trigo, const QString& f000,
                          const QStringList& escritas = {}) {
    MesEnPantalla m;
    m.ponCaja(kCajaPeriodo, QStringLiteral("03/2025"));
    m.ponCaja(kCajaPExistencia, QStringLiteral("1671,08"));
    m.ponCaja(caja(Fila::Existencia, 0), QStringLiteral("10,00"));
    m.ponCaja(kCajaObservaciones, QStringLiteral("nota"));
    m.abre(QStringLiteral("03/2025"), EstadoMes::Guardado);
    const std::vector<std::pair<int, QString>> arrastre = {{kCajaPExistencia, trigo},
                                                           {caja(Fila::Existencia, 0), f000}};
    m.ponArrastre(QStringLiteral("02/2025"), arrastre);
    for (const auto& [c, t] : arrastre)
        m.ponCaja(c, t);
    for (const QString& e : escritas)
        m.ponCaja(e.section(QLatin1Char('='), 0, 0).toInt(), e.section(QLatin1Char('='), 1));
    return m;
}

} // namespace

class TstMesEnPantalla : public QObject {
    Q_OBJECT
    EntornoPrueba env;

private Q_SLOTS:
    void cambios_data() {
        QTest::addColumn<QString>("trigo"); // carried wheat
        QTest::addColumn<QStringList>("escritas");
        QTest::addColumn<bool>("conCambios");
        QTest::addColumn<QString>("aviso");
        QTest::addColumn<QStringList>("hallazgos");
        QTest::newRow("carried as stored: no change")
            << "1671,08" << QStringList() << false << "" << QStringList();
        QTest::newRow("the same figure written otherwise")
            << "1671,080" << QStringList{"40=nota "} << false << "" << QStringList();
        QTest::newRow("carried over a stored figure")
            << "967,20" << QStringList() << true
            << "Existencias iniciales tomadas del cierre de 02/2025: trigo 1.671,08 → 967,20"
            << QStringList{"Existencia inicial de trigo: 967,20 tomada del cierre de 02/2025 "
                           "(la grabada es 1.671,08)"};
        QTest::newRow("the stored figure put back differs from the close")
            << "967,20" << QStringList{"1=1671,08"} << false << ""
            << QStringList{"Existencia inicial de trigo 1.671,08 difiere del cierre de 02/2025 "
                           "(967,20)"};
        QTest::newRow("a cent is a difference")
            << "1671,07" << QStringList{"1=1671,08"} << false << ""
            << QStringList{"Existencia inicial de trigo 1.671,08 difiere del cierre de 02/2025 "
                           "(1.671,07)"};
        QTest::newRow("a remark typed is a change")
            << "1671,08" << QStringList{"40=otra"} << true << "" << QStringList();
        QTest::newRow("the period is the key, not an entry")
            << "1671,08" << QStringList{"0=04/2025"} << false << "" << QStringList();
    }
    void cambios() {
        QFETCH(QString, trigo);
        QFETCH(QStringList, escritas);
        QFETCH(bool, conCambios);
        QFETCH(QString, aviso);
        QFETCH(QStringList, hallazgos);
        const MesEnPantalla m = mesGuardado(trigo, QStringLiteral("10"), escritas);
        QCOMPARE(m.conCambios(), conCambios);
        QCOMPARE(m.avisoDeArrastre(), aviso);
        QStringList textos;
        for (const Hallazgo& h : m.hallazgosDeArrastre()) {
            textos << h.texto;
            QCOMPARE(h.caja, kCajaPExistencia);
            // "Revisar" on a carried change brings the stored figure back.
            QCOMPARE(h.restaura, h.texto.contains(QStringLiteral("tomada")) ? "1671,08" : "");
        }
        QCOMPARE(textos, hallazgos);
        QCOMPARE(m.titulo(), conCambios ? "03/2025 — con cambios" : "03/2025 — guardada");
    }

    // Nothing is saved under a period typed and not confirmed.
    void claveDeGrabacion_data() {
        QTest::addColumn<QString>("enPantalla"); // "" without a month
        QTest::addColumn<QString>("escrito");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("the month on screen") << "05/2025"
                                             << " 05/2025 "
                                             << "";
        QTest::newRow("another month typed")
            << "05/2025"
            << "09/2025" << mensajeOtroPeriodo("09/2025", "05/2025");
        QTest::newRow("nothing confirmed") << ""
                                           << "05/2025" << kMensajeSinDeclaracion;
        QTest::newRow("period cleared") << "05/2025"
                                        << "" << kMensajePeriodoVacio;
        QTest::newRow("half a period") << "05/2025"
                                       << "05/20" << kMensajePeriodoInvalido;
    }
    void claveDeGrabacion() {
        QFETCH(QString, enPantalla);
        QFETCH(QString, escrito);
        QFETCH(QString, motivo);
        MesEnPantalla m;
        if (!enPantalla.isEmpty())
            m.abre(enPantalla, EstadoMes::Guardado);
        QCOMPARE(m.motivoParaNoGuardar(escrito), motivo);
    }

    // A new month is what was prepared for it: the carried stocks are its
    // starting point, not changes, and nothing is listed about them.
    void mesNuevo() {
        MesEnPantalla m;
        m.abre(QStringLiteral("07/2025"), EstadoMes::Nuevo);
        m.ponArrastre(QStringLiteral("06/2025"), {{kCajaPExistencia, QStringLiteral("967,20")}});
        m.ponCaja(kCajaPExistencia, QStringLiteral("967,20"));
        m.fijaReferencia();
        QVERIFY(!m.conCambios());
        QCOMPARE(m.titulo(), QStringLiteral("07/2025 — nueva"));
        QVERIFY(m.hallazgosDeArrastre().empty());
        m.ponCaja(kCajaPIngresos, QStringLiteral("5"));
        QCOMPARE(m.titulo(), QStringLiteral("07/2025 — con cambios"));
        m.cierra();
        QVERIFY(!m.conCambios());
        QVERIFY(m.titulo().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstMesEnPantalla)
#include "tst_mes_en_pantalla.moc"
