#pragma once
// The product's web site: the documentation (also at the entry of an error code) and the
// donation page. The host is named here only.

#include <QString>

inline constexpr char kProductWebHost[] = "savethevorns.org";

inline QString DocumentationUrl() {
  return QStringLiteral("http://%1/qor/docs.html").arg(QLatin1String(kProductWebHost));
}

// The documentation at the entry of an error code; `fragment` is the code as the banner
// shows it.
inline QString DocumentationUrl(const QString& fragment) {
  return DocumentationUrl() + QLatin1Char('#') + fragment;
}

inline QString DonationUrl() {
  return QStringLiteral("http://%1/qor/donate").arg(QLatin1String(kProductWebHost));
}
