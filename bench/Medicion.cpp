#include "Medicion.h"

#include "widgets/Modal.h"

#include "ado/Ado.h"
#include "core/Regional.h"
#include "db/DB_Dll.h"
#include "demo/DemoDb.h"
#include "lookup/Lib_ClsCons3.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sched.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace banco {

bool ensayo() {
    return qEnvironmentVariableIsSet("BANCO_ENSAYO");
}

int repeticiones(int porDefecto) {
    if (ensayo())
        return 2;
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("BANCO_REPETICIONES", &ok);
    return ok && n > 0 ? n : porDefecto;
}

int pares(int porDefecto) {
    return ensayo() ? repeticiones(porDefecto) : std::max(9, repeticiones(porDefecto));
}

int tamano(int completo) {
    return ensayo() ? std::max(1000, completo / 50) : completo;
}

double mejor(const std::vector<double>& muestras) {
    return muestras.empty() ? 0 : *std::min_element(muestras.begin(), muestras.end());
}

double mediana(std::vector<double> muestras) {
    if (muestras.empty())
        return 0;
    std::sort(muestras.begin(), muestras.end());
    const std::size_t m = muestras.size() / 2;
    return muestras.size() % 2 ? muestras[m] : (muestras[m - 1] + muestras[m]) / 2;
}

bool informa(const char* nombre, double valor, double objetivo, int decimales) {
    const bool cumple = valor <= objetivo;
    std::printf("%s: %.*f (target <= %g) %s\n", nombre, decimales, valor, objetivo,
                cumple ? "ok" : "MISS");
    std::fflush(stdout);
    return cumple;
}

void detalle(const QString& texto) {
    std::fprintf(stderr, "  %s\n", qUtf8Printable(texto));
}

Pares alterna(int pares, const std::function<double()>& programa,
              const std::function<double()>& base) {
    Pares p;
    for (int i = 0; i <= pares; ++i) {
        const double a = programa();
        const double b = base();
        if (i == 0)
            continue;
        p.programa.push_back(a);
        p.base.push_back(b);
        p.razones.push_back(b > 0 ? a / b : 0);
    }
    return p;
}

bool informaRazon(const char* nombre, const Pares& p, double objetivo) {
    const double valor = mediana(p.razones);
    const bool cumple = valor <= objetivo;
    const auto [menor, mayor] = std::minmax_element(p.razones.begin(), p.razones.end());
    std::printf("%s: %.2f (target <= %g) %s (spread %.2f-%.2f)\n", nombre, valor, objetivo,
                cumple ? "ok" : "MISS", p.razones.empty() ? 0 : *menor,
                p.razones.empty() ? 0 : *mayor);
    std::fflush(stdout);
    return cumple;
}

namespace {

QtMessageHandler g_anterior = nullptr;

// The offscreen platform tells of every window operation it lacks (raise,
// size hints); a benchmark's output keeps to its figures.
void filtraAvisos(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
    if (texto.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (g_anterior)
        g_anterior(tipo, contexto, texto);
}

} // namespace

Entorno::Entorno() {
    g_anterior = qInstallMessageHandler(filtraAvisos);
    q42::Regional::setLocale(QLocale(QLocale::Spanish, QLocale::Argentina));
    qputenv("Q42_CARPETA", QDir::toNativeSeparators(m_dir.path()).toLocal8Bit());
}

Entorno::~Entorno() {
    qunsetenv("Q42_CARPETA");
    qInstallMessageHandler(g_anterior);
}

namespace {

// A fixed piece of arithmetic, a few milliseconds long.
double vuelta() {
    return milisegundos([] {
        volatile unsigned x = 1;
        for (int i = 0; i < 4000000; ++i)
            x = x * 1664525u + 1013904223u;
    });
}

} // namespace

void unProcesador() {
    cpu_set_t permitidos;
    if (sched_getaffinity(0, sizeof permitidos, &permitidos) != 0)
        return;
    const QByteArray pedido = qgetenv("BANCO_PROCESADOR");
    if (pedido == "todos")
        return;
    int elegido = -1;
    double mejorMs = 0;
    for (int cpu = 0; cpu < CPU_SETSIZE && pedido.isEmpty(); ++cpu) {
        if (!CPU_ISSET(cpu, &permitidos))
            continue;
        cpu_set_t uno;
        CPU_ZERO(&uno);
        CPU_SET(cpu, &uno);
        if (sched_setaffinity(0, sizeof uno, &uno) != 0)
            continue;
        std::vector<double> ms;
        for (int i = 0; i < 3; ++i)
            ms.push_back(vuelta());
        if (elegido < 0 || mejor(ms) < mejorMs) {
            elegido = cpu;
            mejorMs = mejor(ms);
        }
    }
    if (!pedido.isEmpty())
        elegido = pedido.toInt();
    cpu_set_t uno;
    CPU_ZERO(&uno);
    CPU_SET(elegido, &uno);
    if (elegido < 0 || sched_setaffinity(0, sizeof uno, &uno) != 0) {
        sched_setaffinity(0, sizeof permitidos, &permitidos);
        return;
    }
    detalle(QStringLiteral("procesador %1 de %2").arg(elegido).arg(CPU_COUNT(&permitidos)));
}

SinPantalla::SinPantalla() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    unProcesador();
}

