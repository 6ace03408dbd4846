#pragma once

// What the benchmark programs share: repeated timings, the figure line,
// the program's regional settings and application folder, a stand-in for
// the operator, demo databases kept between runs and child processes
// measured by the kernel.

#include "core/MsgBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <vector>

namespace demo {
struct DemoOptions;
}

namespace banco {

// A rehearsal (BANCO_ENSAYO set): small databases and two repetitions, to
// show that every program still runs and prints its lines; its figures
// mean nothing. ./test.sh rehearses on its Debug build.
bool ensayo();
// Repetitions of each measurement: BANCO_REPETICIONES, or `porDefecto`;
// two in a rehearsal.
int repeticiones(int porDefecto);
// Pairs for a ratio: at least nine, but two in a rehearsal.
int pares(int porDefecto);
// A size of the measured data: `completo`, or a fiftieth of it (at least
// a thousand) in a rehearsal.
int tamano(int completo);

template <class F> double milisegundos(F&& f) {
    QElapsedTimer reloj;
    reloj.start();
    f();
    return double(reloj.nsecsElapsed()) / 1e6;
}

// Under load other programs only ever add time: the best sample is the
// one closest to the program's own cost.
double mejor(const std::vector<double>& muestras);
double mediana(std::vector<double> muestras);

// One figure on standard output, "<name>: <value> (target <= <target>) ok"
// or "... MISS"; true when the target is met. Details go to stderr.
bool informa(const char* nombre, double valor, double objetivo, int decimales = 2);
void detalle(const QString& texto);

// A program against its baseline, run in turns (program, baseline,
// program...): load from other programs falls on both alike. The first
// pair only warms the caches.
struct Pares {
    std::vector<double> programa;
    std::vector<double> base;
    std::vector<double> razones; // each pair's program / baseline
};
Pares alterna(int pares, const std::function<double()>& programa,
              const std::function<double()>& base);
// The median ratio judged, its spread (lowest and highest) beside it:
// "<name>: <median> (target <= <target>) ok (spread <low>-<high>)".
bool informaRazon(const char* nombre, const Pares& p, double objetivo);

// Spanish (Argentina) regional settings and a private application folder
// (Q42_CARPETA), as the program runs at a customer's.
class Entorno {
public:
    Entorno();
    ~Entorno();
    QString carpeta() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// Stands in for the operator: answers every message box with its first
// button and counts them. A benchmark that meets a message measured
// something other than the work it names.
class Operador : public q42::MessageService {
public:
    Operador();
    ~Operador() override;
    int msgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    int mensajes() const { return m_mensajes; }
    QString ultimo() const { return m_ultimo; }

private:
    int m_mensajes = 0;
    QString m_ultimo;
};

// Runs this process, and the programs it starts, on one processor: the
// fastest of those allowed, timed at start, or BANCO_PROCESADOR=<n>
// ("todos" leaves all). The virtual processors of one machine can differ
// in speed by half again: a pair split between two of them, or a program
// moved from one to the other, judges the processors, not the program.
void unProcesador();

// What an in-process benchmark starts with: the offscreen platform unless
// another is asked for, one processor, the application, the regional
// settings and folder, the stand-in operator.
struct SinPantalla {
    SinPantalla();
};
struct Programa : SinPantalla {
    Programa(int& argc, char** argv);
    QApplication app;
    Entorno entorno;
    Operador operador;
};

// The demo database `nombre` in the data folder (BANCO_DATOS, created when
// missing), made once with `opciones`: big ones take a while.
QString baseDemo(const QString& nombre, const demo::DemoOptions& opciones);
// A working copy of a kept database, so a run never changes the original.
QString copiaDe(const QString& original, const QString& carpeta);
// Opens the file as the program's connection (DB_Dll); false on failure.
bool abreConexion(const QString& ruta);
// baseDemo, then abreConexion; ends the benchmark when it cannot connect.
QString conectaDemo(const QString& nombre, const demo::DemoOptions& opciones);
void cierraConexion();

// A child process run to its end: wall time, processor time and peak
// resident memory (wait4), exit code.
struct Hijo {
    double ms = 0;
    double cpuMs = 0; // user and system time
    long picoKb = 0;
    int codigo = -1;
};
// `entrada` (a file) becomes its standard input, its output is discarded;
// `entorno` entries ("NAME=value") are added to this process's environment.
Hijo ejecuta(const QStringList& argumentos, const QString& entrada = QString(),
             const QStringList& entorno = QStringList());

// The mill's network as the benchmarks simulate it: every statement the
// connection sends is counted and, while `demora` is on, waits kDemoraMs,
// a round trip on a VPN. simulaRed installs it on the connection's trace,
// sinRed takes it off.
struct Red {
    static constexpr int kDemoraMs = 5;
    int sentencias = 0;
    bool demora = false;
};
Red& red();
void simulaRed();
void sinRed();

} // namespace banco
