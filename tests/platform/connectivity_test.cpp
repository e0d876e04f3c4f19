// The connectivity test against fixture route tables and interface folders.

#include "platform/connectivity.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char* const kRouteHeader = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask"
                                 "\t\tMTU\tWindow\tIRTT\n";

class ConnectivityTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  TConnectivitySources sources{dir.filePath("route"), dir.filePath("ipv6_route"),
                               dir.filePath("net")};

  void Write(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
  }
  void Interface(const char* name, const char* state, const char* flags) {
    const QString folder = sources.InterfaceFolder + "/" + name;
    Write(folder + "/operstate", QByteArray(state) + "\n");
    if (flags) Write(folder + "/flags", QByteArray(flags) + "\n");
  }
  void Routes(const QByteArray& lines) { Write(sources.RouteFile, kRouteHeader + lines); }
};

TEST_F(ConnectivityTest, ADefaultRouteThroughAnUpInterfaceConnects) {
  Interface("eth0", "up", "0x1003");
  Interface("wlan0", "down", "0x1002");
  Interface("lo", "unknown", "0x9");
  Interface("tun0", "unknown", "0x10d1");
  Interface("tun1", "unknown", "0x1090"); // up flag off

  const struct {
    const char* Route;
    bool Connected;
  } cases[] = {
      {"eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n", true},
      {"tun0\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n", true},
      // Only a local network route.
      {"eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n", false},
      // The default route goes through an interface that is down, or has none.
      {"wlan0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n", false},
      {"tun1\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n", false},
      {"eth9\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n", false},
      {"lo\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n", false},
      // Not up, or a reject route.
      {"eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n", false},
      {"eth0\t00000000\t00000000\t0201\t0\t0\t0\t00000000\t0\t0\t0\n", false},
      // Junk and cut lines.
      {"eth0\t00000000\t010200C0\n", false},
      {"../eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n", false},
      {"eth0\t00000000\t010200C0\tzz\t0\t0\t0\t00000000\t0\t0\t0\n", false},
      {"", false},
  };
  for (const auto& c : cases) {
    Routes(c.Route);
    EXPECT_EQ(IsConnected(sources), c.Connected) << c.Route;
  }
}

TEST_F(ConnectivityTest, AnIpv6DefaultRouteConnectsAndTheLoopbackRejectRouteDoesNot) {
  Interface("eth0", "up", "0x1003");
  Interface("lo", "unknown", "0x9");
  Routes("eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n");
  const QByteArray loReject = "00000000000000000000000000000000 00 "
                              "00000000000000000000000000000000 00 "
                              "00000000000000000000000000000000 ffffffff 00000001 00000000 "
                              "00200200       lo\n";
  const QByteArray viaEth = "00000000000000000000000000000000 00 "
                            "00000000000000000000000000000000 00 "
                            "fd000000000000000000000000000001 00000400 00000002 00000000 "
                            "00000003     eth0\n";
  Write(sources.Ipv6RouteFile, loReject);
  EXPECT_FALSE(IsConnected(sources));
  Write(sources.Ipv6RouteFile, loReject + viaEth);
  EXPECT_TRUE(IsConnected(sources));
}

TEST_F(ConnectivityTest, MissingSourcesMeanNoConnection) {
  EXPECT_FALSE(IsConnected(sources));
}

} // namespace
