#pragma once
// Texts of the engine's own menus, hints, edit menus and message dialogs, as
// "NAME=text" lines that a host may translate.

#include <QObject>
#include <QString>
#include <QStringList>

class TspResourceStrData : public QObject {
  Q_OBJECT
public:
  explicit TspResourceStrData(QObject* parent = nullptr);

  // The default lines of a new instance.
  static QStringList DefaultResStrings();

  const QStringList& ResStrings() const { return FResStrings; }
  QStringList& ResStrings() { return FResStrings; }
  void SetResStrings(const QStringList& value) { FResStrings = value; }
  // Font character set of the texts (1: the platform default).
  int CharSet() const { return FCharSet; }
  void SetCharSet(int value) { FCharSet = value; }

  // The text after the first "=" of the first line whose name matches without regard to
  // letter case; empty when there is none.
  QString GetResString(const QString& name) const;

private:
  QStringList FResStrings;
  int FCharSet = 1;
};
