#pragma once

// The errors the layer raises itself, with ADO's numbers and texts.

#include "core/Error.h"

#include <QString>

namespace ado::detail {

constexpr qint32 MultipleStepErrors = qint32(0x80040E21);
constexpr qint32 CantFetchBackwards = qint32(0x80040E24);
constexpr qint32 NoTransactionActive = qint32(0x8004D00E);
constexpr qint32 TransactionExists = qint32(0x8004D013);
constexpr qint32 ProviderNotFound = 3706;
constexpr qint32 DataOverflow = qint32(0x80040E57);

inline const QString& source() {
    static const QString s = QStringLiteral("Q42 ADO");
    return s;
}

[[noreturn]] inline void raise(qint32 number, const QString& description) {
    throw q42::Error(number, description, source());
}

[[noreturn]] inline void raiseNoCurrentRecord() {
    raise(q42::err::NoCurrentRecord,
          QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                         "Requested operation requires a current record."));
}

[[noreturn]] inline void raiseClosed() {
    raise(q42::err::NotAllowedClosed,
          QStringLiteral("Operation is not allowed when the object is closed."));
}

[[noreturn]] inline void raiseNotUpdatable() {
    raise(q42::err::UpdateNotSupported,
          QStringLiteral("Current Recordset does not support updating. This may be a limitation "
                         "of the provider, or of the selected locktype."));
}

[[noreturn]] inline void raiseWrongType() {
    raise(q42::err::WrongType,
          QStringLiteral("Application uses a value of the wrong type for the current operation."));
}

[[noreturn]] inline void raiseRowNotFound() {
    raise(q42::err::RowNotFoundForUpdate,
          QStringLiteral("Row cannot be located for updating. Some values may have been changed "
                         "since it was last read."));
}

} // namespace ado::detail
