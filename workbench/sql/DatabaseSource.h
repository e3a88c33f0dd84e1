#pragma once

#include <string>

namespace wb::sql {

/// A dataset that lives in a database: a PostgreSQL connection URI in libpq's form with one more parameter
/// naming the records, `table=NAME` (NAME may be SCHEMA.TABLE) or `query=SELECT …` (percent-encoded where
/// it holds '&' or '#'). libpq's own parameters stay; the password comes from libpq's usual places
/// (PGPASSWORD, ~/.pgpass), never from the URI, so that no run file or message ever holds one.
struct DatabaseSource {
    std::string uri; ///< as given: it names the source in every message
    std::string connection; ///< the URI without the table or query parameter, for libpq
    std::string relation; ///< SQL text giving the records: the query, or a SELECT of the whole table
};

/// True for a text that names a database source rather than a CSV path.
bool isDatabaseSource(const std::string& text);

/// Splits a database source. Throws engine::InputError when it names neither a table nor a query, names
/// both, or holds a password.
DatabaseSource parseDatabaseSource(const std::string& uri);

/// An SQL identifier in double quotes, so that a column is found by its exact name.
std::string quoteIdentifier(const std::string& name);

} // namespace wb::sql
