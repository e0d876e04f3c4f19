#pragma once
// Skin changes through a form's tree of controls: every skinned control drops its record
// before the skin data is replaced and applies the new skin after it is loaded.

#include <QObject>

class QWidget;
class TspSkinData;

// Depth first from `root` (a control, then its children in child order), DropSkinRecord on
// every TspSkinnable control whose skin data is `changing` (every one when `changing` is
// none).
void DropSkinRecords(QWidget* root, TspSkinData* changing);
// The same walk with ApplySkin.
void ApplySkins(QWidget* root, TspSkinData* changing);

// An event filter a form installs so that its controls follow skin changes (it registers
// the form as a skin receiver): on
// SkinMsgBeforeChange it drops the records of the form's controls bound to the sender, on
// SkinMsgChange it applies the new skin to them. The messages go on to the form.
class TspSkinnedFormHook : public QObject {
public:
  // Installs itself on `form` and is owned by it.
  explicit TspSkinnedFormHook(QWidget* form);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QWidget* FForm;
};
