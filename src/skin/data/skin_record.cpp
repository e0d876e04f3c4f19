#include "skin/data/skin_record.h"

namespace {

class TspFieldReader final : public TspFieldVisitor {
public:
  TspFieldReader(const TspIniText& ini, const QString& section) : FIni(ini), FSection(section) {}
  void Integer(const char* key, int& field, int def) override {
    field = ReadSkinInteger(FIni, FSection, QLatin1String(key), def);
  }
  void Color(const char* key, TColor& field, TColor def) override {
    field = ReadSkinColor(FIni, FSection, QLatin1String(key), def);
  }
  void Flag(const char* key, bool& field) override {
    field = ReadSkinFlag(FIni, FSection, QLatin1String(key));
  }
  void Point(const char* key, TspPoint& field) override {
    field = ReadSkinPoint(FIni, FSection, QLatin1String(key));
  }
  void Rect(const char* key, TspRect& field) override {
    field = ReadSkinRect(FIni, FSection, QLatin1String(key));
  }
  void Text(const char* key, QString& field, const char* def) override {
    field = ReadSkinText(FIni, FSection, QLatin1String(key), QLatin1String(def));
  }
  void FontStyle(const char* key, TspFontStyles& field) override {
    field = ReadSkinFontStyle(FIni, FSection, QLatin1String(key));
  }
  void EnumValue(const char* key, int& field, const TspEnumInfo& info) override {
    field = ReadSkinEnum(FIni, FSection, QLatin1String(key), info);
  }
  void Lines(const char* key, QStringList& field) override {
    field = ReadSkinLines(FIni, FSection, QLatin1String(key));
  }

private:
  const TspIniText& FIni;
  const QString& FSection;
};

class TspFieldWriter final : public TspFieldVisitor {
public:
  TspFieldWriter(TspIniText& ini, const QString& section) : FIni(ini), FSection(section) {}
  void Integer(const char* key, int& field, int) override {
    WriteSkinInteger(FIni, FSection, QLatin1String(key), field);
  }
  void Color(const char* key, TColor& field, TColor) override {
    WriteSkinColor(FIni, FSection, QLatin1String(key), field);
  }
  void Flag(const char* key, bool& field) override {
    WriteSkinFlag(FIni, FSection, QLatin1String(key), field);
  }
  void Point(const char* key, TspPoint& field) override {
    WriteSkinPoint(FIni, FSection, QLatin1String(key), field);
  }
  void Rect(const char* key, TspRect& field) override {
    WriteSkinRect(FIni, FSection, QLatin1String(key), field);
  }
  void Text(const char* key, QString& field, const char*) override {
    WriteSkinText(FIni, FSection, QLatin1String(key), field);
  }
  void FontStyle(const char* key, TspFontStyles& field) override {
    WriteSkinFontStyle(FIni, FSection, QLatin1String(key), field);
  }
  void EnumValue(const char* key, int& field, const TspEnumInfo& info) override {
    WriteSkinEnum(FIni, FSection, QLatin1String(key), field, info);
  }
  void Lines(const char* key, QStringList& field) override {
    WriteSkinLines(FIni, FSection, QLatin1String(key), field);
  }

private:
  TspIniText& FIni;
  const QString& FSection;
};

class TspFieldResetter final : public TspFieldVisitor {
public:
  void Integer(const char*, int& field, int def) override { field = def; }
  void Color(const char*, TColor& field, TColor def) override { field = def; }
  void Flag(const char*, bool& field) override { field = false; }
  void Point(const char*, TspPoint& field) override { field = {}; }
  void Rect(const char*, TspRect& field) override { field = {}; }
  void Text(const char*, QString& field, const char* def) override { field = QLatin1String(def); }
  void FontStyle(const char*, TspFontStyles& field) override { field = {}; }
  void EnumValue(const char*, int& field, const TspEnumInfo& info) override {
    field = info.Default;
  }
  void Lines(const char*, QStringList& field) override { field.clear(); }
};

class TspLineCounter final : public TspFieldVisitor {
public:
  void Integer(const char*, int&, int) override {}
  void Color(const char*, TColor&, TColor) override {}
  void Flag(const char*, bool&) override {}
  void Point(const char*, TspPoint&) override {}
  void Rect(const char*, TspRect&) override {}
  void Text(const char*, QString&, const char*) override {}
  void FontStyle(const char*, TspFontStyles&) override {}
  void EnumValue(const char*, int&, const TspEnumInfo&) override {}
  void Lines(const char*, QStringList& field) override { Count += field.size(); }
  qsizetype Count = 0;
};

} // namespace

void TspSkinRecord::LoadFromIni(const TspIniText& ini) {
  TspFieldReader reader(ini, IDName);
  VisitFields(reader);
  AfterLoad();
}

void TspSkinRecord::SaveToIni(TspIniText& ini) const {
  TspFieldWriter writer(ini, IDName);
  // The writer only reads the fields; VisitFields takes them by reference for the readers.
  const_cast<TspSkinRecord*>(this)->VisitFields(writer);
}

void TspSkinRecord::ResetFields() {
  TspFieldResetter resetter;
  VisitFields(resetter);
}

qsizetype SkinRecordLineCount(TspSkinRecord& record) {
  TspLineCounter counter;
  record.VisitFields(counter);
  return counter.Count;
}

bool SameSkinRecord(const TspSkinRecord& a, const TspSkinRecord& b) {
  if (qstrcmp(a.ClassName(), b.ClassName()) != 0 || a.IDName != b.IDName) return false;
  TspIniText ta, tb;
  a.SaveToIni(ta);
  b.SaveToIni(tb);
  return ta.ToLines() == tb.ToLines();
}
