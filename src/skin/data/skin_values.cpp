#include "skin/data/skin_values.h"

#include "skin/render/skin_error.h"

#include <QFont>
#include <array>
#include <climits>
#include <cstdint>

namespace {

constexpr const char* kStretchTypes[] = {"stfull", "sthorz", "stvert"};
constexpr const char* kMorphKinds[] = {"mkdefault",       "mkgradient",  "mkleftgradient",
                                       "mkrightgradient", "mkleftslide", "mkrightslide",
                                       "mkpush"};
constexpr const char* kInactiveEffects[] = {"iebrightness", "iedarkness",  "iegrayscale",
                                            "ienoise",      "iesplitblur", "ieinvert"};
constexpr const char* kAlignments[] = {"taleftjustify", "tarightjustify", "tacenter"};
constexpr const char* kCommands[] = {"cmclose",   "cmmaximize", "cmminimize",      "cmsysmenu",
                                     "cmdefault", "cmrollup",   "cmminimizetotray"};
constexpr const char* kFramesPlacements[] = {"fphorizontal", "fpvertical"};
constexpr const char* kRegulatorKinds[] = {"rkround", "rkhorizontal", "rkvertical"};
constexpr const char* kGaugeKinds[] = {"gkhorizontal", "gkvertical"};

template <size_t N>
constexpr TspEnumInfo MakeInfo(const char* const (&literals)[N], int def, int other) {
  return {literals, int(N), def, other};
}

// Where a value came from, for error messages.
QString Where(QAnyStringView section, QAnyStringView key) {
  return QStringLiteral("\"%1\" in [%2]").arg(key.toString(), section.toString());
}

[[noreturn]] void Reject(const QString& what, QStringView text, const char* problem) {
  const QString msg = QStringLiteral("Malformed %1 value \"%2\": %3")
                          .arg(what.isEmpty() ? QStringLiteral("skin") : what, text.toString(),
                               QLatin1String(problem));
  throw EConvertError(msg.toStdString());
}

// Fields of a point or rectangle: digits accumulate, a comma ends a field, anything else
// is dropped, so signs and blanks vanish ("-5" reads as 5).
// `what()` names the value in a message; it is only called on a malformed one, so reading
// well-formed values formats no text.
template <int N, class What> std::array<int, N> ParseFields(QStringView text, const What& what) {
  std::array<int, N> out{};
  int field = 0;
  qint64 value = 0;
  bool any = false;
  const auto finish = [&] {
    if (!any) Reject(what(), text, "empty field");
    if (field >= N) Reject(what(), text, "too many fields");
    out[size_t(field++)] = int(value);
    value = 0;
    any = false;
  };
  for (const QChar ch : text) {
    if (ch == u',') {
      finish();
    } else if (ch >= u'0' && ch <= u'9') {
      value = value * 10 + (ch.unicode() - u'0');
      if (value > INT_MAX) Reject(what(), text, "number out of range");
      any = true;
    }
  }
  finish();
  if (field != N) Reject(what(), text, "too few fields");
  return out;
}

} // namespace

const TspEnumInfo& SkinEnumInfo(TspStretchType) {
  static constexpr TspEnumInfo info = MakeInfo(kStretchTypes, 0, 1);
  return info;
}
const TspEnumInfo& SkinEnumInfo(TspMorphKind) {
  static constexpr TspEnumInfo info = MakeInfo(kMorphKinds, 0, 0);
  return info;
}
const TspEnumInfo& SkinEnumInfo(TspInactiveEffect) {
  static constexpr TspEnumInfo info = MakeInfo(kInactiveEffects, 0, 2);
  return info;
}
const TspEnumInfo& SkinEnumInfo(TspAlignment) {
  static constexpr TspEnumInfo info = MakeInfo(kAlignments, 2, 1);
  return info;
}
const TspEnumInfo& SkinEnumInfo(TspStdCommand) {
  static constexpr TspEnumInfo info = MakeInfo(kCommands, 4, 6);
  return info;
}
const TspEnumInfo& SkinEnumInfo(TspFramesPlacement) {
  static constexpr TspEnumInfo info = MakeInfo(kFramesPlacements, 0, 1);
  return info;
}
const TspEnumInfo& SkinEnumInfo(TspRegulatorKind) {
  static constexpr TspEnumInfo info = MakeInfo(kRegulatorKinds, 0, 2);
  return info;
}
const TspEnumInfo& SkinEnumInfo(TspGaugeKind) {
  static constexpr TspEnumInfo info = MakeInfo(kGaugeKinds, 0, 1);
  return info;
}

