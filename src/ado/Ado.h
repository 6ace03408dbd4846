#pragma once

// ADO-style access to the business database: a Connection opened from a
// provider connection string, client-side Recordsets with ADO's BOF/EOF
// rules, and an Errors collection carrying what the driver said. Failures
// are thrown as q42::Error after the connection's Errors are filled.

#include "TextRows.h"
#include "core/Error.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

namespace ado {

enum CursorLocationEnum : int { adUseServer = 2, adUseClient = 3 };
enum CursorTypeEnum : int {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3
};
enum LockTypeEnum : int {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4
};
enum ObjectStateEnum : int { adStateClosed = 0, adStateOpen = 1 };
enum EditModeEnum : int { adEditNone = 0, adEditInProgress = 1, adEditAdd = 2 };
enum PositionEnum : long { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };
enum SchemaEnum : int { adSchemaColumns = 4, adSchemaTables = 20 };
enum IsolationLevelEnum : int {
    adXactUnspecified = -1,
    adXactReadUncommitted = 256,
    adXactReadCommitted = 4096,
    adXactRepeatableRead = 65536,
    adXactSerializable = 1048576
};
enum DataTypeEnum : int {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adBoolean = 11,
    adVariant = 12,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adUnsignedSmallInt = 18,
    adUnsignedInt = 19,
    adBigInt = 20,
    adUnsignedBigInt = 21,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adVarNumeric = 139,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205
};

// The engine behind a connection: decides the dialect adaptation.
enum class Engine { None, SqlServer, Oracle, SQLite, Other };

// One entry of a connection's Errors collection.
struct Error {
    QString SQLState;    // five characters from the driver ("08001", "23000")
    qint32 Number = 0;   // ADO's number (an OLE DB result, signed)
    QString Description; // the driver's text, passwords removed
    qint32 NativeError = 0;
    QString Source;
};

class Errors {
public:
    int Count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    const Error& Item(int index) const { return m_items.at(std::size_t(index)); }
    void Clear() { m_items.clear(); }
    void Add(Error e) { m_items.push_back(std::move(e)); }

private:
    std::vector<Error> m_items;
};

// Removes the values of password keys ("Pwd", "Password", "PWD") from a
// connection string or a driver message that echoes one.
QString redactPasswords(const QString& text);

class Connection;
class Recordset;

class Field {
public:
    QString Name() const { return m_name; }
    // Null is an invalid QVariant.
    QVariant Value() const;
    QVariant OriginalValue() const;
    bool isNull() const { return !Value().isValid() || Value().isNull(); }
    // Converts to the field's type; a value the type cannot take throws
    // q42::Error(3421). Only while the record set is editable.
    void setValue(const QVariant& value);
    int Type() const { return m_type; }
    int DefinedSize() const { return m_definedSize; }
    int Precision() const { return m_precision; }
    int NumericScale() const { return m_scale; }

private:
    friend class Recordset;
    friend struct RecordsetPrivate;
    Recordset* m_owner = nullptr;
    int m_index = 0;
    QString m_name;
    QString m_baseColumn; // column of the base table, for updates
    int m_type = adVariant;
    int m_definedSize = 0;
    int m_precision = 0;
    int m_scale = 0;
};

struct RecordsetPrivate;

// A client-side record set: every row is read on Open. For a statement on
// one table AddNew/Update/Delete are written as parameterised statements;
// Update is optimistic (the row must still hold the values it was read with,
// or ADO's "Row cannot be located for updating" error is raised).
//
// Cursors follow ADO: on a connection with client-side cursors (adUseClient)
// every record set is static, whatever type was asked. With server-side
// cursors a forward-only set refuses to move backwards (MovePrevious,
// MoveLast, Move(<0) raise 0x80040E24) and its RecordCount is -1, so code
// that would fail on a real server fails here too. Moving with a pending
// edit stores it first; Close drops it.
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void Open(const QString& source, const std::shared_ptr<Connection>& connection,
              int cursorType = adOpenUnspecified, int lockType = adLockUnspecified,
              int options = -1);
    // For lists of many rows: every later Open keeps the cells as text only
    // (TextRows.h), read-only; Value() gives a cell's text. An empty format
    // goes back to values.
    void setTextCells(CellFormat format);
    // The cells of the rows read in text form, moved out; the record set
    // is closed.
    TextRows takeTextRows();
    void Close();
    int State() const;

