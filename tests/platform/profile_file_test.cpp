// The settings file service on real files in a temporary folder.

#include "file_size_limit.h"
#include "platform/platform_error.h"
#include "platform/profile_file.h"
#include "unprivileged.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& path, const QByteArray& data) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(f.write(data), data.size());
}

class ProfileFileTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("config.ini"));
};

TEST_F(ProfileFileTest, CreatesTheFileOnFirstWriteAndReadsValuesBack) {
  TProfileFile ini(path);
  EXPECT_EQ(ini.ReadString("User", "SkinColor", "dflt"), "dflt");
  EXPECT_FALSE(QFile::exists(path)) << "reading must not create the file";

  ini.WriteString("Details", "AppVersion", "0.1.0");
  ini.WriteBool("Dimensions", "isRemember", true);
  ini.WriteInteger("Dimensions", "left", -12);
  ini.WriteString("User", "userName", "");
  ini.WriteString("User", "DatabasePath", "/home/a b/cfg/Data.mdb");
  ini.WriteBool("User", "valDB", false);
  ini.WriteString("User", "Motto", QString::fromUtf8("Tür = \"offen\" ; ja"));

  // A second object sees what the first wrote: nothing is cached.
  const TProfileFile other(path);
  EXPECT_EQ(other.ReadString("Details", "AppVersion", ""), "0.1.0");
  EXPECT_TRUE(other.ReadBool("Dimensions", "isRemember", false));
  EXPECT_EQ(other.ReadInteger("Dimensions", "left", 0), -12);
  EXPECT_EQ(other.ReadString("User", "userName", "dflt"), "") << "an empty value is a value";
  EXPECT_TRUE(other.ValueExists("User", "userName"));
  EXPECT_EQ(other.ReadString("User", "DatabasePath", ""), "/home/a b/cfg/Data.mdb");
  EXPECT_FALSE(other.ReadBool("User", "valDB", true));
  EXPECT_EQ(other.ReadString("User", "Motto", ""), QString::fromUtf8("Tür = \"offen\" ; ja"));
  EXPECT_EQ(other.ReadString("User", "missing", "dflt"), "dflt");
  EXPECT_EQ(other.ReadString("Nowhere", "left", "dflt"), "dflt");
  EXPECT_FALSE(other.SectionExists("Nowhere"));
  EXPECT_TRUE(other.SectionExists("USER"));
}

TEST_F(ProfileFileTest, WritesCrLfLinesInFirstWrittenOrderAndReplacesValuesInPlace) {
  TProfileFile ini(path);
  ini.WriteString("Details", "AppVersion", "0.1.0");
  ini.WriteString("Details", "AppCreator", "Quennel");
  ini.WriteBool("Dimensions", "isRemember", true);
  ini.WriteInteger("Dimensions", "left", 10);
  ini.WriteString("User", "SkinColor", "Blue");
  // Later writes change values where they stand and add keys to their own section.
  ini.WriteInteger("Dimensions", "LEFT", 20);
  ini.WriteInteger("Dimensions", "top", 30);
  ini.WriteString("details", "AppVersion", "0.2.0");

  EXPECT_EQ(ReadAll(path), QByteArray("[Details]\r\n"
                                      "AppVersion=0.2.0\r\n"
                                      "AppCreator=Quennel\r\n"
                                      "\r\n"
                                      "[Dimensions]\r\n"
                                      "isRemember=1\r\n"
                                      "left=20\r\n"
                                      "top=30\r\n"
                                      "\r\n"
                                      "[User]\r\n"
                                      "SkinColor=Blue\r\n"));
}

TEST_F(ProfileFileTest, MatchesSectionAndKeyNamesWithoutRegardToCase) {
  TProfileFile ini(path);
  ini.WriteString("User", "userName", "mira");
  EXPECT_EQ(ini.ReadString("user", "Username", ""), "mira");
  EXPECT_EQ(ini.ReadString("USER", "USERNAME", ""), "mira");

  ini.WriteString("USER", "Username", "Mira Two");
  EXPECT_EQ(ReadAll(path), QByteArray("[User]\r\nuserName=Mira Two\r\n"))
      << "one key, keeping the case it was first written in";
}

