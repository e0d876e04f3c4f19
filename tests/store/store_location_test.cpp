// Reading the server address of the settings file.
#include "store/store_error.h"
#include "store/store_location.h"

#include <gtest/gtest.h>

namespace {

struct TGoodUri {
  const char* Uri;
  const char* Host;
  int Port;
  const char* Database;
  const char* User;
  const char* Display;
};

TEST(ServerUri, ReadsHostPortDatabaseAndUserWithPercentEncodingAndQuerySettings) {
  const TGoodUri cases[] = {
      {"postgresql://vorns@db.shelter.lan:5432/vorns", "db.shelter.lan", 5432, "vorns", "vorns",
       "postgresql://vorns@db.shelter.lan:5432/vorns"},
      {"postgres://db/shelter", "db", -1, "shelter", "", "postgresql://db/shelter"},
      {"postgresql://[::1]:6000/vorns", "::1", 6000, "vorns", "", "postgresql://[::1]:6000/vorns"},
      // A socket directory in the host part or as a setting; the setting wins.
      {"postgresql://%2Frun%2Fpg/vorns", "/run/pg", -1, "vorns", "",
       "postgresql:///vorns?host=/run/pg"},
      {"postgresql:///vorns?host=/tmp/x%20y&port=21000&user=front%20desk", "/tmp/x y", 21000,
       "vorns", "front desk", "postgresql://front%20desk@/vorns?host=/tmp/x%20y&port=21000"},
      {"postgresql://h/ignored?dbname=caf%C3%A9", "h", -1, "caf\u00e9", "",
       "postgresql://h/caf%C3%A9"},
      {"  POSTGRESQL://u%40x@h/d  ", "h", -1, "d", "u@x", "postgresql://u%40x@h/d"},
  };
  for (const TGoodUri& c : cases) {
    SCOPED_TRACE(c.Uri);
    const TServerLocation location = ParseServerUri(QString::fromUtf8(c.Uri));
    EXPECT_EQ(location.HostName, QString::fromUtf8(c.Host));
    EXPECT_EQ(location.Port, c.Port);
    EXPECT_EQ(location.DatabaseName, QString::fromUtf8(c.Database));
    EXPECT_EQ(location.UserName, QString::fromUtf8(c.User));
    EXPECT_TRUE(location.Password.isEmpty());
    EXPECT_EQ(location.Display(), QString::fromUtf8(c.Display));
    // Read back, what is shown names the same server.
    const TServerLocation again = ParseServerUri(location.Display());
    EXPECT_EQ(again.HostName, location.HostName);
    EXPECT_EQ(again.Port, location.Port);
    EXPECT_EQ(again.DatabaseName, location.DatabaseName);
    EXPECT_EQ(again.UserName, location.UserName);
  }
}

TEST(ServerUri, PassesOtherSettingsToTheDriverWithATimeoutUnlessOneIsGiven) {
  const TServerLocation plain = ParseServerUri("postgresql://h/d?sslmode=require");
  EXPECT_EQ(plain.Options, "sslmode=require");
  EXPECT_EQ(plain.Params().Options, "sslmode=require;connect_timeout=10");
  EXPECT_EQ(ParseServerUri("postgresql://h/d?connect_timeout=2").Params().Options,
            "connect_timeout=2");
}

TEST(ServerUri, APasswordIsUsedButNeverShown) {
  for (const char* uri :
       {"postgresql://clerk:s3cret%21@h:5432/d", "postgresql://clerk@h/d?password=s3cret%21",
        "postgresql://clerk@h/d?sslpassword=s3cret%21"}) {
    SCOPED_TRACE(uri);
    const TServerLocation location = ParseServerUri(uri);
    EXPECT_FALSE(location.Display().contains("s3cret")) << location.Display().toStdString();
    EXPECT_TRUE(location.Display().startsWith("postgresql://clerk@h"));
  }
  EXPECT_EQ(ParseServerUri("postgresql://clerk:s3cret%21@h/d").Params().Password, "s3cret!");
}

TEST(ServerUri, RefusesWhatNamesNoServerDatabaseWithoutRepeatingThePassword) {
  for (const char* uri : {
           "mysql://clerk:s3cret@h/d",           // wrong scheme
           "db.shelter.lan/vorns",               // no scheme
           "postgresql://clerk:s3cret@h",        // no database
           "postgresql://clerk:s3cret@h/",       // no database
           "postgresql://clerk:s3cret@h:port/d", // port not a number
           "postgresql://clerk:s3cret@h:70000/d",
           "postgresql://clerk:s3cret@[::1/d",                     // unclosed address
           "postgresql://clerk:s3cret@h/d%zz",                     // bad escape
           "postgresql://clerk:s3cret@h/d%C3",                     // not UTF-8
           "postgresql://clerk:s3cret@h/d?sslmode",                // setting without a value
           "postgresql://clerk:s3cret@h/d?application_name=a%3Bb", // would split the options
       }) {
    SCOPED_TRACE(uri);
    try {
      ParseServerUri(uri);
      ADD_FAILURE() << "accepted";
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(std::string(e.what()).find("s3cret"), std::string::npos) << e.what();
    }
  }
}

} // namespace
