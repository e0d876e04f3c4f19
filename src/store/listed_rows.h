#pragma once
// Rows of a PostgreSQL query fetched as one row of lists the server writes: a search that
// finds a fifth of a large table would otherwise bring each row in a message of its own.

#include "store/store_sql.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <vector>

// The rows of `sql` (a key, with `parts` > 0 the part each row comes from, then the
// fields, text or whole numbers, of `kinds`) fetched as one row of lists that the server
// writes: the keys, the keys of each part but the last, and for each field its values and
// the keys of its nulls. Rows come back in the order the server read them. False when a
// text holds the separator itself or the server cannot write the lists.
bool ReadAsLists(const QSqlDatabase& db, const QString& sql, const QVariantList& values, int parts,
                 const std::vector<TFieldKind>& kinds, std::vector<qlonglong>& keys,
                 std::vector<int>& partOf, std::vector<std::vector<QVariant>>& lists);