TEST_F(ProfileFileTest, ReadsLfOnlyFilesWithJunkLinesAndKeepsThemOnRewrite) {
  WriteAll(path, "\xEF\xBB\xBF; written by hand\n"
                 "orphan=before any section\n"
                 "[Dimensions]\n"
                 "  isRemember =  0  \n"
                 "this line is junk\n"
                 "width=abc\n"
                 "height=12abc\n"
                 "top=99999999999\n"
                 "left=+7\n"
                 "isRemember=1\n"
                 "[User\n"
                 "=no key\n"
                 "[ User ]\r\n"
                 "checkUpdate=-3\n"
                 "SkinColor=Green\n"
                 "[User]\n"
                 "SkinColor=Orange"); // no final line end
  TProfileFile ini(path);
  EXPECT_FALSE(ini.ReadBool("Dimensions", "isRemember", true)) << "the first of two keys wins";
  EXPECT_EQ(ini.ReadInteger("Dimensions", "width", 5), 5);
  EXPECT_EQ(ini.ReadInteger("Dimensions", "height", 5), 5);
  EXPECT_EQ(ini.ReadInteger("Dimensions", "top", 5), 5) << "out of range";
  EXPECT_EQ(ini.ReadInteger("Dimensions", "left", 5), 7);
  EXPECT_TRUE(ini.ReadBool("User", "checkUpdate", false)) << "any nonzero integer";
  EXPECT_EQ(ini.ReadString("User", "SkinColor", ""), "Green") << "the first section wins";
  EXPECT_EQ(ini.ReadString("", "orphan", "dflt"), "dflt");
  EXPECT_FALSE(ini.ValueExists("Dimensions", "this line is junk"));

  ini.WriteString("User", "userName", "x");
  EXPECT_EQ(ReadAll(path), QByteArray("\xEF\xBB\xBF; written by hand\r\n"
                                      "orphan=before any section\r\n"
                                      "[Dimensions]\r\n"
                                      "  isRemember =  0  \r\n"
                                      "this line is junk\r\n"
                                      "width=abc\r\n"
                                      "height=12abc\r\n"
                                      "top=99999999999\r\n"
                                      "left=+7\r\n"
                                      "isRemember=1\r\n"
                                      "[User\r\n"
                                      "=no key\r\n"
                                      "[ User ]\r\n"
                                      "checkUpdate=-3\r\n"
                                      "SkinColor=Green\r\n"
                                      "userName=x\r\n"
                                      "[User]\r\n"
                                      "SkinColor=Orange\r\n"));
}

TEST_F(ProfileFileTest, AnUpdateSavesItsWritesOnceAtItsEnd) {
  TProfileFile ini(path);
  ini.WriteString("User", "userName", "old");
  const QByteArray before = ReadAll(path);

  ini.BeginUpdate();
  ini.WriteString("User", "userName", "new");
  ini.BeginUpdate();
  ini.WriteInteger("Dimensions", "left", 4);
  ini.EndUpdate();
  EXPECT_EQ(ini.ReadString("User", "userName", ""), "new") << "reads see the pending writes";
  EXPECT_EQ(ReadAll(path), before) << "nothing saved before the outermost end";
  ini.EndUpdate();
  EXPECT_EQ(ReadAll(path), QByteArray("[User]\r\nuserName=new\r\n\r\n[Dimensions]\r\nleft=4\r\n"));

  // A failed save drops the pending writes and leaves the object usable.
  TProfileFile nowhere(dir.filePath("missing/config.ini"));
  nowhere.BeginUpdate();
  nowhere.WriteString("User", "userName", "x");
  EXPECT_THROW(nowhere.EndUpdate(), EProfileFileError);
  EXPECT_EQ(nowhere.ReadString("User", "userName", "none"), "none");

  // Destroyed inside an update: as if the program had stopped there.
  {
    TProfileFile abandoned(path);
    abandoned.BeginUpdate();
    abandoned.WriteString("User", "userName", "lost");
  }
  EXPECT_EQ(ini.ReadString("User", "userName", ""), "new");
}