std::optional<int> ParseSkinInteger(QStringView text) {
  qsizetype i = 0;
  const bool negative = !text.isEmpty() && text[0] == u'-';
  if (negative) ++i;
  int base = 10;
  if (i < text.size() && text[i] == u'$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == u'0' &&
             (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  // Hexadecimal covers all 32 bits (colours such as $FFFFFFFF); decimal stays in range.
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull
                              : negative ? std::uint64_t(INT_MAX) + 1
                                         : std::uint64_t(INT_MAX);
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    int digit;
    if (c >= u'0' && c <= u'9')
      digit = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f')
      digit = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F')
      digit = c - u'A' + 10;
    else
      return std::nullopt;
    value = value * std::uint64_t(base) + std::uint64_t(digit);
    if (value > limit) return std::nullopt;
  }
  // Two's complement wrap: hexadecimal above $7FFFFFFF reads as a negative integer.
  const auto magnitude = std::int32_t(std::uint32_t(value));
  if (!negative) return magnitude;
  return std::int32_t(0u - std::uint32_t(magnitude));
}

TspPoint ParseSkinPoint(QStringView text, const QString& what) {
  const auto f =
      ParseFields<2>(text, [&] { return what.isEmpty() ? QStringLiteral("point") : what; });
  return {f[0], f[1]};
}

TspRect ParseSkinRect(QStringView text, const QString& what) {
  const auto f =
      ParseFields<4>(text, [&] { return what.isEmpty() ? QStringLiteral("rectangle") : what; });
  return {f[0], f[1], f[2], f[3]};
}

TspFontStyles ParseSkinFontStyle(QStringView text) {
  TspFontStyles styles;
  if (text.contains(u"fsbold")) styles |= TspFontStyle::Bold;
  if (text.contains(u"fsitalic")) styles |= TspFontStyle::Italic;
  if (text.contains(u"fsunderline")) styles |= TspFontStyle::Underline;
  if (text.contains(u"fsstrikeout")) styles |= TspFontStyle::StrikeOut;
  return styles;
}

int ParseSkinEnum(QStringView text, const TspEnumInfo& info) {
  // An empty value counts as a missing one, as it does for every numeric kind.
  if (text.isEmpty()) return info.Default;
  for (int i = 0; i < info.Count; ++i)
    if (text == QLatin1String(info.Literals[i])) return i;
  return info.Other;
}

QString FormatSkinPoint(const TspPoint& p) {
  return QStringLiteral("%1,%2").arg(p.X).arg(p.Y);
}

QString FormatSkinRect(const TspRect& r) {
  return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
}

QString FormatSkinFontStyle(TspFontStyles styles) {
  QStringList words;
  if (styles & TspFontStyle::Bold) words << QStringLiteral("fsbold");
  if (styles & TspFontStyle::Italic) words << QStringLiteral("fsitalic");
  if (styles & TspFontStyle::Underline) words << QStringLiteral("fsunderline");
  if (styles & TspFontStyle::StrikeOut) words << QStringLiteral("fsstrikeout");
  return words.join(u',');
}

QString FormatSkinEnum(int value, const TspEnumInfo& info) {
  // A value outside the table (only possible through a cast) is written as the default.
  if (value < 0 || value >= info.Count) value = info.Default;
  return QLatin1String(info.Literals[value]);
}

int ReadSkinInteger(const TspIniText& ini, QAnyStringView section, QAnyStringView key, int def) {
  const std::optional<QStringView> text = ini.FindValue(section, key);
  if (!text || text->isEmpty()) return def;
  return ParseSkinInteger(*text).value_or(def);
}

TColor ReadSkinColor(const TspIniText& ini, QAnyStringView section, QAnyStringView key,
                     TColor def) {
  return TColor(std::uint32_t(ReadSkinInteger(ini, section, key, std::int32_t(def))));
}

bool ReadSkinFlag(const TspIniText& ini, QAnyStringView section, QAnyStringView key) {
  return ReadSkinInteger(ini, section, key, 0) == 1;
}

TspPoint ReadSkinPoint(const TspIniText& ini, QAnyStringView section, QAnyStringView key) {
  const std::optional<QStringView> text = ini.FindValue(section, key);
  if (!text || text->isEmpty()) return {};
  const auto f = ParseFields<2>(*text, [&] { return Where(section, key); });
  return {f[0], f[1]};
}

TspRect ReadSkinRect(const TspIniText& ini, QAnyStringView section, QAnyStringView key) {
  const std::optional<QStringView> text = ini.FindValue(section, key);
  if (!text || text->isEmpty()) return {};
  const auto f = ParseFields<4>(*text, [&] { return Where(section, key); });
  return {f[0], f[1], f[2], f[3]};
}

QString ReadSkinText(const TspIniText& ini, QAnyStringView section, QAnyStringView key,
                     const QString& def) {
  return ini.ReadString(section, key, def);
}

TspFontStyles ReadSkinFontStyle(const TspIniText& ini, QAnyStringView section, QAnyStringView key) {
  return ParseSkinFontStyle(ini.FindValue(section, key).value_or(QStringView()));
}

int ReadSkinEnum(const TspIniText& ini, QAnyStringView section, QAnyStringView key,
                 const TspEnumInfo& info) {
  return ParseSkinEnum(ini.FindValue(section, key).value_or(QStringView()), info);
}

TspStretchType ReadSkinStretchType(const TspIniText& ini, QAnyStringView section,
                                   QAnyStringView key) {
  return ReadSkinEnum<TspStretchType>(ini, section, key);
}
TspMorphKind ReadSkinMorphKind(const TspIniText& ini, QAnyStringView section, QAnyStringView key) {
  return ReadSkinEnum<TspMorphKind>(ini, section, key);
}
TspInactiveEffect ReadSkinInactiveEffect(const TspIniText& ini, QAnyStringView section,
                                         QAnyStringView key) {
  return ReadSkinEnum<TspInactiveEffect>(ini, section, key);
}
TspAlignment ReadSkinAlignment(const TspIniText& ini, QAnyStringView section, QAnyStringView key) {
  return ReadSkinEnum<TspAlignment>(ini, section, key);
}

int ReadSkinCount(const TspIniText& ini, QAnyStringView section, QAnyStringView key) {
  const int count = ReadSkinInteger(ini, section, key, 0);
  if (count > kMaxSkinItemCount)
    Reject(Where(section, key), ini.ReadString(section, key), "count out of range");
  return count < 0 ? 0 : count;
}

QStringList ReadSkinList(const TspIniText& ini, QAnyStringView section, QAnyStringView key) {
  const int count = ReadSkinCount(ini, section, key.toString() + QStringLiteral("count"));
  QStringList items;
  items.reserve(count);
  for (int i = 0; i < count; ++i) items << ini.ReadString(section, QString::number(i));
  return items;
}

QStringList ReadSkinLines(const TspIniText& ini, QAnyStringView section, QAnyStringView key) {
  const QString name = key.toString();
  const int count = ReadSkinCount(ini, section, name + QStringLiteral("linecount"));
  return ini.ReadNumbered(section, name + QStringLiteral("line"), count);
}

void WriteSkinInteger(TspIniText& ini, const QString& section, const QString& key, int value) {
  ini.WriteString(section, key, QString::number(value));
}

void WriteSkinColor(TspIniText& ini, const QString& section, const QString& key, TColor value) {
  // Signed, so every colour stays inside the range the integer reader accepts.
  ini.WriteString(section, key, QString::number(std::int32_t(value)));
}

void WriteSkinFlag(TspIniText& ini, const QString& section, const QString& key, bool value) {
  ini.WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void WriteSkinPoint(TspIniText& ini, const QString& section, const QString& key,
                    const TspPoint& value) {
  ini.WriteString(section, key, FormatSkinPoint(value));
}

void WriteSkinRect(TspIniText& ini, const QString& section, const QString& key,
                   const TspRect& value) {
  ini.WriteString(section, key, FormatSkinRect(value));
}

void WriteSkinText(TspIniText& ini, const QString& section, const QString& key,
                   const QString& value) {
  ini.WriteString(section, key, value);
}

void WriteSkinFontStyle(TspIniText& ini, const QString& section, const QString& key,
                        TspFontStyles value) {
  ini.WriteString(section, key, FormatSkinFontStyle(value));
}

void WriteSkinEnum(TspIniText& ini, const QString& section, const QString& key, int value,
                   const TspEnumInfo& info) {
  ini.WriteString(section, key, FormatSkinEnum(value, info));
}

void WriteSkinList(TspIniText& ini, const QString& section, const QString& key,
                   const QStringList& items) {
  WriteSkinInteger(ini, section, key + QStringLiteral("count"), int(items.size()));
  for (qsizetype i = 0; i < items.size(); ++i)
    ini.WriteString(section, QString::number(i), items[i]);
}

void WriteSkinLines(TspIniText& ini, const QString& section, const QString& key,
                    const QStringList& lines) {
  WriteSkinInteger(ini, section, key + QStringLiteral("linecount"), int(lines.size()));
  const QString prefix = key + QStringLiteral("line");
  // A missing line reads back empty: a record of many empty lines writes only its count.
  for (qsizetype i = 0; i < lines.size(); ++i)
    if (!lines[i].isEmpty()) ini.WriteString(section, prefix + QString::number(i), lines[i]);
}

void ApplySkinFontStyle(QFont& font, TspFontStyles styles) {
  font.setBold(styles.testFlag(TspFontStyle::Bold));
  font.setItalic(styles.testFlag(TspFontStyle::Italic));
  font.setUnderline(styles.testFlag(TspFontStyle::Underline));
  font.setStrikeOut(styles.testFlag(TspFontStyle::StrikeOut));
}
