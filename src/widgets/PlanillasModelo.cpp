#include "Planillas.h"

#include "ado/Ado.h"
#include "core/Error.h"
#include "core/Regional.h"
#include "report/ReporteExpresion.h"

#include <QCollator>
#include <QDateTime>
#include <QIODevice>
#include <algorithm>
#include <optional>

namespace q42 {

namespace {

bool esTipoNumerico(int tipo) {
    switch (tipo) {
    case ado::adSmallInt:
    case ado::adInteger:
    case ado::adSingle:
    case ado::adDouble:
    case ado::adCurrency:
    case ado::adDecimal:
    case ado::adTinyInt:
    case ado::adUnsignedTinyInt:
    case ado::adUnsignedSmallInt:
    case ado::adUnsignedInt:
    case ado::adBigInt:
    case ado::adUnsignedBigInt:
    case ado::adNumeric:
    case ado::adVarNumeric:
        return true;
    default:
        return false;
    }
}

bool esNulo(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

std::optional<double> numero(const QVariant& v, bool columnaNumerica) {
    if (esNulo(v))
        return std::nullopt;
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return v.toDouble();
    case QMetaType::QString:
        if (columnaNumerica) {
            bool ok = false;
            const double d = QLocale::c().toDouble(v.toString().trimmed(), &ok);
            if (ok)
                return d;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

QString textoNumero(const QVariant& v) {
    QString t;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        t = QLocale::c().toString(v.toDouble(), 'f', QLocale::FloatingPointShortest);
    else
        t = v.toString().trimmed();
    return t.replace(QLatin1Char('.'), Regional::decimalSeparator());
}

bool nombreDeTabla(const QString& tabla) {
    const QStringList partes = tabla.split(QLatin1Char('.'));
    return partes.size() <= 2 && std::all_of(partes.begin(), partes.end(), [](const QString& p) {
               return reporte::esIdentificador(p);
           });
}

QString campoCsv(const QString& texto) {
    const bool comillas = texto.contains(QLatin1Char(';')) || texto.contains(QLatin1Char('"')) ||
                          texto.contains(QLatin1Char('\n')) || texto.contains(QLatin1Char('\r')) ||
                          texto != texto.trimmed();
    if (!comillas)
        return texto;
    return QLatin1Char('"') + QString(texto).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

} // namespace

ModeloPlanilla::ModeloPlanilla(QStringList columnas, QVector<QVector<QVariant>> filas,
                               QVector<bool> numericas, QObject* parent)
    : QAbstractTableModel(parent), m_columnas(std::move(columnas)),
      m_numericas(std::move(numericas)) {
    m_numericas.resize(m_columnas.size());
    m_filas.reserve(filas.size());
    for (int i = 0; i < filas.size(); ++i) {
        filas[i].resize(m_columnas.size());
        m_filas.push_back(Fila{i, std::move(filas[i])});
    }
}

std::unique_ptr<ModeloPlanilla>
ModeloPlanilla::deTabla(const QString& tabla, const std::shared_ptr<ado::Connection>& conexion) {
    const QString nombre = tabla.trimmed();
    if (!nombreDeTabla(nombre))
        throw Error(err::InvalidProcedureCall,
                    QStringLiteral("\"%1\" no es un nombre de tabla válido").arg(tabla),
                    QStringLiteral("Planillas"));
    if (!conexion)
        throw Error(err::ObjectRequired, QStringLiteral("No hay una conexión para la planilla"),
                    QStringLiteral("Planillas"));
    ado::Recordset rs;
    {
        const ado::ProgramScope programa;
        rs.Open(QStringLiteral("SELECT * FROM ") + nombre, conexion, ado::adOpenStatic,
                ado::adLockReadOnly);
    }
    QStringList columnas;
    QVector<bool> numericas;
    for (int i = 0; i < rs.FieldCount(); ++i) {
        columnas << rs.Fields(i).Name();
        numericas << esTipoNumerico(rs.Fields(i).Type());
    }
    QVector<QVector<QVariant>> filas;
    for (; !rs.EOF_(); rs.MoveNext()) {
        QVector<QVariant> fila;
        for (int i = 0; i < rs.FieldCount(); ++i)
            fila << rs.Fields(i).Value();
        filas << fila;
    }
    rs.Close();
    return std::make_unique<ModeloPlanilla>(columnas, filas, numericas);
}

int ModeloPlanilla::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_filas.size());
}

int ModeloPlanilla::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columnas.size());
}

bool ModeloPlanilla::esNumero(int fila, int columna) const {
    return numero(m_filas[fila].valores[columna], m_numericas[columna]).has_value();
}

QString ModeloPlanilla::texto(int fila, int columna) const {
    const QVariant& v = m_filas[fila].valores[columna];
    if (esNulo(v))
        return QString();
    if (esNumero(fila, columna))
        return textoNumero(v);
    if (v.typeId() == QMetaType::QDate)
        return Regional::shortDate(v.toDate());
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        return dt.time() == QTime(0, 0)
                   ? Regional::shortDate(dt.date())
                   : Regional::format(dt, QStringLiteral("dd/mm/yyyy hh:nn:ss"));
    }
    return v.toString();
}

