#include "skin/data/skin_area.h"

#include "skin/data/skin_values.h"

std::unique_ptr<TspDataSkinArea> ParseSkinAreaEntry(QStringView entry) {
  const qsizetype colon = entry.lastIndexOf(u':');
  if (colon < 0) return nullptr;
  auto area = std::make_unique<TspDataSkinArea>();
  area->IDName = entry.left(colon).toString();
  const QStringView rest = entry.mid(colon + 1);
  const qsizetype semicolon = rest.lastIndexOf(u';');
  // Without ";" the whole rest is the rectangle and there are no flags.
  const QStringView rect = semicolon < 0 ? rest : rest.left(semicolon);
  if (!rect.isEmpty())
    area->AreaRect = ParseSkinRect(rect, QStringLiteral("area \"%1\"").arg(area->IDName));
  if (semicolon >= 0) {
    const QStringView flags = rest.mid(semicolon + 1);
    if (flags.size() == 9)
      for (size_t i = 0; i < area->Flags.size(); ++i)
        area->Flags[i] = flags[qsizetype(i) * 2] == u'1';
  }
  return area;
}

QString FormatSkinAreaEntry(const TspDataSkinArea& area) {
  QString flags;
  for (size_t i = 0; i < area.Flags.size(); ++i) {
    if (i) flags += u',';
    flags += area.Flags[i] ? u'1' : u'0';
  }
  return area.IDName + u':' + FormatSkinRect(area.AreaRect) + u';' + flags;
}
