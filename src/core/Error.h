#pragma once

#include <QString>
#include <exception>

namespace q42 {

// What a failing step carries to whoever handles it: the number, description
// and source that the error object of the original platform offered.
class Error : public std::exception {
public:
    Error(qint32 number, QString description, QString source = QStringLiteral("Q42"))
        : m_number(number), m_description(std::move(description)), m_source(std::move(source)),
          m_what(m_description.toUtf8()) {}

    qint32 number() const { return m_number; }
    const QString& description() const { return m_description; }
    const QString& source() const { return m_source; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    qint32 m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};

// Error numbers the program tests for.
namespace err {
constexpr qint32 InvalidProcedureCall = 5;
constexpr qint32 Overflow = 6;
constexpr qint32 SubscriptOutOfRange = 9;
constexpr qint32 TypeMismatch = 13;
constexpr qint32 FileNotFound = 53;
constexpr qint32 PathFileAccess = 75;
constexpr qint32 ObjectRequired = 424;
constexpr qint32 ItemNotFound = 3265;       // field name or ordinal not in the collection
constexpr qint32 NoCurrentRecord = 3021;    // BOF or EOF is true
constexpr qint32 NotAllowedClosed = 3704;   // operation on a closed object
constexpr qint32 NotAllowedOpen = 3705;     // operation on an open object
constexpr qint32 UpdateNotSupported = 3251; // read-only record set
constexpr qint32 WrongType = 3421;          // value of the wrong type for the field
// OLE DB results as the database layer reports them (signed 32 bit).
constexpr qint32 E_Fail = qint32(0x80004005);
constexpr qint32 IntegrityViolation = qint32(0x80040E2F);
constexpr qint32 NoTable = qint32(0x80040E37);
constexpr qint32 ErrorsInCommand = qint32(0x80040E14);
constexpr qint32 RowNotFoundForUpdate = qint32(0x80040E38);
constexpr qint32 Timeout = qint32(0x80040E31);
} // namespace err

} // namespace q42
