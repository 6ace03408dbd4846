#pragma once

// The lookup service: one instance shared by every caller, created on first
// use. A caller names a statement or a table; the service builds the
// statement (from the mask file or the table's columns), shows the list or
// the tree dialog and hands the chosen values back through its members.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class Lib_ClsCons3 {
public:
    static Lib_ClsCons3& instance();
    // Discards the shared instance; the next instance() creates a new one.
    static void release();

    // Reads the stock display and search settings from the configuration.
    Lib_ClsCons3();
    ~Lib_ClsCons3();
    Lib_ClsCons3(const Lib_ClsCons3&) = delete;
    Lib_ClsCons3& operator=(const Lib_ClsCons3&) = delete;

    QVariant StkNivel1;
    QVariant StkNivel2;
    QVariant StkNivel3;
    QVariant StkNivel4;
    QString MuestraStock;
    QStringList CmpsDevueltos;
    QVariantList Valores;
    QVariantList Cantidades;
    bool Checks = false;
    QVariant ValorDevuelto;
    QString gConnString;
    QString gRutaMascaraConsultas;
    bool gUsarMascarasConsultas = false;
    bool UsaCantidades = false;
    QString CampoDevuelto;
    // The last lookup ended without a choice: cancelled, closed, or not
    // shown because its mask entry must be configured first.
    bool Cancelado = false;
    // Values of ValoresDefault that the last list with check boxes did not
    // show (the operator could neither see nor untick them).
    QStringList ValoresNoMostrados;

    // One modal lookup. Optional arguments are the caller's variables (null
    // when not passed); the call may change them (Where gains parentheses,
    // CampoBusqueda may be filled in, CmpsDevueltos is emptied).
    void ConsultaSearch(const QString& SQL, QStringList* CmpsDevueltos = nullptr,
                        QString* Clave = nullptr, QString* CampoBusqueda = nullptr,
                        QString* Where = nullptr, QString* SentenciaOpcional = nullptr,
                        bool TreeView = false, QString* ValoresDefault = nullptr);

private:
    QString sentenciaDeTabla(const QString& tabla, QString& campoBusqueda,
                             const QString* SentenciaOpcional, int limite);
    QString rutaMascaras() const;
    void muestraArbol(const QString& sentencia);
    void muestraLista(const QString& sentencia, QStringList* CmpsDevueltos, const QString& clave,
                      const QString& campoBusqueda, const QString& valoresDefault);

    bool CfgUsaConsultaLIKE = false;
};