TEST_F(ProfileFileTest, RefusesNamesAndValuesThatWouldBreakTheFile) {
  TProfileFile ini(path);
  ini.WriteString("User", "userName", "kept");
  const QByteArray before = ReadAll(path);
  const struct {
    const char *Section, *Key, *Value;
  } cases[] = {
      {"User", "userName", "bob\r\n[User]\r\nSkinColor=Blue"},
      {"User", "userName", "bob\nx"},
      {"", "userName", "v"},
      {"Us]er", "userName", "v"},
      {"User", "", "v"},
      {"User", "a=b", "v"},
      {"User", ";note", "v"},
      {"User", " padded", "v"},
      {"Us\ner", "k", "v"},
  };
  for (const auto& c : cases) {
    EXPECT_THROW(ini.WriteString(c.Section, c.Key, c.Value), EProfileFileError)
        << c.Section << " / " << c.Key;
  }
  EXPECT_EQ(ReadAll(path), before);
}

TEST_F(ProfileFileTest, AFailedSaveRaisesNamingTheFileAndKeepsTheOldContent) {
  // A read-only folder: the temporary file cannot be made.
  const QString cfg = dir.filePath("cfg");
  ASSERT_TRUE(QDir().mkpath(cfg));
  const QString file = cfg + "/config.ini";
  WriteAll(file, "[User]\r\nuserName=old\r\n");
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                        QFile::ReadOther | QFile::ExeOther);
  QFile::setPermissions(cfg,
                        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
  QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
  {
    TUnprivileged guard;
    TProfileFile ini(file);
    EXPECT_EQ(ini.ReadString("User", "userName", ""), "old");
    try {
      ini.WriteString("User", "userName", "new");
      ADD_FAILURE() << "the write into a read-only folder succeeded";
    } catch (const EProfileFileError& e) {
      EXPECT_NE(std::string(e.what()).find(file.toStdString()), std::string::npos) << e.what();
    }
  }
  QFile::setPermissions(cfg, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(ReadAll(file), QByteArray("[User]\r\nuserName=old\r\n"));
  EXPECT_EQ(QDir(cfg).entryList(QDir::Files | QDir::Hidden), QStringList{"config.ini"});

  // A folder that does not exist is not created.
  TProfileFile nowhere(dir.filePath("missing/config.ini"));
  EXPECT_THROW(nowhere.WriteString("User", "userName", "x"), EProfileFileError);
  EXPECT_FALSE(QFile::exists(dir.filePath("missing")));
}

TEST_F(ProfileFileTest, AFullDiskLeavesTheOldFileWhole) {
  QByteArray old = "[User]\r\n";
  for (int i = 0; i < 200; ++i) old += "key" + QByteArray::number(i) + "=value\r\n";
  WriteAll(path, old);
  TProfileFile ini(path);

  // A file size limit makes every write past it fail, as a full disk does.
  TFileSizeLimit limit(1024);
  ASSERT_TRUE(limit.Active());
  EXPECT_THROW(ini.WriteString("User", "key7", "changed"), EProfileFileError);
  limit.Lift();

  EXPECT_EQ(ReadAll(path), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"config.ini"})
      << "no temporary file left behind";
}

TEST_F(ProfileFileTest, RefusesFilesItCannotOrShouldNotRead) {
  // Too large for a settings file: refused instead of read into memory.
  WriteAll(path, QByteArray(TProfileFile::kMaxFileSize + 1, 'x'));
  TProfileFile big(path);
  EXPECT_THROW(big.ReadString("User", "userName", ""), EProfileFileError);
  EXPECT_THROW(big.WriteString("User", "userName", "x"), EProfileFileError);
  EXPECT_EQ(QFile(path).size(), TProfileFile::kMaxFileSize + 1);

  // A folder where the file should be.
  ASSERT_TRUE(QDir().mkpath(dir.filePath("folder.ini")));
  TProfileFile folder(dir.filePath("folder.ini"));
  EXPECT_THROW(folder.ReadString("User", "userName", ""), EProfileFileError);
  EXPECT_THROW(folder.WriteString("User", "userName", "x"), EProfileFileError);
}

} // namespace
