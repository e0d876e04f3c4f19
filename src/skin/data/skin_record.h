#pragma once
// What every skin record shares: its section name, its class name and one list of its keys.
//
// Each record kind lists its keys once, in VisitFields: the key, the field it fills, its
// kind and its default. Reading, writing, resetting to defaults and the tests all walk that
// one list, so a key cannot be read under one name and written under another.

#include "skin/data/ini_text.h"
#include "skin/data/skin_values.h"

#include <QString>
#include <QStringList>

// One call per key, in the order the description lists them; the default is the value of a
// missing key. Kinds without a default parameter default to zero, false or empty.
class TspFieldVisitor {
public:
  virtual ~TspFieldVisitor() = default;
  virtual void Integer(const char* key, int& field, int def) = 0;
  virtual void Color(const char* key, TColor& field, TColor def) = 0;
  virtual void Flag(const char* key, bool& field) = 0;
  virtual void Point(const char* key, TspPoint& field) = 0;
  virtual void Rect(const char* key, TspRect& field) = 0;
  virtual void Text(const char* key, QString& field, const char* def) = 0;
  virtual void FontStyle(const char* key, TspFontStyles& field) = 0;
  virtual void EnumValue(const char* key, int& field, const TspEnumInfo& info) = 0;
  virtual void Lines(const char* key, QStringList& field) = 0;

  template <class E> void Enum(const char* key, E& field) {
    int value = int(field);
    EnumValue(key, value, SkinEnumInfo(E{}));
    field = E(value);
  }
};

class TspSkinRecord {
public:
  TspSkinRecord() = default;
  TspSkinRecord(const TspSkinRecord&) = delete;
  TspSkinRecord& operator=(const TspSkinRecord&) = delete;
  virtual ~TspSkinRecord() = default;

  // The section the record reads from and writes to.
  QString IDName;

  // The record kind, e.g. "TspDataSkinButtonControl".
  virtual const char* ClassName() const = 0;
  // Reads every key of the kind from section IDName; a missing key takes its default.
  // Throws EConvertError on a malformed point or rectangle.
  virtual void LoadFromIni(const TspIniText& ini);
  // Writes every key of the kind into section IDName, in reading order.
  virtual void SaveToIni(TspIniText& ini) const;
  // Visits the keys of the kind, those of the base kind first.
  virtual void VisitFields(TspFieldVisitor& v) = 0;

protected:
  // Sets every field that VisitFields reaches to its default. Each constructor of a kind
  // with keys calls it, so a new record holds the defaults of all its keys.
  void ResetFields();
  // Rules that apply once all keys are read.
  virtual void AfterLoad() {}
};

// Declares the kind name of a record class; every registered kind has its own.
#define TSP_SKIN_RECORD_KIND(Class)                                                                \
  const char* ClassName() const override {                                                         \
    return #Class;                                                                                 \
  }

// The lines held by all the "lines" fields of the record: what it keeps beyond its fixed
// fields, and the part of a skin that grows with a count key rather than with the text.
qsizetype SkinRecordLineCount(TspSkinRecord& record);

// The same saved text and class: what "equal" means for records.
bool SameSkinRecord(const TspSkinRecord& a, const TspSkinRecord& b);