    int CursorType() const;
    void setCursorType(int type);
    int LockType() const;
    void setLockType(int type);
    QString Source() const;
    std::shared_ptr<Connection> ActiveConnection() const;

    bool BOF() const;
    bool EOF_() const; // EOF is a C macro
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    void Move(long n);
    long RecordCount() const;
    // 1-based; adPosBOF/adPosEOF past either end, adPosUnknown while adding,
    // on a deleted row or for a server-side forward-only set.
    long AbsolutePosition() const;

    int FieldCount() const;
    Field& Fields(int index);
    Field& Fields(const QString& name); // case-insensitive; throws 3265
    bool hasField(const QString& name) const;
    QVariant value(const QString& name) { return Fields(name).Value(); }

    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete();
    int EditMode() const;

private:
    friend class Field;
    friend class Connection;
    std::unique_ptr<RecordsetPrivate> d;
};

// Requests sent while one lives are the program's own, not a test's or a
// tool's: the database class and the components that query open one.
class ProgramScope {
public:
    ProgramScope();
    ~ProgramScope();
    ProgramScope(const ProgramScope&) = delete;
    ProgramScope& operator=(const ProgramScope&) = delete;
};

struct ConnectionPrivate;

class Connection : public std::enable_shared_from_this<Connection> {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Provider strings: "PROVIDER=SQLOLEDB;Server=..;Database =..;UId=..;Pwd=..;",
    // "Provider=OraOLEDB.Oracle.1;Data Source=..;User Id=..;Password=..;",
    // "Provider=SQLite;Data Source=<file>;" and "Provider=MSDASQL;DSN=..;" or
    // "DRIVER={..};..." for any ODBC data source.
    void Open(const QString& connectionString = QString(), const QString& userId = QString(),
              const QString& password = QString(), int options = -1);
    void Close();
    int State() const;

    // As set, with password values removed.
    QString ConnectionString() const;
    void setConnectionString(const QString& text);
    QString Provider() const;
    Engine engine() const;

    int CursorLocation() const;
    void setCursorLocation(int location);
    QString DefaultDatabase() const;
    void setDefaultDatabase(const QString& name);
    int CommandTimeout() const;
    void setCommandTimeout(int seconds);
    int ConnectionTimeout() const;
    void setConnectionTimeout(int seconds);
    int IsolationLevel() const;
    void setIsolationLevel(int level);

    // Runs a statement; recordsAffected receives the count of changed rows
    // (-1 for a query). A statement that returns rows gives a record set.
    std::unique_ptr<Recordset> Execute(const QString& commandText, long* recordsAffected = nullptr,
                                       int options = -1);

    int BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    int transactionLevel() const;

    // adSchemaTables (columns TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME,
    // TABLE_TYPE) and adSchemaColumns (TABLE_CATALOG, TABLE_SCHEMA,
    // TABLE_NAME, COLUMN_NAME, ORDINAL_POSITION, DATA_TYPE,
    // CHARACTER_MAXIMUM_LENGTH, IS_NULLABLE), restricted in ADO's order
    // (catalogue, schema, table, column); an empty restriction is none.
    std::unique_ptr<Recordset> OpenSchema(int schema, const QVariantList& restrictions = {});

    Errors& errors();
    const Errors& errors() const;

    // Sees every text of every connection as it is handed to the engine
    // (after the dialect adaptation, before it runs; several statements in
    // one text come as one), parameters apart. Off (empty) by default; for
    // tests and diagnosis. The text may hold operator data, never a password.
    using Trace = std::function<void(const QString& statement)>;
    static void setTrace(Trace trace);

    // Sees every request the program itself sends, as it wrote it (before
    // any dialect adaptation): statements sent inside a ProgramScope, the
    // parameterised ones the record sets build, and catalogue queries (as
    // "OpenSchema(n)"). Off by default; the statement corpus uses it.
    enum class Request { Statement, Parameterised, Catalogue };
    using RequestHook = std::function<void(const QString& text, Request kind)>;
    static void setRequestHook(RequestHook hook);

private:
    friend class Recordset;
    friend struct RecordsetPrivate;
    std::unique_ptr<ConnectionPrivate> d;
};

} // namespace ado
