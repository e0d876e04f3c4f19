// The data source passing the cursor's changes on to its links and events.
#include "store/data_source.h"
#include "store_fixture.h"

#include <gtest/gtest.h>

namespace {

class TRecordingLink : public TDataLink {
public:
  QStringList Events;

protected:
  void ActiveChanged() override { Events << (Active() ? "active" : "inactive"); }
  void DataSetChanged() override { Events << "changed"; }
  void DataSetScrolled(int distance) override { Events << QString("scrolled %1").arg(distance); }
  void RecordChanged(const QString& field) override { Events << "record " + field; }
  void EditingChanged() override { Events << "editing"; }
};

std::unique_ptr<TStoreDatabase> UsersDatabase() {
  QString reason;
  auto db = TStoreDatabase::Create(TEngine::SQLite, &reason);
  for (const char* name : {"alice", "bob", "carol", "dave"})
    db->Exec("INSERT INTO \"Users\" (\"Username\") VALUES (?)", {QString(name)});
  return db;
}

TEST(DataSource, TellsItsLinksAndEventsWhatTheCursorDid) {
  auto db = UsersDatabase();
  TTableCursor cursor(db->ConnectionName());
  TDataSource source;
  TRecordingLink link;
  int dataChanges = 0, stateChanges = 0;
  QString lastField;
  source.OnDataChange = [&](TDataSource* sender, const QString& field) {
    EXPECT_EQ(sender, &source);
    ++dataChanges;
    lastField = field;
  };
  source.OnStateChange = [&](TDataSource*) { ++stateChanges; };
  link.SetDataSource(&source);
  source.SetDataSet(&cursor);
  link.Events.clear();
  stateChanges = 0;

  cursor.SetTableName("Users");
  cursor.Open();
  cursor.Next();
  cursor.Last();
  cursor.Last(); // no move, no news
  ASSERT_TRUE(cursor.Locate("Username", "BOB"));
  cursor.Edit();
  cursor.SetField("FullName", "Bob B");
  cursor.Post();
  cursor.SetSort("Username DESC");
  cursor.Delete();
  cursor.Close();
  EXPECT_EQ(link.Events, QStringList({"active", "scrolled 1", "scrolled 2", "scrolled -2",
                                      "editing", "record FullName", "editing", "changed", "changed",
                                      "changed", "inactive"}));
  EXPECT_EQ(stateChanges, 4);
  EXPECT_EQ(dataChanges, 7);
  EXPECT_EQ(lastField, "");
}

TEST(DataSource, QuietWhileControlsAreDisabledOrTheSourceIsOff) {
  auto db = UsersDatabase();
  TTableCursor cursor(db->ConnectionName());
  cursor.SetTableName("Users");
  cursor.Open();
  TDataSource source;
  source.SetDataSet(&cursor);
  TRecordingLink link;
  link.SetDataSource(&source);
  EXPECT_TRUE(link.Active());
  link.Events.clear();

  cursor.DisableControls();
  for (cursor.First(); !cursor.Eof(); cursor.Next()) cursor.FieldByName("Username");
  EXPECT_TRUE(link.Events.isEmpty());
  cursor.EnableControls();
  EXPECT_EQ(link.Events, QStringList({"active", "changed"}));
  cursor.DisableControls();
  cursor.EnableControls(); // nothing happened: nothing to tell
  EXPECT_EQ(link.Events.size(), 2);

  link.Events.clear();
  source.SetEnabled(false);
  EXPECT_FALSE(link.Active());
  EXPECT_EQ(source.State(), TDataSetState::dsInactive);
  cursor.First();
  source.SetEnabled(true);
  EXPECT_EQ(link.Events, QStringList({"inactive", "active"}));
}

TEST(DataSource, ReferencesClearWhenEitherSideGoes) {
  auto db = UsersDatabase();
  TRecordingLink link;
  auto source = std::make_unique<TDataSource>();
  {
    TTableCursor cursor(db->ConnectionName());
    cursor.SetTableName("Users");
    cursor.Open();
    source->SetDataSet(&cursor);
    link.SetDataSource(source.get());
    EXPECT_EQ(link.DataSet(), &cursor);
    link.Events.clear();
  }
  EXPECT_EQ(source->DataSet(), nullptr);
  EXPECT_EQ(link.DataSet(), nullptr);
  EXPECT_EQ(link.Events, QStringList({"inactive"}));
  {
    TRecordingLink other;
    other.SetDataSource(source.get());
    EXPECT_EQ(source->DataLinks().size(), 2u);
  }
  EXPECT_EQ(source->DataLinks().size(), 1u);
  source.reset();
  EXPECT_EQ(link.DataSource(), nullptr);
  EXPECT_FALSE(link.Active());
}

} // namespace
