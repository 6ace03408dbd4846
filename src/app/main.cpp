// The program q42: reads its command line, starts (connection, settings,
// lookup service) and opens the declaration window.

#include "boot/Inicio.h"
#include "core/Carpeta.h"
#include "db/DB_Dll.h"
#include "declaration/FrmQ42.h"
#include "declaration/Impresion.h"
#include "declaration/LibrosEnLote.h"
#include "demo/DemoDb.h"
#include "lookup/Lib_ClsCons3.h"
#include "widgets/Conectando.h"
#include "widgets/Modal.h"
#include "widgets/Precarga.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

namespace {

// "MM/AAAA" in shape, valid or not: after --pdf it tells a range's second
// period from the file name (a malformed one is refused later, not written
// to as a file).
bool pareceUnPeriodo(const QString& texto) {
    static const QRegularExpression forma(QStringLiteral("^\\s*\\d{1,2}/\\d{1,4}\\s*$"));
    return forma.match(texto).hasMatch();
}

// Qt's own dialogs (print, page set-up, files, the calendar's navigation)
// speak Spanish like the rest of the program: the system's Spanish variant
// when it has one, else Argentina's. Without the translations installed
// they stay in English; nothing to tell.
void cargaTraduccionesQt(QApplication& app) {
    static QTranslator qt;
    QLocale idioma = QLocale::system();
    if (idioma.language() != QLocale::Spanish)
        idioma = QLocale(QLocale::Spanish, QLocale::Argentina);
    if (qt.load(idioma, QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qt);
}

// The parameter text holds ";", which ends a command in the shell: the
// examples quote it.
const char* const kAyuda =
    "Uso: q42 [\"PARÁMETROS\"] [--demo] [--pdf PERIODO ARCHIVO]\n"
    "     q42 [\"PARÁMETROS\"] [--demo] --pdf DESDE HASTA ARCHIVO\n"
    "     q42 [\"PARÁMETROS\"] [--demo] --libros PERIODO\n"
    "     q42 --version | --help\n"
    "\n"
    "Declaraciones Juradas de existencias y movimientos (Q42).\n"
    "\n"
    "PARÁMETROS es un texto de entradas @Clave=valor; en cualquier orden, con espacios\n"
    "libres alrededor de claves y valores; las claves valen en mayúsculas o minúsculas.\n"
    "En la línea de órdenes va entre comillas, porque el intérprete corta en cada \";\".\n"
    "\n"
    "  @Server=<servidor>;       servidor de SQL Server: HOST o HOST,PUERTO\n"
    "                            (de protocolo/HOST:PUERTO se toma solo HOST, de\n"
    "                            tcp:HOST,PUERTO se toma HOST,PUERTO);\n"
    "                            con \"#\" delante (#<servidor>) la conexión es a ORACLE;\n"
    "                            vacío, ausente o \"#\" solo: se pide en el diálogo de acceso\n"
    "  @DbName=<base>;           base de datos (en ORACLE, el origen de datos)\n"
    "  @Usuario=<usuario>;       usuario de la base de datos\n"
    "  @Password=<contraseña>;   su contraseña; sin ella, si el servidor la exige, el\n"
    "                            programa ofrece reintentar y la pide en el diálogo de acceso\n"
    "  @Archivo=<archivo>;       base SQLite en un archivo existente, sin diálogo de acceso\n"
    "  @Caja=<caja>;             caja de trabajo (1 si no se indica)\n"
    "  @Menu=<menú>;             menú de origen\n"
    "  @ParametroAdicional=<x>;  parámetro adicional\n"
    "  @UsuarioLogeado=<nombre>; usuario que inició la sesión\n"
    "\n"
    "Cada clave se busca por su primera aparición: escriba @Usuario antes que\n"
    "@UsuarioLogeado. Un valor termina en el primer \";\" y pierde todo \"=\": una\n"
    "contraseña con esos caracteres se escribe en el diálogo de acceso, que la\n"
    "entrega tal cual (también con \";\", \"{\", \"}\" o blancos en los extremos).\n"
    "\n"
    "Opciones:\n"
    "  --demo                 crea (la primera vez) y abre la base de demostración,\n"
    "                         demo.sqlite en la carpeta del usuario\n"
    "  --pdf PERIODO ARCHIVO  escribe en ARCHIVO el PDF de la declaración guardada del\n"
    "                         período (MM/AAAA), sin abrir ninguna ventana, y termina\n"
    "  --pdf DESDE HASTA ARCHIVO\n"
    "                         lo mismo para las declaraciones guardadas de DESDE a HASTA\n"
    "                         (MM/AAAA, ambas incluidas): una página por mes, en orden\n"
    "                         de fecha; las observaciones de la revisión de cada mes van\n"
    "                         a la salida de errores\n"
    "                         Termina con 0 si escribió el PDF; 1 si un período está mal\n"
    "                         escrito, DESDE es posterior a HASTA, no hay conexión, no\n"
    "                         hay declaraciones, falta la definición del reporte o no se\n"
    "                         puede escribir ARCHIVO; 2 si faltan argumentos\n"
    "  --libros PERIODO       escribe las cifras del período (MM/AAAA) que dan los libros\n"
    "                         de la base (compras, partes de producción, ventas y\n"
    "                         exportaciones), una por línea: campo;valor;comprobantes;\n"
    "                         luego el cierre de existencias de los libros contra la\n"
    "                         declaración guardada del mes, sin abrir ninguna ventana\n"
    "                         Termina con 0 si leyó los libros; 1 si el período está mal\n"
    "                         escrito, no hay conexión o una lista de códigos es\n"
    "                         inválida; 2 si falta el período\n"
    "  --version              muestra la versión y termina\n"
    "  --help                 muestra esta ayuda y termina\n"
    "\n"
    "Archivos del programa (ZK000pr.INI, consultas.qvx, CONSULTASLEN.QVX, QXERR.LOG):\n"
    "junto al programa cuando su carpeta admite escritura (copia portátil); si no\n"
    "(programa instalado), en la carpeta del usuario:\n"
    "  %s\n"
    "La variable de entorno Q42_CARPETA, cuando tiene valor, indica otra carpeta.\n"
    "\n"
    "Ejemplos:\n"
    "  q42 \"@Server=SERVIDOR1; @DbName=EMPRESA; @Usuario=sa; @Password=secreto;\"\n"
    "  q42 \"@Server=SERVIDOR1,1433; @DbName=EMPRESA; @Usuario=operador;\"\n"
    "  q42 \"@Server=#ORASRV; @DbName=ORCL; @Usuario=q42; @Password=secreto;\"\n"
    "  q42 \"@Archivo=/home/operador/molino.sqlite;\"\n"
    "  q42 --demo\n"
    "  q42 --demo --pdf 06/2025 declaracion.pdf\n"
    "  q42 --demo --pdf 01/2025 06/2025 primer-semestre.pdf\n"
    "  q42 --demo --libros 06/2025\n"
    "  Q42_CARPETA=/srv/q42 q42 \"@Server=SERVIDOR1; @DbName=EMPRESA;\"\n";

} // namespace

int main(int argc, char* argv[]) {
    // The original program received one parameter text; the shell splits it.
    QStringList argumentos;
    bool demo = false;
    bool pdf = false;
    QString pdfDesde, pdfHasta, pdfArchivo;
    QString libros; // --libros PERIODO
    for (int i = 1; i < argc; ++i) {
        const QString argumento = QString::fromLocal8Bit(argv[i]);
        if (argumento == QLatin1String("--help") || argumento == QLatin1String("-h")) {
            const QString usuario = q42::carpetaDelUsuario();
            std::printf(kAyuda, usuario.isEmpty()
                                    ? "(sin carpeta de datos: la del programa)"
                                    : qUtf8Printable(QDir::toNativeSeparators(usuario)));
            return 0;
        }
        if (argumento == QLatin1String("--version")) {
            std::printf("q42 %s\n", Q42_VERSION);
            return 0;
        }
        if (argumento == QLatin1String("--demo")) {
            demo = true;
        } else if (argumento == QLatin1String("--pdf")) {
            // PERIODO ARCHIVO, or DESDE HASTA ARCHIVO; an option is no value.
            QStringList valores;
            for (int j = i + 1; j < argc && valores.size() < 3; ++j) {
                const QString v = QString::fromLocal8Bit(argv[j]);
                if (v.startsWith(QLatin1String("--")) ||
                    (valores.size() == 2 && !pareceUnPeriodo(valores[1])))
                    break;
                valores << v;
            }
            if (valores.size() < 2 || (valores.size() == 2 && pareceUnPeriodo(valores[1]))) {
                std::fputs("q42: --pdf necesita el periodo (MM/AAAA), o desde y hasta, y el "
                           "archivo\n",
                           stderr);
                return 2;
            }
            pdf = true;
            i += int(valores.size());
            pdfDesde = valores.first();
            pdfHasta = valores.size() == 3 ? valores[1] : pdfDesde;
            pdfArchivo = valores.last();
        } else if (argumento == QLatin1String("--libros")) {
            if (i + 1 >= argc ||
                QString::fromLocal8Bit(argv[i + 1]).startsWith(QLatin1String("--"))) {
                std::fputs("q42: --libros necesita el periodo (MM/AAAA)\n", stderr);
                return 2;
            }
            libros = QString::fromLocal8Bit(argv[++i]);
        } else {
            argumentos.append(argumento);
        }
    }
    QString parametros = argumentos.join(QLatin1Char(' '));
    // The batch runs open no window, so they need no display.
    // The batch PDF opens no window, so it needs no display.
    if ((pdf || !libros.isEmpty()) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The fonts get ready while the database opens.
    const q42::PrecargaInterfaz precarga;
    QApplication::setApplicationName(QStringLiteral("Q42"));
    QApplication::setApplicationVersion(QStringLiteral(Q42_VERSION));
    cargaTraduccionesQt(app);
    q42::instalaInterfazQt();

    if (demo) {
        QString ruta, error, aviso;
        const bool lista = demo::ensureDemoDatabase(&ruta, &error, &aviso);
        if (!aviso.isEmpty())
            std::fprintf(stderr, "q42: %s\n", qUtf8Printable(aviso));
        if (!lista) {
            std::fprintf(stderr, "q42: %s\n", qUtf8Printable(error));
            return 1;
        }
        // Ahead of the rest: the first occurrence of a key wins.
        parametros = QStringLiteral("@Archivo=") + ruta + QStringLiteral("; ") + parametros;
    }

    if (pdf)
        return declaracion::pdfEnLote(parametros, pdfDesde, pdfHasta, pdfArchivo);
    if (!libros.isEmpty())
        return declaracion::librosEnLote(parametros, libros);

    // The window shows how long the server takes; the batch above waits
    // without one.
    DB_Dll::setConectando([](const QString& destino, const std::function<void()>& abrir) {
        q42::esperaConVentana(QStringLiteral("Conectando con %1…").arg(destino), abrir);
    });
    // The lookup service and its mask file wait until the window is up.
    if (!IniciaSistema(parametros, true)) {
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
        QTimer::singleShot(0, &ventana, [] { PreparaConsultas(); });
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
