#include "skin/data/name_fold.h"

#include <algorithm>
#include <type_traits>

namespace {

char16_t FoldChar(char16_t c) {
  if (c < 0x80) return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
  const char32_t lower = QChar::toLower(char32_t(c));
  return lower > 0xFFFF ? c : char16_t(lower);
}

template <class Char> void FoldInto(const Char* from, qsizetype size, char16_t* to) {
  for (qsizetype i = 0; i < size; ++i) {
    if constexpr (std::is_same_v<Char, char16_t>)
      to[i] = FoldChar(from[i]);
    else
      to[i] = FoldChar(char16_t(static_cast<unsigned char>(from[i])));
  }
}

} // namespace

QStringView FoldName(QAnyStringView name, TspFoldBuffer& buffer) {
  name.visit([&](auto view) {
    using View = decltype(view);
    if constexpr (std::is_same_v<View, QStringView>) {
      buffer.resize(view.size());
      FoldInto(view.utf16(), view.size(), buffer.data());
    } else if constexpr (std::is_same_v<View, QLatin1StringView>) {
      buffer.resize(view.size());
      FoldInto(view.data(), view.size(), buffer.data());
    } else {
      // UTF-8: bytes are characters only while they are ASCII.
      if (std::all_of(view.begin(), view.end(),
                      [](auto c) { return static_cast<unsigned char>(c) < 0x80; })) {
        buffer.resize(view.size());
        FoldInto(view.data(), view.size(), buffer.data());
      } else {
        const QString text = view.toString();
        buffer.resize(text.size());
        FoldInto(text.utf16(), text.size(), buffer.data());
      }
    }
  });
  return QStringView(buffer.constData(), buffer.size());
}

QString FoldText(QStringView text) {
  QString folded(text.size(), Qt::Uninitialized);
  FoldInto(text.utf16(), text.size(), reinterpret_cast<char16_t*>(folded.data()));
  return folded;
}
