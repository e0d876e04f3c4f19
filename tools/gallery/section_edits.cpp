// The edit family: plain text, a selection, disabled, mask, URL and date edits, the
// password edit in its three symbol kinds and the spin edit.
#include "gallery_context.h"
#include "skin/controls/date_edit.h"
#include "skin/controls/edit.h"
#include "skin/controls/mask_edit.h"
#include "skin/controls/password_edit.h"
#include "skin/controls/spin_edit.h"
#include "skin/controls/url_edit.h"

#include <QCoreApplication>
#include <QDate>
#include <QKeyEvent>

namespace {
constexpr int kEditX = 100;
constexpr int kEditW = 270;
constexpr int kRowH = 28;
constexpr int kFirstRow = kSectionTop + 2;
constexpr int kEditH = 21;

int RowY(int row) {
  return kFirstRow + row * kRowH;
}
// Edits sit 2 pixels lower than a 25-pixel row, centred on it at their skin height.
QRect EditRect(int row, int x = kEditX, int w = kEditW) {
  return {x, RowY(row) + 2, w, kEditH};
}

// Keys as the user would type them, without moving the focus.
void SendKey(QWidget* to, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QCoreApplication::sendEvent(to, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QCoreApplication::sendEvent(to, &release);
}
} // namespace

void BuildEditSection(TGalleryContext& c, QWidget* section) {
  AddRowLabel(c, section, Tr("Edit"), RowY(0));
  auto* edit = Bind(c, new TspSkinEdit(section), EditRect(0, kEditX, 130));
  edit->SetText(Tr("Milo, a vorn"));
  // The look under the mouse.
  auto* hot = Bind(c, new TspSkinEdit(section), EditRect(0, kEditX + 140, 130));
  hot->SetText(Tr("Under the mouse"));
  c.AfterSkinChange.push_back([hot] { ForceHover(hot); });

  AddRowLabel(c, section, Tr("Selection"), RowY(1));
  auto* selected = Bind(c, new TspSkinEdit(section), EditRect(1));
  selected->SetText(Tr("Part of this text is selected"));
  // Kept while the edit is not focused, so the picture shows it.
  selected->SetHideSelection(false);
  selected->Editor()->setSelection(8, 12);

  AddRowLabel(c, section, Tr("Disabled"), RowY(2));
  auto* disabled = Bind(c, new TspSkinEdit(section), EditRect(2));
  disabled->SetText(Tr("Adopted in May"));
  disabled->setEnabled(false);

  // The application's phone mask, empty and filled.
  AddRowLabel(c, section, Tr("Mask edit"), RowY(3));
  const QString phoneMask = QStringLiteral("(999\\)000-0000;1;_");
  auto* emptyPhone = Bind(c, new TspSkinMaskEdit(section), EditRect(3, kEditX, 130));
  emptyPhone->SetEditMask(phoneMask);
  emptyPhone->SetMaxLength(13);
  auto* phone = Bind(c, new TspSkinMaskEdit(section), EditRect(3, kEditX + 140, 130));
  phone->SetEditMask(phoneMask);
  phone->SetMaxLength(13);
  phone->SetText(QStringLiteral("(555)123-4567"));

  AddRowLabel(c, section, Tr("URL edit"), RowY(4));
  auto* url = Bind(c, new TspSkinURLEdit(section), EditRect(4));
  url->SetText(QStringLiteral("https://vorns.example.org/adopt"));

  AddRowLabel(c, section, Tr("Date edit"), RowY(5));
  auto* date = Bind(c, new TspSkinDateEdit(section), EditRect(5, kEditX, 130));
  date->SetDate(QDate(2024, 5, 17));

  // The three symbol kinds; the first shows a selection of its last four symbols.
  AddRowLabel(c, section, Tr("Password"), RowY(6));
  const TspPasswordKind kinds[] = {TspPasswordKind::pkRoundRect, TspPasswordKind::pkRect,
                                   TspPasswordKind::pkTriangle};
  for (int i = 0; i < 3; ++i) {
    auto* password = Bind(c, new TspSkinPasswordEdit(section), EditRect(6, kEditX + i * 92, 86));
    password->SetPasswordKind(kinds[i]);
    password->SetText(QStringLiteral("vornlover"));
    if (i == 0) {
      password->SetHideSelection(false);
      SendKey(password, Qt::Key_End);
      for (int k = 0; k < 4; ++k) SendKey(password, Qt::Key_Left, Qt::ShiftModifier);
    }
  }

  // The application's spin edit (1..2000 by 25), a fractional one and a disabled one.
  AddRowLabel(c, section, Tr("Spin edit"), RowY(7));
  auto* spin = Bind(c, new TspSkinSpinEdit(section), EditRect(7, kEditX, 86));
  spin->SetMinValue(1);
  spin->SetMaxValue(2000);
  spin->SetIncrement(25);
  spin->SetValue(200);
  auto* fraction = Bind(c, new TspSkinSpinEdit(section), EditRect(7, kEditX + 92, 86));
  fraction->SetValueType(TspValueType::vtFloat);
  fraction->SetIncrement(0.25);
  fraction->SetValue(3.75);
  auto* spinOff = Bind(c, new TspSkinSpinEdit(section), EditRect(7, kEditX + 184, 86));
  spinOff->SetValue(12);
  spinOff->setEnabled(false);
}
