#pragma once

#include <string>
#include <vector>

struct sqlite3;

namespace pyra::store {

enum class FieldType { SmallInt, Integer, Float, String, Memo, Calc };

struct FieldDef {
    std::string name;
    FieldType type = FieldType::SmallInt;
    int size = 0; // text length for String and Calc
    bool required = false;
};

struct IndexDef {
    std::string name;
    // Fields after the restriction fields; a leading '-' orders that field descending with
    // empty values last.
    std::vector<std::string> order;
};

struct TableDef {
    std::string name;
    std::vector<FieldDef> fields;        // stored fields in stored order, then calculated fields
    std::vector<std::string> primaryKey; // empty: no key
    std::vector<IndexDef> indexes;

    int fieldIndex(const std::string& field) const; // case-insensitive; -1 when unknown
    int storedFieldCount() const;
};

// The tables of the main database Datenbank_Lotto.tdbd and of the update database.
const std::vector<TableDef>& mainSchema();
const std::vector<TableDef>& updateSchema();
// Looks a table up in both schemas (case-insensitive); nullptr when unknown.
const TableDef* findTable(const std::string& name);

// Creates the tables and indexes of a schema in an open SQLite database.
void createSchema(sqlite3* db, const std::vector<TableDef>& schema);

// Lower-case copy used for case-insensitive name matching.
std::string lowerName(const std::string& s);
// SQL identifier in double quotes (field names may start with a digit).
std::string quoteIdent(const std::string& s);

} // namespace pyra::store
