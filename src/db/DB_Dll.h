#pragma once

// The database access class: the program's one connection and every
// statement of the program pass through here (synonyms for users who are
// not administrators, the Oracle dialect, failures handled inside each
// operation with the operator deciding).

#include "ado/Ado.h"
#include "core/Error.h"
#include "core/MsgBox.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

// What the connection logic hands to the login dialog and reads back.
struct DatosAcceso {
    QString usuario;
    QString password;
    QString dbName;
    QString servidor;
    int plataforma = 0; // 0 "SQL Server", 1 "ORACLE"
    bool aceptar = false;
};

// Where EjecutaScriptOracle sends its pieces; the shared connection by
// default, a recorder in tests.
class DestinoScript {
public:
    virtual ~DestinoScript() = default;
    virtual void beginTrans() = 0;
    virtual void commitTrans() = 0;
    virtual void rollbackTrans() = 0;
    virtual void execute(const QString& sentencia, long* recordsAffected) = 0;
    virtual ado::Errors& errors() = 0;
};

class DB_Dll {
public:
    // The program's single instance, created on first use.
    static DB_Dll& instance();
    // Releases the instance (closing the connection); the next call to
    // instance() creates a new one.
    static void release();

    DB_Dll();
    ~DB_Dll();
    DB_Dll(const DB_Dll&) = delete;
    DB_Dll& operator=(const DB_Dll&) = delete;

    // --- Connection ---------------------------------------------------
    bool gOpenFlag = false;
    std::shared_ptr<ado::Connection> gCnn;
    QString gProveedor;
    QString gServidor;
    QString gDBName;
    QString gUsuario;
    bool gEsAdmin = false;
    QString gUserPassWord;
    QString gConnString;
    // The engine, decided once when the connection is opened (motorDe, then
    // what the connection reached); never guessed from names in the string.
    ado::Engine gMotor = ado::Engine::None;
    bool esOracle() const { return gMotor == ado::Engine::Oracle; }
    // Oracle for an Oracle provider or a "#" in the server, SQL Server or
    // SQLite for theirs, None when the provider does not tell.
    static ado::Engine motorDe(const QString& connString, const QString& servidor);
    // A value for a "key=value;" string: in braces, "}" doubled, when it
    // holds ";", "{", "}" or blanks at either end; otherwise as it is.
    static QString valorConexion(const QString& valor);

    static QString pSQLOLEDB() { return QStringLiteral("SQLOLEDB"); }
    static QString proveedorOracle() { return QStringLiteral("OraOLEDB.Oracle.1"); }

    void OpenServerADODB(bool PideParametrosSQL = false,
                         ado::CursorLocationEnum lCursor = ado::adUseClient,
                         const QString& ConnString = QString(), bool ValidaAdmin = true);
    // The SQL Server or Oracle form, chosen by a "#" in gServidor.
    void ArmaConnString();
    // Shows the login dialog filled with the members and reads it back;
    // false when the operator cancelled (gOpenFlag is then false).
    bool PideParametros();

    // The login dialog lives above this library; the start registers it.
    using LoginHandler = std::function<void(DatosAcceso&)>;
    static void setLoginHandler(LoginHandler handler);

    // Runs the open of the connection. The start registers one that keeps
    // the interface alive meanwhile; without one it runs here and now.
    // `destino` names server and database for the operator.
    using Conectando =
        std::function<void(const QString& destino, const std::function<void()>& abrir)>;
    static void setConectando(Conectando conectando);
    // The Spanish first line of a failed open: "No se pudo conectar con el
    // servidor SRV: no responde." from the error's SQL state or native
    // number, the bare sentence when neither tells.
    static QString motivoConexion(const ado::Error& error, const QString& servidor,
                                  const QString& base);

