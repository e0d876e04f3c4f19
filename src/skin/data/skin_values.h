#pragma once
// The value kinds of a skin description and their literal forms: the readers take the
// parsed description, a section and a key; the writers emit the form the readers take back.
//
// Missing keys, and empty values where a number is expected, give the key's default.
// Malformed integers give the default too; malformed points and rectangles throw
// EConvertError, since a description that holds one cannot be read as its author meant.

#include "skin/data/ini_text.h"
#include "skin/render/geometry.h"

#include <QFlags>
#include <QString>
#include <QStringList>
#include <optional>

class QFont;

enum class TspFontStyle : unsigned { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
Q_DECLARE_FLAGS(TspFontStyles, TspFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TspFontStyles)

// Enumerations: the value numbers are what records hold and what drawing code switches on.
enum class TspStretchType { stFull = 0, stHorz = 1, stVert = 2 };
enum class TspMorphKind {
  mkDefault = 0,
  mkGradient = 1,
  mkLeftGradient = 2,
  mkRightGradient = 3,
  mkLeftSlide = 4,
  mkRightSlide = 5,
  mkPush = 6
};
enum class TspInactiveEffect {
  ieBrightness = 0,
  ieDarkness = 1,
  ieGrayscale = 2,
  ieNoise = 3,
  ieSplitBlur = 4,
  ieInvert = 5
};
enum class TspAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum class TspStdCommand {
  cmClose = 0,
  cmMaximize = 1,
  cmMinimize = 2,
  cmSysMenu = 3,
  cmDefault = 4,
  cmRollUp = 5,
  cmMinimizeToTray = 6
};
enum class TspFramesPlacement { fpHorizontal = 0, fpVertical = 1 };
enum class TspRegulatorKind { rkRound = 0, rkHorizontal = 1, rkVertical = 2 };
enum class TspGaugeKind { gkHorizontal = 0, gkVertical = 1 };

// The literals of an enumeration in value order, the value of a missing or empty key and
// the value of any text that is not one of the literals.
struct TspEnumInfo {
  const char* const* Literals;
  int Count;
  int Default;
  int Other;
};
const TspEnumInfo& SkinEnumInfo(TspStretchType);
const TspEnumInfo& SkinEnumInfo(TspMorphKind);
const TspEnumInfo& SkinEnumInfo(TspInactiveEffect);
const TspEnumInfo& SkinEnumInfo(TspAlignment);
const TspEnumInfo& SkinEnumInfo(TspStdCommand);
const TspEnumInfo& SkinEnumInfo(TspFramesPlacement);
const TspEnumInfo& SkinEnumInfo(TspRegulatorKind);
const TspEnumInfo& SkinEnumInfo(TspGaugeKind);

// Counts of lists, lines and registries above this are refused with EConvertError: no
// description holds that many items, and honouring one would allocate without bound.
constexpr int kMaxSkinItemCount = 65536;

// Parsers and formatters of single values, for callers that hold the text already.
std::optional<int> ParseSkinInteger(QStringView text);
// Only digits count and a comma ends a field; throws EConvertError on an empty field, a
// wrong number of fields or a field beyond the integer range. `what` names the value.
TspPoint ParseSkinPoint(QStringView text, const QString& what = {});
TspRect ParseSkinRect(QStringView text, const QString& what = {});
TspFontStyles ParseSkinFontStyle(QStringView text);
int ParseSkinEnum(QStringView text, const TspEnumInfo& info);
QString FormatSkinPoint(const TspPoint& p);
QString FormatSkinRect(const TspRect& r);
QString FormatSkinFontStyle(TspFontStyles styles);
QString FormatSkinEnum(int value, const TspEnumInfo& info);

// Readers.
int ReadSkinInteger(const TspIniText& ini, QAnyStringView section, QAnyStringView key, int def = 0);
TColor ReadSkinColor(const TspIniText& ini, QAnyStringView section, QAnyStringView key,
                     TColor def = 0);
bool ReadSkinFlag(const TspIniText& ini, QAnyStringView section, QAnyStringView key);
TspPoint ReadSkinPoint(const TspIniText& ini, QAnyStringView section, QAnyStringView key);
TspRect ReadSkinRect(const TspIniText& ini, QAnyStringView section, QAnyStringView key);
QString ReadSkinText(const TspIniText& ini, QAnyStringView section, QAnyStringView key,
                     const QString& def = {});
TspFontStyles ReadSkinFontStyle(const TspIniText& ini, QAnyStringView section, QAnyStringView key);
int ReadSkinEnum(const TspIniText& ini, QAnyStringView section, QAnyStringView key,
                 const TspEnumInfo& info);
template <class E>
E ReadSkinEnum(const TspIniText& ini, QAnyStringView section, QAnyStringView key) {
  return E(ReadSkinEnum(ini, section, key, SkinEnumInfo(E{})));
}
TspStretchType ReadSkinStretchType(const TspIniText& ini, QAnyStringView section,
                                   QAnyStringView key);
TspMorphKind ReadSkinMorphKind(const TspIniText& ini, QAnyStringView section, QAnyStringView key);
TspInactiveEffect ReadSkinInactiveEffect(const TspIniText& ini, QAnyStringView section,
                                         QAnyStringView key);
TspAlignment ReadSkinAlignment(const TspIniText& ini, QAnyStringView section, QAnyStringView key);
// A count key (default 0): negative counts read as 0, counts above kMaxSkinItemCount throw.
int ReadSkinCount(const TspIniText& ini, QAnyStringView section, QAnyStringView key);
// "<key>count" items, keys "0" to count-1; a missing item reads as an empty text.
QStringList ReadSkinList(const TspIniText& ini, QAnyStringView section, QAnyStringView key);
// "<key>linecount" lines, keys "<key>line0" to "<key>line<count-1>".
QStringList ReadSkinLines(const TspIniText& ini, QAnyStringView section, QAnyStringView key);

// Writers, in the forms the readers take: integers and colours in decimal, flags as 0 or 1,
// points and rectangles joined with ",", enumerations by their literal.
void WriteSkinInteger(TspIniText& ini, const QString& section, const QString& key, int value);
void WriteSkinColor(TspIniText& ini, const QString& section, const QString& key, TColor value);
void WriteSkinFlag(TspIniText& ini, const QString& section, const QString& key, bool value);
void WriteSkinPoint(TspIniText& ini, const QString& section, const QString& key,
                    const TspPoint& value);
void WriteSkinRect(TspIniText& ini, const QString& section, const QString& key,
                   const TspRect& value);
void WriteSkinText(TspIniText& ini, const QString& section, const QString& key,
                   const QString& value);
void WriteSkinFontStyle(TspIniText& ini, const QString& section, const QString& key,
                        TspFontStyles value);
void WriteSkinEnum(TspIniText& ini, const QString& section, const QString& key, int value,
                   const TspEnumInfo& info);
template <class E>
void WriteSkinEnum(TspIniText& ini, const QString& section, const QString& key, E value) {
  WriteSkinEnum(ini, section, key, int(value), SkinEnumInfo(E{}));
}
void WriteSkinList(TspIniText& ini, const QString& section, const QString& key,
                   const QStringList& items);
void WriteSkinLines(TspIniText& ini, const QString& section, const QString& key,
                    const QStringList& lines);

// Applies a style set to a font (for the drawing code that turns records into fonts).
void ApplySkinFontStyle(QFont& font, TspFontStyles styles);
