#include "Providers.h"

#include "AdoErrors.h"
#include "ConnectionString.h"
#include "SqliteDriver.h"

namespace ado::detail {

std::unique_ptr<Driver> openProvider(const QString& connectionString, const QString& /*userId*/,
                                     const QString& /*password*/, const OpenSettings& /*settings*/,
                                     Errors& errors, QString& provider) {
    const ConnectionString cs = ConnectionString::parse(connectionString);
    provider = cs.value({QStringLiteral("Provider")});
    if (provider.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0)
        return std::make_unique<SqliteDriver>(
            cs.value({QStringLiteral("Data Source"), QStringLiteral("DataSource")}), errors);
    ado::Error e;
    e.SQLState = QStringLiteral("IM002");
    e.Number = ProviderNotFound;
    e.Description = QStringLiteral("Provider cannot be found. It may not be properly installed.");
    e.Source = source();
    errors.Add(e);
    raise(e.Number, e.Description);
}

} // namespace ado::detail
