// One lookup of the service: the statement from the caller's text, the mask
// file or the table's columns; the list or tree dialog; the results.

#include "Lib_ClsCons3.h"

#include "Lib_FrmCons3.h"
#include "Lib_FrmCons3Tree.h"
#include "MascaraConsultas.h"
#include "SentenciasConsulta.h"
#include "config/Configuracion.h"
#include "core/Carpeta.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"
#include "widgets/Modal.h"

#include <QApplication>
#include <QFileInfo>

using namespace q42::consultas;
using q42::StepRunner;

namespace {

std::optional<q42::mascaras::RegistroMascara> buscaMascara(const QString& ruta,
                                                           const QString& nombre) {
    for (const auto& r : q42::mascaras::leeArchivo(ruta))
        if (r.nombre.trimmed().compare(nombre.trimmed(), Qt::CaseInsensitive) == 0)
            return r;
    return std::nullopt;
}

// Runs the dialog through the modal seam. A dialog closed without taking
// either path (the seam answered for it) ends as its result code says.
void ejecuta(q42::consultas::DialogoConsulta& dialogo) {
    const int resultado = q42::execModal(&dialogo);
    if (!dialogo.terminada()) {
        if (resultado == QDialog::Accepted)
            dialogo.Aceptar();
        else
            dialogo.Cancelar();
    }
}

} // namespace

QString Lib_ClsCons3::rutaMascaras() const {
    if (gRutaMascaraConsultas.trimmed().isEmpty() || QFileInfo::exists(gRutaMascaraConsultas))
        return gRutaMascaraConsultas;
    // "consultas.qvx" and "CONSULTAS.QVX" name the one file.
    const QFileInfo info(gRutaMascaraConsultas);
    return q42::archivoEnCarpeta(info.path(), info.fileName());
}

QString Lib_ClsCons3::sentenciaDeTabla(const QString& tabla, QString& campoBusqueda,
                                       const QString* SentenciaOpcional, int limite) {
    if (SentenciaOpcional && !SentenciaOpcional->isEmpty())
        return *SentenciaOpcional;
    DB_Dll& db = DB_Dll::instance();
    QStringList campos;
    ado::Recordset rs;
    StepRunner::runIgnoringFailures({[&] {
                                         QString sql =
                                             QStringLiteral("select top 1 * from ") + tabla;
                                         db.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly,
                                                           ado::adLockReadOnly, -1, true);
                                     },
                                     [&] {
                                         if (rs.State() == ado::adStateOpen)
                                             for (int i = 0; i < rs.FieldCount(); ++i)
                                                 campos << rs.Fields(i).Name();
                                     },
                                     [&] { db.CierraRecordset(rs); }});
    return sentenciaDeColumnas(campos, tabla, campoBusqueda, limite);
}

