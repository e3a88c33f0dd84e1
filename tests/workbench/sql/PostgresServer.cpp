#include "PostgresServer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

namespace wb::test {

PostgresServer::PostgresServer()
{
    // A short path: a socket's path must stay under about 100 bytes.
    m_dir = m_parent.filePath("pg");
    // As root the server runs as another user, who has to reach its folder through this one.
    QFile::setPermissions(m_parent.path(), QFile::permissions(m_parent.path()) | QFile::ExeOther);
    QString output;
    if (fixture({ "start", m_dir }, &output))
        m_baseUri = output.trimmed();
    EXPECT_TRUE(started()) << "the test's PostgreSQL server did not start";
}

PostgresServer::~PostgresServer() { fixture({ "stop", m_dir }); }

QString PostgresServer::source(const QString& parameter, const QString& user) const
{
    QString uri = m_baseUri;
    uri.replace("postgres@", user + QLatin1Char('@'));
    return uri + QLatin1Char('&') + parameter;
}

bool PostgresServer::load(const QString& table, const QString& csvPath, const QString& idColumn) const
{
    return fixture({ "load", m_dir, table, csvPath, idColumn });
}

bool PostgresServer::execute(const QString& statement) const { return fixture({ "sql", m_dir, statement }); }

bool PostgresServer::fixture(const QStringList& arguments, QString* output) const
{
    QProcess process;
    process.start(QStringLiteral(LRV_SOURCE_DIR "/tests/workbench/sql/pg-fixture.sh"), arguments);
    const bool finished = process.waitForFinished(120000);
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput());
    const bool ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    EXPECT_TRUE(ok) << "pg-fixture.sh " << arguments.join(QLatin1Char(' ')).toStdString() << ": "
                    << errors.toStdString();
    return ok;
}

} // namespace wb::test
