#pragma once
// Steps the tests of the account and animal screens share: typing into a field as a user
// does, clicking, logging in through the Log In page, and reading the database past the
// window.

#include "app_fixture.h"

#include "app/error_banner.h"
#include "app/login_page.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/password_edit.h"

#include <QSqlRecord>

class TAccountTest : public TAppTest {
protected:
  // The widget that takes the keys of a field: a text edit's inner line edit, or the field.
  static QWidget* Typing(QWidget* field) {
    return field->focusProxy() ? field->focusProxy() : field;
  }

  // Focuses the field and types the text, key by key.
  static void Type(QWidget* field, const QString& text) {
    QWidget* typing = Typing(field);
    typing->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(typing, text);
  }

  // Empties a field as a user does: everything selected, then deleted.
  static void Clear(QWidget* field) {
    QWidget* typing = Typing(field);
    typing->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(typing, Qt::Key_Home);
    QTest::keyClick(typing, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(typing, Qt::Key_Delete);
  }

  static void Click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }

  // One labelled row of a form: its label's name and caption, its field and the field's hint.
  struct TFieldRow {
    const char* Label;
    const char* Caption;
    QWidget* Field;
    const char* Hint;
  };

  // Each row's right-aligned label left of its field, on the field's line, the rows one
  // below the other from below `top`, inside `panel`, each field with its hint. Returns the
  // bottom of the last field.
  int ExpectFieldRows(const QWidget* panel, int top, std::initializer_list<TFieldRow> rows) const {
    for (const TFieldRow& row : rows) {
      SCOPED_TRACE(row.Caption);
      auto* label = Find<TspSkinStdLabel>(row.Label);
      if (!label) continue;
      EXPECT_EQ(label->Caption(), row.Caption);
      EXPECT_EQ(label->Alignment(), TspAlignment::taRightJustify);
      EXPECT_LT(label->geometry().right(), row.Field->x());
      EXPECT_EQ(label->y(), row.Field->y());
      EXPECT_GT(row.Field->y(), top);
      EXPECT_TRUE(panel->rect().contains(row.Field->geometry()));
      EXPECT_EQ(row.Field->toolTip(), row.Hint);
      top = row.Field->geometry().bottom();
    }
    return top;
  }

  // The code the banner shows, empty before any error.
  QString BannerCode() const { return Form->ErrorBanner().lblErrorCode->Caption(); }

  // Logs in through the Log In page, typing the name and the password and pressing Enter.
  void LogIn(const QString& name, const QString& password) {
    TLoginPage& login = Form->LoginPage();
    Clear(login.edtLLogin);
    Type(login.edtLLogin, name);
    Clear(login.edtLPassword);
    Type(login.edtLPassword, password);
    QTest::keyClick(login.edtLPassword, Qt::Key_Return);
  }

  // The rows a query returns, read through a connection of its own.
  std::vector<QSqlRecord> Query(const QString& sql, const QVariantList& values = {}) const {
    auto connection = OpenDatabase();
    QSqlQuery query(connection->Database());
    EXPECT_TRUE(query.prepare(sql)) << sql.toStdString();
    for (const QVariant& v : values) query.addBindValue(v);
    EXPECT_TRUE(query.exec()) << sql.toStdString();
    std::vector<QSqlRecord> rows;
    while (query.next()) rows.push_back(query.record());
    return rows;
  }

  // Runs a statement that changes the database, as another workstation would.
  void Execute(const QString& sql, const QVariantList& values = {}) const {
    auto connection = OpenDatabase();
    QSqlQuery query(connection->Database());
    ASSERT_TRUE(query.prepare(sql)) << sql.toStdString();
    for (const QVariant& v : values) query.addBindValue(v);
    ASSERT_TRUE(query.exec()) << sql.toStdString();
  }

  // Every row of a table as text, in key order: what "nothing changed" compares.
  QStringList TableText(const QString& table) const {
    QStringList lines;
    for (const QSqlRecord& row :
         Query(QStringLiteral("SELECT * FROM \"") + table + QStringLiteral("\" ORDER BY \"ID\""))) {
      QStringList values;
      for (int i = 0; i < row.count(); ++i) values << row.value(i).toString();
      lines << values.join(QLatin1Char('|'));
    }
    return lines;
  }
};
