// The program q42: reads its command line, starts (connection, settings,
// lookup service) and opens the declaration window.

#include "db/DB_Dll.h"
#include "declaration/FrmQ42.h"
#include "declaration/Impresion.h"
#include "demo/DemoDb.h"
#include "lookup/Lib_ClsCons3.h"
#include "startup/boot/Inicio.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <cstdio>

namespace {

const char* const kAyuda =
    "Uso: q42 [parametros] [--demo] [--pdf PERIODO ARCHIVO] | --version | --help\n"
    "\n"
    "Declaraciones Juradas de existencias y movimientos (Q42).\n"
    "\n"
    "Parametros, cada uno como Clave=Valor; (en cualquier orden):\n"
    "  @Server=<servidor>;       servidor de SQL Server (protocolo/host:puerto o host);\n"
    "                            con \"#\" delante (#<nombre>) la conexion es a ORACLE;\n"
    "                            vacio o ausente: se pide en el dialogo de acceso\n"
    "  @DbName=<base>;           base de datos (en ORACLE, el origen de datos)\n"
    "  @Usuario=<usuario>;       usuario de la base de datos\n"
    "  @Password=<clave>;        contrasena del usuario\n"
    "  @Archivo=<archivo>;       base SQLite en un archivo existente, sin dialogo de acceso\n"
    "  @Caja=<caja>;             caja de trabajo (1 si no se indica)\n"
    "  @Menu=<menu>;             menu de origen\n"
    "  @ParametroAdicional=<x>;  parametro adicional\n"
    "  @UsuarioLogeado=<nombre>; usuario que inicio la sesion\n"
    "\n"
    "Opciones:\n"
    "  --demo     crea (la primera vez) y abre la base de demostracion\n"
    "  --pdf PERIODO ARCHIVO\n"
    "             escribe en ARCHIVO el PDF de la declaracion guardada del periodo\n"
    "             (MM/AAAA), sin abrir ninguna ventana, y termina\n"
    "  --version  muestra la version y termina\n"
    "  --help     muestra esta ayuda y termina\n"
    "\n"
    "Ejemplos:\n"
    "  q42 @Server=SERVIDOR1; @DbName=EMPRESA; @Usuario=sa; @Password=secreto;\n"
    "  q42 @Server=#; @DbName=ORCL; @Usuario=q42;\n"
    "  q42 @Server=#ORASRV; @DbName=ORCL; @Usuario=q42; @Password=secreto;\n"
    "  q42 @Archivo=/home/operador/molino.sqlite;\n"
    "  q42 --demo\n"
    "  q42 --demo --pdf 06/2025 declaracion.pdf\n";

} // namespace

int main(int argc, char* argv[]) {
    // The original program received one parameter text; the shell splits it.
    QStringList argumentos;
    bool demo = false;
    bool pdf = false;
    QString pdfPeriodo, pdfArchivo;
    for (int i = 1; i < argc; ++i) {
        const QString argumento = QString::fromLocal8Bit(argv[i]);
        if (argumento == QLatin1String("--help") || argumento == QLatin1String("-h")) {
            std::fputs(kAyuda, stdout);
            return 0;
        }
        if (argumento == QLatin1String("--version")) {
            std::printf("q42 %s\n", Q42_VERSION);
            return 0;
        }
        if (argumento == QLatin1String("--demo")) {
            demo = true;
        } else if (argumento == QLatin1String("--pdf")) {
            if (i + 2 >= argc) {
                std::fputs("q42: --pdf necesita el periodo (MM/AAAA) y el archivo\n", stderr);
                return 2;
            }
            pdf = true;
            pdfPeriodo = QString::fromLocal8Bit(argv[++i]);
            pdfArchivo = QString::fromLocal8Bit(argv[++i]);
        } else {
            argumentos.append(argumento);
        }
    }
    QString parametros = argumentos.join(QLatin1Char(' '));

    // The batch PDF opens no window, so it needs no display.
    if (pdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Q42"));
    QApplication::setApplicationVersion(QStringLiteral(Q42_VERSION));

    if (demo) {
        QString ruta, error;
        if (!demo::ensureDemoDatabase(&ruta, &error)) {
            std::fprintf(stderr, "q42: %s\n", qUtf8Printable(error));
            return 1;
        }
        // Ahead of the rest: the first occurrence of a key wins.
        parametros = QStringLiteral("@Archivo=") + ruta + QStringLiteral("; ") + parametros;
    }

    if (pdf)
        return declaracion::pdfEnLote(parametros, pdfPeriodo, pdfArchivo);

    if (!IniciaSistema(parametros)) {
        // The operator cancelled the login or declined to retry.
        Lib_ClsCons3::release();
        DB_Dll::release();
        return 1;
    }

    int codigo = 0;
    {
        FrmQ42 ventana;
        // Closing the window (Form_Unload) ends the program.
        QObject::connect(&ventana, &FrmQ42::terminado, &app, &QApplication::quit,
                         Qt::QueuedConnection);
        ventana.Form_Load();
        ventana.show();
        // Start-up measurements (bench/) end the program once its window is
        // up and the event loop has handled everything the start left.
        if (qEnvironmentVariableIsSet("Q42_SALIR_AL_ESTAR_LISTO"))
            QTimer::singleShot(0, &app, &QApplication::quit);
        codigo = QApplication::exec();
    }
    Lib_ClsCons3::release();
    DB_Dll::release();
    return codigo;
}
