#include "skin/data/stored_form.h"

#include "skin/render/skin_error.h"

void WriteStoredProperty(QDataStream& out, const QString& name, const QByteArray& value) {
  // A null array would read back as null; store empty as empty.
  out << name << (value.isNull() ? QByteArray("") : value);
}

void EndStoredForm(QDataStream& out) {
  out << QString("");
}

void ReadStoredProperties(QDataStream& in,
                          const std::function<void(const QString&, const QByteArray&)>& apply) {
  for (;;) {
    QString name;
    in >> name;
    if (in.status() != QDataStream::Ok) throw EReadError("Stored form is damaged or cut short");
    if (name.isEmpty()) return;
    QByteArray value;
    in >> value;
    if (in.status() != QDataStream::Ok) throw EReadError("Stored form is damaged or cut short");
    apply(name, value);
  }
}
