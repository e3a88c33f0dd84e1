#pragma once

#include <QString>
#include <QTemporaryDir>

namespace wb::test {

/// A throwaway PostgreSQL server of the test's own (pg-fixture.sh), stopped and removed on destruction.
/// A server that cannot start fails the test: these tests never skip.
class PostgresServer {
public:
    PostgresServer();
    ~PostgresServer();

    bool started() const { return !m_baseUri.isEmpty(); }
    /// A source URI for a table or query: `table=NAME` or `query=SELECT …`.
    QString source(const QString& parameter, const QString& user = "postgres") const;
    /// Creates TABLE from a CSV file (`idColumn` a bigint, every other column a double). Returns false on failure.
    bool load(const QString& table, const QString& csvPath, const QString& idColumn = "id") const;
    bool execute(const QString& statement) const;

private:
    bool fixture(const QStringList& arguments, QString* output = nullptr) const;

    QTemporaryDir m_parent;
    QString m_dir, m_baseUri;
};

} // namespace wb::test
