#pragma once
// The start-up connectivity test: is this machine on a network that leads somewhere?

#include <QString>

// Where the kernel reports routes and interfaces; tests point these at fixtures.
struct TConnectivitySources {
  QString RouteFile = QStringLiteral("/proc/net/route");
  QString Ipv6RouteFile = QStringLiteral("/proc/net/ipv6_route");
  QString InterfaceFolder = QStringLiteral("/sys/class/net");
};

// True when a default route (IPv4 or IPv6) leads through an interface that is up and is not
// a loopback. Unreadable or malformed sources count as no route.
bool IsConnected(const TConnectivitySources& sources);
bool IsConnected();
