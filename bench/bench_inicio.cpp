// From start to ready window: the real "q42 --demo" against an empty Qt
// Widgets program, both started alike as child processes and both leaving
// once their window is up and the event loop idle (Q42_SALIR_AL_ESTAR_LISTO).
// Time from spawn to exit, and peak resident memory as the kernel counts it.

#include "Medicion.h"

#include <QCoreApplication>
#include <QDir>

namespace {

struct Programa {
    const char* nombre;
    QStringList argumentos;
    std::vector<double> ms;
    std::vector<double> cpuMs;
    std::vector<double> picoKb;
};

void corre(Programa& p, const QStringList& entorno, bool cuenta) {
    const banco::Hijo h = banco::ejecuta(p.argumentos, QString(), entorno);
    if (h.codigo != 0)
        qFatal("%s terminó con %d", p.nombre, h.codigo);
    if (!cuenta)
        return;
    p.ms.push_back(h.ms);
    p.cpuMs.push_back(h.cpuMs);
    p.picoKb.push_back(double(h.picoKb));
}

} // namespace

int main(int argc, char* argv[]) {
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
    Programa q42{"q42", {QStringLiteral(Q42_PROGRAMA), QStringLiteral("--demo")}, {}, {}, {}};
    Programa vacio{"vacio", {QStringLiteral(Q42_VACIO)}, {}, {}, {}};

    // The first start makes the demo database and the lookup masks.
    corre(q42, entorno, false);
    corre(vacio, entorno, false);
    for (int i = 0, n = banco::repeticiones(9); i < n; ++i) {
        corre(q42, entorno, true);
        corre(vacio, entorno, true);
    }
    const double tiempo = banco::mejor(q42.ms) / banco::mejor(vacio.ms);
    const double memoria = banco::mediana(q42.picoKb) / banco::mediana(vacio.picoKb);
    banco::detalle(QStringLiteral("inicio: q42 --demo %1 ms (procesador %2 ms), %3 MB; vacío "
                                  "%4 ms (procesador %5 ms), %6 MB")
                       .arg(banco::mejor(q42.ms), 0, 'f', 1)
                       .arg(banco::mejor(q42.cpuMs), 0, 'f', 1)
                       .arg(banco::mediana(q42.picoKb) / 1024, 0, 'f', 1)
                       .arg(banco::mejor(vacio.ms), 0, 'f', 1)
                       .arg(banco::mejor(vacio.cpuMs), 0, 'f', 1)
                       .arg(banco::mediana(vacio.picoKb) / 1024, 0, 'f', 1));
    bool cumple = banco::informa("inicio_tiempo", tiempo, 2);
    cumple &= banco::informa("inicio_memoria", memoria, 1.5);
    return cumple ? 0 : 1;
}
