#include "CicloVentana.h"

#include "Inicio.h"
#include "core/ArchivoIni.h"
#include "core/Conversiones.h"
#include "core/MsgBox.h"
#include "core/Regional.h"
#include "core/StepRunner.h"
#include "db/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "report/Reportes.h"
#include "widgets/Sistema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

namespace {

// A bar of the form by control name; its style is a property of its own.
void estiloDeBarra(QWidget* formulario, const char* nombre) {
    if (QObject* barra = formulario->findChild<QObject*>(QLatin1String(nombre)))
        barra->setProperty("StyleBar", int(gFlatToolbars));
}

} // namespace

void ConfiguraFormulario(QWidget* Formulario) {
    if (!Formulario)
        return;
    QString icono;
    q42::StepRunner::runIgnoringFailures({
        [&] {
            icono = q42::ArchivoIni::LeeIni(QStringLiteral("ZK000pr.INI"), QStringLiteral("Iconos"),
                                            QStringLiteral("IconoDelSistema"),
                                            QStringLiteral("ICONQUARVEX"));
        },
        [&] {
            // The program's icons are PNG resources named as the setting
            // names them; the format is given because the names carry no
            // extension to guess it from.
            const QString recurso = QStringLiteral(":/iconos/") + icono.trimmed();
            if (!icono.trimmed().isEmpty() && QFileInfo::exists(recurso))
                Formulario->setWindowIcon(QIcon(QPixmap(recurso, "PNG")));
        },
        [&] {
            const QString archivo = QDir::current().filePath(QStringLiteral("quarvex.ico"));
            if (Formulario->windowIcon().isNull() && QFileInfo::exists(archivo))
                Formulario->setWindowIcon(QIcon(archivo));
        },
        [&] { q42::Sistema::DecoraFormulario(Formulario); },
        [&] {
            estiloDeBarra(Formulario, "PanelBar1");
            estiloDeBarra(Formulario, "NavBar1");
        },
        [] { QCoreApplication::processEvents(); },
    });
}

QString SentenciaEgreso(const QDateTime& momento, qint32 id) {
    QDateTime cuando = momento;
    cuando.setTime(QTime(momento.time().hour(), momento.time().minute()));
    return QStringLiteral("UPDATE CONTROL_ACCESO ") + QStringLiteral(" SET EGRESO = ") +
           DB_Dll::instance().FechaHoraSQL(cuando) + QStringLiteral(" WHERE EGRESO IS NULL AND ") +
           QStringLiteral(" ID = ") + QString::number(id);
}

void RegistraEgreso() {
    try {
        QString sentencia = SentenciaEgreso(QDateTime::currentDateTime(), gIdAcceso);
        // Failures of the statement itself are met inside EjecutaConsultaSQL.
        DB_Dll::instance().EjecutaConsultaSQL(sentencia);
    } catch (...) {
        const q42::Error e = q42::StepRunner::toError(std::current_exception());
        q42::MsgBox(e.description());
    }
}

void FinalizaSistema() {
    q42::StepRunner::runIgnoringFailures({
        [] { RegistraEgreso(); },
        [] { Lib_ClsCons3::release(); },
        // The report component holds the connection too; it goes with the class.
        [] { q42::Reportes::setConexion(nullptr); },
        [] { DB_Dll::release(); },
    });
}