QVariant ModeloPlanilla::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_filas.size() || index.column() >= m_columnas.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return texto(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            Qt::Alignment((esNumero(index.row(), index.column()) ? Qt::AlignRight : Qt::AlignLeft) |
                          Qt::AlignVCenter));
    return QVariant();
}

QVariant ModeloPlanilla::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section < m_columnas.size() ? QVariant(m_columnas[section]) : QVariant();
    return section + 1;
}

Qt::ItemFlags ModeloPlanilla::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void ModeloPlanilla::sort(int column, Qt::SortOrder order) {
    beginResetModel();
    if (column < 0 || column >= m_columnas.size()) {
        std::sort(m_filas.begin(), m_filas.end(),
                  [](const Fila& a, const Fila& b) { return a.original < b.original; });
    } else {
        QCollator collator(Regional::locale());
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        const bool numerica = m_numericas[column];
        // Class first (null, number, text), then the value within the class.
        auto compara = [&](const Fila& a, const Fila& b) {
            const QVariant &va = a.valores[column], &vb = b.valores[column];
            const auto na = numero(va, numerica), nb = numero(vb, numerica);
            const int ca = esNulo(va) ? 0 : na ? 1 : 2, cb = esNulo(vb) ? 0 : nb ? 1 : 2;
            if (ca != cb)
                return ca < cb ? -1 : 1;
            if (ca == 1)
                return *na < *nb ? -1 : *nb < *na ? 1 : 0;
            if (ca == 2)
                return collator.compare(va.toString(), vb.toString());
            return 0;
        };
        std::stable_sort(m_filas.begin(), m_filas.end(), [&](const Fila& a, const Fila& b) {
            const int c = compara(a, b);
            return order == Qt::AscendingOrder ? c < 0 : c > 0;
        });
    }
    endResetModel();
}

bool EscribeCsv(QIODevice* destino, const ModeloPlanilla& modelo, QString* error) {
    if (!destino || !destino->isWritable()) {
        if (error)
            *error = QStringLiteral("El destino no está abierto para escribir");
        return false;
    }
    QByteArray datos("\xEF\xBB\xBF");
    QStringList campos;
    for (const QString& c : modelo.columnas())
        campos << campoCsv(c);
    datos += campos.join(QLatin1Char(';')).toUtf8() + "\r\n";
    for (int f = 0; f < modelo.rowCount(); ++f) {
        campos.clear();
        for (int c = 0; c < modelo.columnCount(); ++c)
            campos << campoCsv(modelo.texto(f, c));
        datos += campos.join(QLatin1Char(';')).toUtf8() + "\r\n";
    }
    if (destino->write(datos) == datos.size())
        return true;
    if (error)
        *error = destino->errorString();
    return false;
}

} // namespace q42