    // --- Query and lookup helpers -------------------------------------
    void AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs,
                        std::shared_ptr<ado::Connection> ConexionActiva = nullptr,
                        ado::CursorTypeEnum CursorType = ado::adOpenForwardOnly,
                        ado::LockTypeEnum LockType = ado::adLockReadOnly, int Options = -1,
                        bool ConvOracle = true);
    void CierraRecordset(ado::Recordset& LrcsTemp);
    void EjecutaConsultaSQL(QString& SentenciaSQL, long* RecordsAffected = nullptr);
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado,
                       const QString& Campo = QStringLiteral("Codigo"),
                       ado::Recordset* Lrcs = nullptr, ado::DataTypeEnum Tipodato = ado::adBSTR,
                       const QString& Condicion = QString(), bool SoloLectura = true);
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado,
                         const QString& Campo = QStringLiteral("Codigo"),
                         ado::Recordset* Lrcs = nullptr, ado::DataTypeEnum Tipodato = ado::adBSTR,
                         const QString& Condicion = QString(), bool SoloLectura = false);
    // No value when the operation was abandoned before the read.
    std::optional<QString> DatosTabla(const QString& Tabla, const QString& ValorBuscado,
                                      const QString& CampoDevuelto,
                                      const QString& Campo = QStringLiteral("Codigo"),
                                      ado::DataTypeEnum Tipodato = ado::adBSTR,
                                      const QString& Condicion = QString(), bool UsaTrim = true);
    std::optional<double> BuscaMaximo(const QString& QueTabla, const QString& QueCampo,
                                      std::optional<ado::DataTypeEnum> Tipo = std::nullopt,
                                      std::optional<QString> Condicion = std::nullopt);
    std::optional<double> BuscaMinimo(const QString& QueTabla, const QString& QueCampo,
                                      std::optional<ado::DataTypeEnum> Tipo = std::nullopt,
                                      std::optional<QString> Condicion = std::nullopt);
    std::optional<double> BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo,
                                            ado::DataTypeEnum Tipo = ado::adBSTR,
                                            const QString& Condicion = QString());

    // --- SQL literals ---------------------------------------------------
    static bool adodate(int Qtype);
    static bool ADOText(int Qtype);
    static bool ADONumeric(int Qtype);
    static bool ADOCurrency(int Qtype);
    static bool ADOBoolean(int Qtype);
    static QString ADOComilla(int Qtype);
    // Writes the value as it stands: apostrophes inside are not doubled.
    static QString SQLValue(const QVariant& Valor, const QString& Tipo = QStringLiteral("'"));
    // Operator text as an SQL string literal: between apostrophes, every
    // apostrophe inside doubled. Use it for any text typed by the operator.
    static QString Comillas(const QString& texto);
    // A "dd/mm/yyyy" text as an expression that the engine compares
    // correctly with a date column. Throws Error(13) for a text that is no
    // date.
    static QString FechaSQL(const QString& fecha, ado::Engine motor);
    QString FechaSQL(const QString& fecha) const { return FechaSQL(fecha, gMotor); }
    // A moment as a literal every engine reads the same whatever its language
    // or date settings: SQL Server CONVERT(datetime, 'yyyy-mm-dd hh:mi:ss', 120)
    // (121 with milliseconds), Oracle TO_DATE('yyyy-mm-dd hh24:mi:ss',
    // 'YYYY-MM-DD HH24:MI:SS'). Every date or time the program writes into a
    // statement comes from here.
    static QString FechaHoraSQL(const QDateTime& momento, ado::Engine motor);
    QString FechaHoraSQL(const QDateTime& momento) const { return FechaHoraSQL(momento, gMotor); }
    // The last instant of the day a text names (for "<=" up to that day).
    static QString FinDiaSQL(const QString& fecha, ado::Engine motor);
    QString FinDiaSQL(const QString& fecha) const { return FinDiaSQL(fecha, gMotor); }
    static QString AddBrackets(const QString& rObjName);
    static QString StripBrackets(const QString& rsObjName);
    static QString StripOwner(QString& rsTblName);
    static QString StripConnect(const QString& rsTblName);
    static QString StripFileName(const QString& rsFileName);
    static QString stSTF(QString& rsName, int rnPart);

    // --- Oracle ---------------------------------------------------------
    QString ORACLE_Dicc(const QString& Valor) const;
    void EjecutaScriptOracle(QString& SentenciaSQL, long& RecordsAffected,
                             DestinoScript* destino = nullptr);
    static QString FiltraSentenciaOracle(QString& Sentencia);

    // --- Schema verification --------------------------------------------
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo,
                    bool PermiteNulos, const std::optional<QString>& ValorDefault = std::nullopt);
    bool ExisteTablaDB(const QString& Tabla);
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo,
                  bool PermiteNulos, const std::optional<QString>& ValorDefault = std::nullopt);

    // --- Synonyms -------------------------------------------------------
    QString SS_TSinonimos(const QString& SQL) const;

    // --- Error log and dialog -------------------------------------------
    q42::MsgAnswer TratamientoErrores(const q42::Error& CodErr,
                                      std::optional<int> Botones = std::nullopt,
                                      const QString& Rutina = QString());
    // Folder of the program + "QXERR.LOG".
    static QString rutaErrorLog();
    // One line in the log for an error the operator was told about in his
    // own words (the engine's text stays out of the message); never throws.
    static void AnotaError(const q42::Error& CodErr, const QString& Rutina);
};
