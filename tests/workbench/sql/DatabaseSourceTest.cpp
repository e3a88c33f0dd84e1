#include "sql/DatabaseSource.h"

#include "engine/Dataset.h"

#include <gtest/gtest.h>

using namespace wb::sql;

TEST(DatabaseSource, SplitsTheRecordsFromLibpqsParameters)
{
    const struct {
        const char* uri;
        const char* connection;
        const char* relation;
    } cases[] = {
        { "postgresql://u@h:5433/db?table=scores", "postgresql://u@h:5433/db", "SELECT * FROM \"scores\"" },
        { "postgres://u@/db?host=/run/pg&table=ml.Scores&sslmode=disable",
            "postgres://u@/db?host=/run/pg&sslmode=disable", "SELECT * FROM \"ml\".\"Scores\"" },
        { "postgresql://u@h/db?query=SELECT%20a%26b FROM t;  ", "postgresql://u@h/db", "SELECT a&b FROM t" },
        { "postgresql://h/db?table=we\"ird", "postgresql://h/db", "SELECT * FROM \"we\"\"ird\"" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uri);
        EXPECT_TRUE(isDatabaseSource(c.uri));
        const DatabaseSource source = parseDatabaseSource(c.uri);
        EXPECT_EQ(source.connection, c.connection);
        EXPECT_EQ(source.relation, c.relation);
    }
    EXPECT_FALSE(isDatabaseSource("data/postgresql.csv"));
}

TEST(DatabaseSource, RefusesPasswordsAndMissingOrDoubleRecordNames)
{
    for (const char* uri : { "postgresql://u:secret@h/db?table=t", "postgresql://u@h/db?table=t&password=secret",
             "postgresql://u@h/db", "postgresql://u@h/db?table=t&query=SELECT 1" }) {
        SCOPED_TRACE(uri);
        try {
            parseDatabaseSource(uri);
            ADD_FAILURE() << "accepted";
        } catch (const wb::engine::InputError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("postgresql://u"), std::string::npos) << message;
            EXPECT_EQ(message.find("secret"), std::string::npos) << message;
        }
    }
}
