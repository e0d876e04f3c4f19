#include "platform/connectivity.h"

#include <QByteArray>
#include <QFile>
#include <QList>

namespace {

// The kernel's route and interface flags.
constexpr unsigned kRouteUp = 0x0001;      // RTF_UP
constexpr unsigned kRouteReject = 0x0200;  // RTF_REJECT
constexpr unsigned kInterfaceUp = 0x0001;  // IFF_UP
constexpr unsigned kLoopback = 0x0008;     // IFF_LOOPBACK
constexpr unsigned kRunning = 0x0040;      // IFF_RUNNING
constexpr qint64 kMaxSourceSize = 1 << 20; // a route table of thousands of lines

QByteArray ReadSource(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.read(kMaxSourceSize);
}

bool ParseHex(const QByteArray& text, unsigned& value) {
  bool ok = false;
  value = text.toUInt(&ok, 16);
  return ok;
}

bool IsAllZeros(const QByteArray& hex) {
  return !hex.isEmpty() && hex.count('0') == hex.size();
}

bool InterfaceLeadsOut(const TConnectivitySources& sources, const QByteArray& name) {
  // A name is one path component; anything else cannot be an interface.
  if (name.isEmpty() || name.contains('/') || name == "." || name == "..") return false;
  const QString folder = sources.InterfaceFolder + QLatin1Char('/') + QString::fromLatin1(name);
  const QByteArray state = ReadSource(folder + QStringLiteral("/operstate")).trimmed();
  unsigned flags = 0;
  const bool haveFlags = ParseHex(ReadSource(folder + QStringLiteral("/flags")).trimmed(), flags);
  if (haveFlags && (flags & kLoopback)) return false;
  if (name == "lo") return false;
  if (state == "up") return !haveFlags || (flags & kInterfaceUp);
  // Point-to-point links (tun, ppp, wireguard) report no state of their own.
  if (state == "unknown") return haveFlags && (flags & kInterfaceUp) && (flags & kRunning);
  return false;
}

bool HasDefaultRouteV4(const TConnectivitySources& sources) {
  const QList<QByteArray> lines = ReadSource(sources.RouteFile).split('\n');
  // Iface Destination Gateway Flags RefCnt Use Metric Mask MTU Window IRTT, after a header.
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QList<QByteArray> f = lines[i].simplified().split(' ');
    if (f.size() < 8) continue;
    unsigned flags = 0;
    if (!ParseHex(f[3], flags) || !IsAllZeros(f[1]) || !IsAllZeros(f[7])) continue;
    if ((flags & kRouteUp) && !(flags & kRouteReject) && InterfaceLeadsOut(sources, f[0]))
      return true;
  }
  return false;
}

bool HasDefaultRouteV6(const TConnectivitySources& sources) {
  const QList<QByteArray> lines = ReadSource(sources.Ipv6RouteFile).split('\n');
  // Destination, prefix length, source, source prefix length, next hop, metric, reference
  // count, use count, flags, interface; no header.
  for (const QByteArray& line : lines) {
    const QList<QByteArray> f = line.simplified().split(' ');
    if (f.size() < 10) continue;
    unsigned flags = 0;
    if (!ParseHex(f[8], flags) || !IsAllZeros(f[0]) || !IsAllZeros(f[1])) continue;
    if ((flags & kRouteUp) && !(flags & kRouteReject) && InterfaceLeadsOut(sources, f[9]))
      return true;
  }
  return false;
}

} // namespace

bool IsConnected(const TConnectivitySources& sources) {
  return HasDefaultRouteV4(sources) || HasDefaultRouteV6(sources);
}

bool IsConnected() {
  return IsConnected(TConnectivitySources{});
}
