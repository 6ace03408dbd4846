#pragma once

// State behind Connection and Recordset, shared by their source files.

#include "Ado.h"
#include "CatalogueCache.h"
#include "Driver.h"

#include <memory>
#include <vector>

namespace ado {

struct ConnectionPrivate {
    QString connectionString;
    QString provider;
    std::unique_ptr<detail::Driver> driver;
    Errors errors;
    int cursorLocation = adUseServer;
    QString defaultDatabase;
    int commandTimeout = 30;
    int connectionTimeout = 15;
    int isolationLevel = adXactReadCommitted;
    bool isolationSet = false;
    int level = 0;
    detail::CatalogueCache catalogue;

    detail::Driver& open();
    // The outer transaction ended: the engine's own level again.
    void isolationEnded();
    // Adapts the statement to the engine's dialect and runs it; the Errors
    // collection is cleared first, as ADO does for every new operation.
    detail::Result run(const QString& sql, const QVariantList& params = {});
    detail::Result runText(const QString& sql, const CellFormat& format, TextRows& cells);
    QString quoteName(const QString& name) const;
    // Adds an entry for a failure raised by the layer itself, then throws.
    [[noreturn]] void fail(qint32 number, const QString& description, const QString& state = {});
};

struct Row {
    QVariantList values; // as Field::Value shows them
    QVariantList stored; // as read, for the optimistic WHERE
    bool deleted = false;
};

struct RecordsetPrivate {
    Recordset* q = nullptr;
    int state = adStateClosed;
    int cursorType = adOpenForwardOnly;
    int lockType = adLockReadOnly;
    bool serverSide = false;
    QString source;
    std::shared_ptr<Connection> connection;
    std::vector<Field> fields;
    std::vector<Row> rows;
    int pos = -1;
    int editMode = adEditNone;
    QVariantList buffer;
    std::vector<bool> changed;
    int posBeforeAdd = -1;
    QString table; // the one table written to; empty: read-only
    // Cells kept as text only (setTextCells): the rows hold no values.
    CellFormat textFormat;
    TextRows text;

    void load(detail::Result&& result, const detail::Driver* driver);
    void loadText(detail::Result&& result, TextRows&& cells);

    void requireOpen() const;
    void requireCurrent() const;
    void requireBackward() const;
    void requireUpdatable() const;
    int liveCount() const;
    bool onRow() const;
    bool bof() const;
    bool eof() const;
    int nextLive(int from, int step) const;
    // A pending edit is stored before moving, as ADO does.
    void flushEdit();

    QVariant value(int index) const;
    void setValue(int index, const QVariant& value);

    // RecordsetEdit.cpp
    void insertRow();
    void updateRow();
    void deleteRow();
    QString whereOriginal(const Row& row, QVariantList& params) const;
    void rereadInserted(Row& row, const QVariantList& params, const QStringList& names);
};

} // namespace ado
