#pragma once
// The location field that opens its text when the text is clicked.

#include "skin/controls/edit.h"

#include <QUrl>

enum class TspLinkType { spltHTTP, spltMail };

// A field that opens its text when the text is clicked: a web or folder location, or an
// e-mail address.
class TspSkinURLEdit : public TspSkinEdit {
public:
  explicit TspSkinURLEdit(QWidget* parent = nullptr);

  TspLinkType LinkType() const { return FLinkType; }
  void SetLinkType(TspLinkType value) { FLinkType = value; }
  // Clicks on the text open it.
  bool Execute() const { return FExecute; }
  void SetExecute(bool value);
  // Opens a location; the shell's "open" (QDesktopServices) unless replaced.
  std::function<bool(const QUrl&)> Opener;

  // The pointer is over the text and a click would open it.
  bool OverLink() const { return FOverLink; }
  // What a click opens: none for a mail link without an at sign.
  QUrl LinkUrl() const;

protected:
  void EditorMouseMove(QMouseEvent* e) override;
  bool EditorMousePress(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;
  QFont EditorFont() const override;

private:
  void SetOverLink(bool value);
  TspLinkType FLinkType = TspLinkType::spltHTTP;
  bool FExecute = true;
  bool FOverLink = false;
};
