#pragma once
// The skin description (skin.ini) as the generator writes it: sections in a fixed order,
// keys in the literal forms the description reader expects, and the two registries of
// skin objects and skin controls.

#include "skin/render/geometry.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <deque>
#include <utility>
#include <vector>

class TDescSection {
public:
  explicit TDescSection(QString name) : FName(std::move(name)) {}
  const QString& Name() const { return FName; }

  TDescSection& Int(const QString& key, int value);
  TDescSection& Flag(const QString& key, bool value);
  TDescSection& Rect(const QString& key, const TspRect& r);
  TDescSection& Point(const QString& key, const TspPoint& p);
  TDescSection& Point(const QString& key, int x, int y) { return Point(key, TspPoint{x, y}); }
  // Stored as the integer 0x00BBGGRR.
  TDescSection& Colour(const QString& key, const QColor& c);
  TDescSection& Text(const QString& key, const QString& value);
  // "fontname", "fontheight", "fontstyle" and "fontcolor" under a prefix ("" or "fixed",
  // "caption"), Tahoma at the skins' text size.
  TDescSection& Font(const QString& prefix, const QColor& colour, bool bold = false,
                     int height = 13);
  // The four corner points, clientrect and the five stretch keys of a nine-part record.
  TDescSection& Geometry(TspPoint lt, TspPoint rt, TspPoint lb, TspPoint rb, const TspRect& client,
                         bool stretchSides, bool stretchCentre);

  const std::vector<std::pair<QString, QString>>& Keys() const { return FKeys; }

private:
  QString FName;
  std::vector<std::pair<QString, QString>> FKeys;
};

class TSkinDescription {
public:
  TSkinDescription();

  // The global sections, created in reading order when the description is.
  TDescSection& Version() { return Section("VERSION"); }
  TDescSection& Pictures() { return Section("PICTURES"); }
  TDescSection& FormInfo() { return Section("FORMINFO"); }
  TDescSection& PopupWindow() { return Section("POPUPWINDOW"); }
  TDescSection& HintWindow() { return Section("HINTWINDOW"); }
  TDescSection& LayerFrame() { return Section("LAYERFRAME"); }
  TDescSection& SkinColors() { return Section("SKINCOLORS"); }

  // Registers a record under its registry type ("stdbutton", "edit", ...) and returns the
  // section its keys go to.
  TDescSection& AddObject(const QString& name, const QString& type);
  TDescSection& AddControl(const QString& name, const QString& type);

  // The whole text, one entry per line (the writer adds CR LF).
  QStringList Lines() const;

private:
  TDescSection& Section(const QString& name);
  std::deque<TDescSection> FSections; // deque: references stay valid as sections are added
  std::vector<std::pair<QString, QString>> FObjects, FControls;
};