Programa::Programa(int& argc, char** argv) : app(argc, argv) {
    q42::instalaInterfazQt();
}

Operador::Operador() {
    q42::setMessageService(this);
}

Operador::~Operador() {
    q42::setMessageService(nullptr);
}

int Operador::msgBox(const QString& prompt, int style, const QString&) {
    ++m_mensajes;
    m_ultimo = prompt;
    // The first button of each set: OK, OK, Abort, Yes, Yes, Retry.
    static constexpr int kPrimero[] = {q42::vbOK,  q42::vbOK,  q42::vbAbort,
                                       q42::vbYes, q42::vbYes, q42::vbRetry};
    const int botones = style & 0x0F;
    return botones < int(std::size(kPrimero)) ? kPrimero[botones] : q42::vbOK;
}

std::optional<QString> Operador::inputBox(const QString& prompt, const QString&, const QString&) {
    ++m_mensajes;
    m_ultimo = prompt;
    return std::nullopt;
}

QString baseDemo(const QString& nombre, const demo::DemoOptions& opciones) {
    const QString carpeta = qEnvironmentVariable("BANCO_DATOS", QStringLiteral("datos-banco"));
    QDir().mkpath(carpeta);
    // A rehearsal's small databases never pass for the real ones.
    const QString ruta =
        QDir(carpeta).absoluteFilePath(ensayo() ? QStringLiteral("ensayo-") + nombre : nombre);
    if (QFileInfo::exists(ruta))
        return ruta;
    detalle(QStringLiteral("creando %1").arg(ruta));
    QString error;
    if (!demo::createDemoDatabase(ruta, opciones, &error))
        qFatal("%s", qUtf8Printable(error));
    return ruta;
}

QString copiaDe(const QString& original, const QString& carpeta) {
    const QString copia = QDir(carpeta).filePath(QFileInfo(original).fileName());
    QFile::remove(copia);
    if (!QFile::copy(original, copia))
        qFatal("no se pudo copiar %s", qUtf8Printable(original));
    return copia;
}

bool abreConexion(const QString& ruta) {
    DB_Dll& db = DB_Dll::instance();
    db.OpenServerADODB(false, ado::adUseClient,
                       QStringLiteral("Provider=SQLite;Data Source=%1;").arg(ruta), false);
    db.gUsuario = QStringLiteral("operador");
    return db.gOpenFlag;
}

QString conectaDemo(const QString& nombre, const demo::DemoOptions& opciones) {
    const QString base = baseDemo(nombre, opciones);
    if (!abreConexion(base))
        qFatal("sin conexión con %s", qUtf8Printable(base));
    return base;
}

void cierraConexion() {
    Lib_ClsCons3::release();
    DB_Dll::release();
}

Hijo ejecuta(const QStringList& argumentos, const QString& entrada, const QStringList& entorno) {
    std::vector<QByteArray> textos;
    for (const QString& a : argumentos)
        textos.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& t : textos)
        argv.push_back(t.data());
    argv.push_back(nullptr);

    // The added entries first: the first of a name wins.
    std::vector<QByteArray> variables;
    for (const QString& e : entorno)
        variables.push_back(e.toLocal8Bit());
    for (char** e = environ; *e; ++e)
        variables.emplace_back(*e);
    std::vector<char*> envp;
    for (QByteArray& v : variables)
        envp.push_back(v.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    const QByteArray desde = entrada.isEmpty() ? QByteArray("/dev/null") : entrada.toLocal8Bit();
    posix_spawn_file_actions_addopen(&acciones, 0, desde.constData(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&acciones, 1, "/dev/null", O_WRONLY, 0);

    Hijo hijo;
    QElapsedTimer reloj;
    reloj.start();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &acciones, nullptr, argv.data(), envp.data()) != 0)
        qFatal("no se pudo ejecutar %s", argv[0]);
    int estado = 0;
    rusage uso{};
    wait4(pid, &estado, 0, &uso);
    hijo.ms = double(reloj.nsecsElapsed()) / 1e6;
    posix_spawn_file_actions_destroy(&acciones);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + t.tv_usec / 1e3; };
    hijo.cpuMs = ms(uso.ru_utime) + ms(uso.ru_stime);
    hijo.picoKb = uso.ru_maxrss;
    hijo.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    return hijo;
}

Red& red() {
    static Red r;
    return r;
}

void simulaRed() {
    ado::Connection::setTrace([](const QString&) {
        ++red().sentencias;
        if (red().demora)
            QThread::msleep(Red::kDemoraMs);
    });
}

void sinRed() {
    red().demora = false;
    ado::Connection::setTrace(nullptr);
}

} // namespace banco
