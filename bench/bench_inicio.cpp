// From start to ready window: the real "q42 --demo" against an empty Qt
// Widgets program, both started alike as child processes and both leaving
// once their window is up and the event loop idle (Q42_SALIR_AL_ESTAR_LISTO).
// Time from spawn to exit, and peak resident memory as the kernel counts it,
// in interleaved pairs.

#include "Medicion.h"

#include <QCoreApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    // Both programs on the same processor, as every other pair: the
    // program's second thread then shares it with the first.
    banco::unProcesador();
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("carpeta"));
    const QString plataforma = qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen"));
    // The demo database and the program's files in a folder of their own.
    const QStringList entorno{
        QStringLiteral("QT_QPA_PLATFORM=") + plataforma,
        QStringLiteral("Q42_SALIR_AL_ESTAR_LISTO=1"),
        QStringLiteral("XDG_DATA_HOME=") + dir.filePath(QStringLiteral("datos")),
        QStringLiteral("Q42_CARPETA=") + dir.filePath(QStringLiteral("carpeta")),
    };
    const QStringList q42{QStringLiteral(Q42_PROGRAMA), QStringLiteral("--demo")};
    const QStringList vacio{QStringLiteral(Q42_VACIO)};
    std::vector<double> cpuQ42, cpuVacio, memQ42, memVacio;
    const auto corre = [](const QStringList& programa, const QStringList& variables,
                          std::vector<double>& cpu, std::vector<double>& memoria) {
        const banco::Hijo h = banco::ejecuta(programa, QString(), variables);
        if (h.codigo != 0)
            qFatal("%s terminó con %d", qUtf8Printable(programa.first()), h.codigo);
        cpu.push_back(h.cpuMs);
        memoria.push_back(double(h.picoKb));
        return h.ms;
    };

    // The warming pair's start makes the demo database and the lookup masks.
    const banco::Pares tiempo = banco::alterna(
        banco::pares(11), [&] { return corre(q42, entorno, cpuQ42, memQ42); },
        [&] { return corre(vacio, entorno, cpuVacio, memVacio); });
    // Beside the figure, not judged: against an empty window with one text
    // box, which sets up Qt's fonts as the program's window must.
    QStringList conCaja = entorno;
    conCaja << QStringLiteral("Q42_VACIO_CON_CAJA=1");
    std::vector<double> cpuAparte, memAparte; // not part of the judged figures
    const banco::Pares caja = banco::alterna(
        banco::pares(11), [&] { return corre(q42, entorno, cpuAparte, memAparte); },
        [&] { return corre(vacio, conCaja, cpuAparte, memAparte); });
    banco::detalle(QStringLiteral("inicio: contra una ventana vacía con una caja de texto %1 "
                                  "(ventana %2 ms; solo informativo)")
                       .arg(banco::mediana(caja.razones), 0, 'f', 2)
                       .arg(banco::mediana(caja.base), 0, 'f', 1));
    banco::Pares memoria;
    for (std::size_t i = 1; i < memVacio.size(); ++i)
        memoria.razones.push_back(memQ42[i] / memVacio[i]);
    banco::detalle(QStringLiteral("inicio: q42 --demo %1 ms (procesador %2 ms), %3 MB; vacío "
                                  "%4 ms (procesador %5 ms), %6 MB (medianas)")
                       .arg(banco::mediana(tiempo.programa), 0, 'f', 1)
                       .arg(banco::mediana(cpuQ42), 0, 'f', 1)
                       .arg(banco::mediana(memQ42) / 1024, 0, 'f', 1)
                       .arg(banco::mediana(tiempo.base), 0, 'f', 1)
                       .arg(banco::mediana(cpuVacio), 0, 'f', 1)
                       .arg(banco::mediana(memVacio) / 1024, 0, 'f', 1));
    bool cumple = banco::informaRazon("inicio_tiempo", tiempo, 2.0);
    cumple &= banco::informaRazon("inicio_memoria", memoria, 1.5);
    return cumple ? 0 : 1;
}