void Lib_ClsCons3::ConsultaSearch(const QString& SQL, QStringList* CmpsDevueltos, QString* Clave,
                                  QString* CampoBusqueda, QString* Where,
                                  QString* SentenciaOpcional, bool TreeView,
                                  QString* ValoresDefault) {
    QString campoBusqueda = CampoBusqueda ? *CampoBusqueda : QString();
    QString sentencia = SQL;
    int limite = 1000;
    bool mostrar = true;
    StepRunner::runIgnoringFailures(
        {[&] {
             if (Where)
                 *Where = envuelveWhere(*Where);
         },
         [&] { limite = limiteFilas(Cfg(QStringLiteral("TopConsArt"))); },
         [&] {
             if (contiene(SQL, QStringLiteral("SELECT"))) {
                 if (contiene(SQL, QStringLiteral("V_MA_ARTICULOS")))
                     sentencia = q42::Utiles::SustituyeTexto(SQL, QStringLiteral("V_MA_ARTICULOS"),
                                                             QStringLiteral("VT_MA_ARTICULOS"));
                 return;
             }
             std::optional<q42::mascaras::RegistroMascara> registro;
             if (gUsarMascarasConsultas) {
                 const QString ruta = rutaMascaras();
                 if (!ruta.isEmpty() && QFileInfo::exists(ruta))
                     registro = buscaMascara(ruta, SQL);
             }
             // With no mask entry (or no mask file) the table's own columns
             // make the statement: a bare name is no statement to show.
             if (!registro) {
                 sentencia = sentenciaDeTabla(SQL, campoBusqueda, SentenciaOpcional, limite);
                 return;
             }
             const auto s =
                 sentenciaDeMascara(*registro, campoBusqueda, Where ? *Where : QString(), limite);
             if (s) {
                 sentencia = *s;
                 return;
             }
             mostrar = false;
             q42::MsgBox(QStringLiteral("Debe configurar la consulta para esta tabla"),
                         q42::vbInformation, QStringLiteral("Aviso al operador"));
         },
         [&] {
             if (CampoBusqueda)
                 *CampoBusqueda = campoBusqueda;
         }});

    if (mostrar) {
        StepRunner::runIgnoringFailures({[&] {
            if (TreeView)
                muestraArbol(sentencia);
            else
                muestraLista(sentencia, CmpsDevueltos, Clave ? *Clave : QString(), campoBusqueda,
                             ValoresDefault ? *ValoresDefault : QString());
        }});
    } else {
        // No lookup was shown: nothing the caller reads may look chosen.
        ValorDevuelto = QString();
        Valores.clear();
        Cantidades.clear();
        ValoresNoMostrados.clear();
        Cancelado = true;
    }

    Checks = false;
    CampoDevuelto.clear();
    if (CmpsDevueltos)
        CmpsDevueltos->clear();
}

void Lib_ClsCons3::muestraArbol(const QString& sentencia) {
    Lib_FrmCons3Tree dialogo(QApplication::activeWindow());
    dialogo.SQL = sentencia;
    dialogo.CampoDevuelto = CampoDevuelto;
    dialogo.CheckBoxes = Checks;
    Valores.clear();
    ValoresNoMostrados.clear();
    dialogo.Cargar();
    ejecuta(dialogo);
    ValorDevuelto = dialogo.ValorDevuelto;
    Valores = dialogo.Valores;
    Checks = false;
    Cancelado = dialogo.cancelada();
    dialogo.Descargar();
}

void Lib_ClsCons3::muestraLista(const QString& sentencia, QStringList* CmpsDevueltos,
                                const QString& clave, const QString& campoBusqueda,
                                const QString& valoresDefault) {
    Lib_FrmCons3 dialogo(QApplication::activeWindow());
    dialogo.StkNivel1 = StkNivel1;
    dialogo.StkNivel2 = StkNivel2;
    dialogo.StkNivel3 = StkNivel3;
    dialogo.StkNivel4 = StkNivel4;
    dialogo.MuestraStock = MuestraStock;
    dialogo.CfgUsaConsultaLIKE = CfgUsaConsultaLIKE;
    dialogo.OrdenarPorLwv = !contiene(sentencia, QStringLiteral("ORDER BY"));
    dialogo.FiltroInicial = clave;
    dialogo.CampoBusqueda = campoBusqueda;
    dialogo.SQL = sentencia;
    dialogo.gConnString = gConnString;
    dialogo.CampoDevuelto = CampoDevuelto;
    dialogo.CheckBoxes = Checks;
    dialogo.UsaCantidades = UsaCantidades;
    dialogo.ValoresDefault = valoresDefault;
    Valores.clear();
    Cantidades.clear();
    ValoresNoMostrados.clear();
    if (CmpsDevueltos)
        dialogo.CmpsDevueltos = *CmpsDevueltos;
    dialogo.Cargar();
    ejecuta(dialogo);
    Checks = false;
    Valores = dialogo.Valores;
    Cantidades = dialogo.Cantidades;
    ValorDevuelto = dialogo.ValorDevuelto;
    ValoresNoMostrados = dialogo.ValoresNoMostrados;
    Cancelado = dialogo.cancelada();
    dialogo.CampoDevuelto.clear();
    dialogo.Descargar();
}
