#include "description.h"

#include <stdexcept>

TDescSection& TDescSection::Int(const QString& key, int value) {
  FKeys.emplace_back(key, QString::number(value));
  return *this;
}

TDescSection& TDescSection::Flag(const QString& key, bool value) {
  return Int(key, value ? 1 : 0);
}

TDescSection& TDescSection::Rect(const QString& key, const TspRect& r) {
  // Coordinates in a description are never negative: the reader drops signs.
  if (r.Left < 0 || r.Top < 0 || r.Right < 0 || r.Bottom < 0)
    throw std::logic_error("negative rectangle for " + FName.toStdString() + "." +
                           key.toStdString());
  FKeys.emplace_back(
      key, QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom));
  return *this;
}

TDescSection& TDescSection::Point(const QString& key, const TspPoint& p) {
  if (p.X < 0 || p.Y < 0)
    throw std::logic_error("negative point for " + FName.toStdString() + "." + key.toStdString());
  FKeys.emplace_back(key, QStringLiteral("%1,%2").arg(p.X).arg(p.Y));
  return *this;
}

TDescSection& TDescSection::Colour(const QString& key, const QColor& c) {
  FKeys.emplace_back(key, QString::number(QColorToColor(c)));
  return *this;
}

TDescSection& TDescSection::Text(const QString& key, const QString& value) {
  FKeys.emplace_back(key, value);
  return *this;
}

TDescSection& TDescSection::Font(const QString& prefix, const QColor& colour, bool bold,
                                 int height) {
  Text(prefix + "fontname", "Tahoma");
  Int(prefix + "fontheight", height);
  Text(prefix + "fontstyle", bold ? "fsbold" : "");
  return Colour(prefix + "fontcolor", colour);
}

TDescSection& TDescSection::Geometry(TspPoint lt, TspPoint rt, TspPoint lb, TspPoint rb,
                                     const TspRect& client, bool stretchSides, bool stretchCentre) {
  Point("lefttoppoint", lt);
  Point("righttoppoint", rt);
  Point("leftbottompoint", lb);
  Point("rightbottompoint", rb);
  Rect("clientrect", client);
  Flag("leftstretch", stretchSides);
  Flag("topstretch", stretchSides);
  Flag("rightstretch", stretchSides);
  Flag("bottomstretch", stretchSides);
  Flag("stretcheffect", stretchCentre);
  return Text("stretchtype", "stfull");
}

TSkinDescription::TSkinDescription() {
  for (const char* name : {"VERSION", "PICTURES", "FORMINFO", "POPUPWINDOW", "HINTWINDOW",
                           "LAYERFRAME", "SKINCOLORS", "SKINOBJECTS", "SKINCONTROLS"})
    FSections.emplace_back(name);
}

TDescSection& TSkinDescription::Section(const QString& name) {
  for (TDescSection& s : FSections)
    if (s.Name().compare(name, Qt::CaseInsensitive) == 0) return s;
  FSections.emplace_back(name);
  return FSections.back();
}

TDescSection& TSkinDescription::AddObject(const QString& name, const QString& type) {
  for (const auto& [n, t] : FObjects)
    if (n == name) throw std::logic_error("object listed twice: " + name.toStdString());
  FObjects.emplace_back(name, type);
  return Section(name);
}

TDescSection& TSkinDescription::AddControl(const QString& name, const QString& type) {
  for (const auto& [n, t] : FControls)
    if (n == name) throw std::logic_error("control listed twice: " + name.toStdString());
  FControls.emplace_back(name, type);
  return Section(name);
}

QStringList TSkinDescription::Lines() const {
  QStringList lines;
  auto registry = [&](const std::vector<std::pair<QString, QString>>& entries) {
    lines << QStringLiteral("count=%1").arg(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
      lines << QStringLiteral("%1=%2:%3").arg(i).arg(entries[i].first, entries[i].second);
  };
  for (const TDescSection& s : FSections) {
    if (!lines.isEmpty()) lines << QString();
    lines << "[" + s.Name() + "]";
    if (s.Name() == "SKINOBJECTS")
      registry(FObjects);
    else if (s.Name() == "SKINCONTROLS")
      registry(FControls);
    for (const auto& [key, value] : s.Keys()) lines << key + "=" + value;
  }
  return lines;
}
