#pragma once
// The shelter's two tables, for installers: the application itself never creates them.

#include <QSqlDatabase>
#include <QStringList>

// Column order of Users and Animals; AnimalName must stay the second column of Animals.
const QStringList& UsersFieldNames();
const QStringList& AnimalsFieldNames();

// Creates Users and Animals in one transaction, with the types of the connection's engine
// (SQLite or PostgreSQL): ID assigned by the store, yes/no columns NOT NULL DEFAULT false,
// CheckIn and CheckOut dates, a unique index on the lower-cased Username, indexes on the
// lower-cased AnimalName and Type. Raises EDatabaseError
// when a table exists already or the engine refuses.
void CreateShelterSchema(QSqlDatabase& db);
