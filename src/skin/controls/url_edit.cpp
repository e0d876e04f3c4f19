#include "skin/controls/url_edit.h"

#include <QDesktopServices>
#include <QMouseEvent>

TspSkinURLEdit::TspSkinURLEdit(QWidget* parent) : TspSkinEdit(parent) {
  Opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void TspSkinURLEdit::SetExecute(bool value) {
  FExecute = value;
  if (!value) SetOverLink(false);
}

QUrl TspSkinURLEdit::LinkUrl() const {
  const QString text = Text().trimmed();
  if (text.isEmpty()) return QUrl();
  if (FLinkType == TspLinkType::spltMail) {
    if (!text.contains(u'@')) return QUrl();
    return QUrl(QStringLiteral("mailto:") + text);
  }
  return QUrl::fromUserInput(text);
}

void TspSkinURLEdit::SetOverLink(bool value) {
  if (value == FOverLink) return;
  FOverLink = value;
  Editor()->setFont(EditorFont());
  Editor()->setCursor(value ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

void TspSkinURLEdit::EditorMouseMove(QMouseEvent* e) {
  TspSkinEdit::EditorMouseMove(e);
  bool over = false;
  const QString text = Editor()->displayText();
  if (FExecute && !text.isEmpty()) {
    const int x = int(e->position().x());
    const int start = Editor()->TextStartX();
    over = x >= start && x < start + Editor()->fontMetrics().horizontalAdvance(text);
  }
  SetOverLink(over);
}

bool TspSkinURLEdit::EditorMousePress(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !FOverLink || !FExecute) return false;
  const QUrl url = LinkUrl();
  if (url.isValid() && Opener) Opener(url);
  return true;
}

void TspSkinURLEdit::leaveEvent(QEvent* e) {
  TspSkinEdit::leaveEvent(e);
  SetOverLink(false);
}

QFont TspSkinURLEdit::EditorFont() const {
  QFont f = EditFont();
  if (FOverLink) f.setUnderline(true);
  return f;
}
