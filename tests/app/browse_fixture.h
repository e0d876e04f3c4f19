#pragma once
// What the Browse and animal page tests share: the window started and the Browse page shown,
// and the page driven as a user does (typing, clicking, picking from its lists).
#include "app_fixture.h"

#include "app/browse_page.h"
#include "app/image_control.h"
#include "skin/controls/button.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/list_box.h"
#include "skin/controls/panel.h"

class TBrowseFixture : public TAppTest {
protected:
  TBrowsePage& Browse() const { return Form->BrowsePage(); }

  // The role's tabs and the Browse page, as a member sees them after logging in.
  void GoToBrowse() {
    Form->ShowTabs(QStringLiteral("User"));
    Form->pctMain->SetActivePage(Form->tbsAdopt);
  }

  void StartOnBrowse() {
    StartForm();
    GoToBrowse();
  }

  QStringList Names() const { return Browse().lbxBrowseResults->Items(); }
  bool NoResultsShown() const {
    return Browse().lblBrowseNoResults->isVisibleTo(Browse().pnlBrowse);
  }

  void ClickSearch() { QTest::mouseClick(Browse().btnBrowseSearch, Qt::LeftButton); }

  void TypeSearchText(const QString& text) {
    Browse().edtBrowseSearch->SetText({});
    QTest::keyClicks(Browse().edtBrowseSearch->Editor(), text);
  }

  // A search on `field` for `text` among animals of `kind`, started with the button. The
  // field comes last: its change searches already, with the kind and text in place.
  void Search(const QString& field, const QString& text, const QString& kind) {
    TspSkinComboBox* kinds = Browse().cbxBrowseSearch;
    ASSERT_GE(kinds->Items().indexOf(kind), 0) << kind.toStdString();
    kinds->SetItemIndex(int(kinds->Items().indexOf(kind)));
    // Set, not typed: QTest types only ASCII.
    Browse().edtBrowseSearch->SetText(text);
    TspSkinComboBox* fields = Browse().cbxBrowseField;
    ASSERT_GE(fields->Items().indexOf(field), 0) << field.toStdString();
    fields->SetItemIndex(int(fields->Items().indexOf(field)));
    ClickSearch();
  }

  // A click on item `index` of the results.
  void ClickResult(int index) {
    TspListBox* list = Browse().lbxBrowseResults->ListBox();
    list->MakeVisible(index);
    QTest::mouseClick(list, Qt::LeftButton, {}, list->ItemRect(index).center());
  }

  // Deletes an animal past the window, as the Admin page would.
  void DeleteAnimal(const QString& name) {
    auto connection = OpenDatabase();
    QSqlQuery query(connection->Database());
    ASSERT_TRUE(query.prepare(QStringLiteral("DELETE FROM \"Animals\" WHERE \"AnimalName\" = ?")));
    query.addBindValue(name);
    ASSERT_TRUE(query.exec());
  }
};
