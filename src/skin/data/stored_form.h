#pragma once
// The stored form of skin components, as a host embeds them in its own saved layout:
// on a QDataStream, (QString name, QByteArray value) pairs ended by an empty name.
// Texts are stored as UTF-8. Only strings and byte arrays appear, whose readers grow
// with the bytes present, so a damaged form cannot force a huge allocation.

#include <QByteArray>
#include <QDataStream>
#include <QString>
#include <functional>

void WriteStoredProperty(QDataStream& out, const QString& name, const QByteArray& value);
inline void WriteStoredText(QDataStream& out, const QString& name, const QString& value) {
  WriteStoredProperty(out, name, value.toUtf8());
}
void EndStoredForm(QDataStream& out);

// Calls `apply` for each pair up to the end marker; a damaged or cut stream throws
// EReadError. Names that `apply` does not know are its to skip.
void ReadStoredProperties(QDataStream& in,
                          const std::function<void(const QString&, const QByteArray&)>& apply);
