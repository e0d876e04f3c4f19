#pragma once
// A check and the write that depends on it, made one step for every workstation on the
// database: "is the name free? then add it" must not let another connection add the same
// name in between.

#include <QString>
#include <functional>

// Runs `write` in a transaction that holds the right to write `table` from its start, so
// that what `write` reads stays true until it commits: on SQLite BEGIN IMMEDIATE (other
// writers wait), on PostgreSQL a lock of the table that admits readers but no other writer.
// Readers on other connections are not held up. Commits when `write` returns; rolls back
// and rethrows what it raises. Raises EDatabaseError when the transaction cannot begin or
// commit.
void RunExclusiveWrite(const QString& connectionName, const QString& table,
                       const std::function<void()>& write);
