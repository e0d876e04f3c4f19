// The controller's window states (maximise to the work area, restore, minimise, roll up) and
// the system menu that offers them.
#include "skin/frame/vestimar.h"

#include "skin/frame/caption_buttons.h"
#include "skin/frame/skin_menu.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>

void TspVestimar::RollUp(bool up) {
  if (!FBorderIcons.testFlag(TspBorderIcon::biRollUp) || FForm->isMinimized() || up == FRolledUp)
    return;
  if (FWindowState == TspWindowState::wsMaximized) FRolledUpWhileMaximized = up;
  FRolledUp = up;
  TrackObject({-1, -1}, false);
  if (up) {
    FHeightBeforeRollUp = FForm->height();
    EnforceMinimumSize();
    FForm->resize(FForm->width(), MinTrackingSize().height());
  } else {
    EnforceMinimumSize();
    const int height = FClientHeight > 0 ? FormSizeForClient(QSize(0, FClientHeight)).height()
                                         : FHeightBeforeRollUp;
    FForm->resize(FForm->width(), std::max(height, MinTrackingSize().height()));
  }
  RepaintFrame();
  if (OnChangeRollUpState) OnChangeRollUpState(this);
}

// --- Window states
// --------------------------------------------------------------------------------

QRect TspVestimar::MaximizeTarget() const {
  const QScreen* s = FForm->screen() ? FForm->screen() : QGuiApplication::primaryScreen();
  if (!s) return FForm->geometry();
  return MaximizedBounds(s->geometry(), s->availableGeometry(),
                         s == QGuiApplication::primaryScreen(), FMaximizeOnFullScreen);
}

void TspVestimar::SetWindowState(TspWindowState value) {
  if (value == TspWindowState::wsMinimized) {
    Minimize();
    return;
  }
  if (FForm->isMinimized() && value == TspWindowState::wsNormal) {
    FForm->showNormal();
    if (OnRestore) OnRestore(this);
    return;
  }
  if (value == FWindowState) return;
  if (value == TspWindowState::wsMaximized)
    Maximize();
  else
    Restore();
}

void TspVestimar::Maximize() {
  if (FNormalBounds.isEmpty()) FNormalBounds = FForm->geometry();
  FWindowState = TspWindowState::wsMaximized;
  FChangingState = true;
  FForm->setGeometry(MaximizeTarget());
  FChangingState = false;
  LayerBorderUpdate();
  RepaintFrame();
  if (OnMaximize) OnMaximize(this);
}

void TspVestimar::Restore() {
  // Rolled up while maximised: down first.
  if (FRolledUpWhileMaximized) RollUp(false);
  FRolledUpWhileMaximized = false;
  FWindowState = TspWindowState::wsNormal;
  FChangingState = true;
  // Maximised by the window manager: it lets go first.
  if (FForm->windowState() & Qt::WindowMaximized)
    FForm->setWindowState(FForm->windowState() & ~Qt::WindowMaximized);
  if (FNormalBounds.isValid()) FForm->setGeometry(FNormalBounds);
  FChangingState = false;
  FNormalBounds = QRect();
  LayerBorderUpdate();
  RepaintFrame();
  if (OnRestore) OnRestore(this);
}

void TspVestimar::Minimize() {
  // The platform's minimisation: for the main form that minimises the application.
  FForm->showMinimized();
  if (OnMinimize) OnMinimize(this);
}

// --- System menu ---------------------------------------------------------------------------------

void TspVestimar::BuildSystemMenu(TspSkinPopupMenu& menu) {
  menu.clear();
  const TspResourceStrData* strings = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  const auto text = [strings](const char* key, const char* builtIn) {
    const QString s = strings ? strings->GetResString(QString::fromLatin1(key)) : QString();
    return s.isEmpty() ? QString::fromLatin1(builtIn) : s;
  };
  const auto glyph = [&](TspStdCommand command, bool restore) {
    TspSkinStdButtonObject b(QString(), command);
    TspObjectPaintContext c;
    c.Maximized = c.Minimized = restore;
    return QIcon(QPixmap::fromImage(
        DrawDefaultButton(b, kDefaultButtonSize, false, false, c, FrameColors(FSkinData))));
  };
  const bool minimized = FForm->isMinimized();
  const bool maximized = FWindowState == TspWindowState::wsMaximized;
  bool any = false;
  if (!minimized && FBorderIcons.testFlag(TspBorderIcon::biMinimize)) {
    QAction* a =
        menu.addAction(glyph(TspStdCommand::cmMinimize, false), text("MI_MINCAPTION", "Mi&nimize"));
    connect(a, &QAction::triggered, this, [this] { SetWindowState(TspWindowState::wsMinimized); });
    any = true;
  }
  if (!maximized && FBorderIcons.testFlag(TspBorderIcon::biMaximize)) {
    QAction* a =
        menu.addAction(glyph(TspStdCommand::cmMaximize, false), text("MI_MAXCAPTION", "Ma&ximize"));
    connect(a, &QAction::triggered, this, [this] { SetWindowState(TspWindowState::wsMaximized); });
    any = true;
  }
  if (maximized || minimized || FRolledUp) {
    QAction* a = menu.addAction(glyph(TspStdCommand::cmMaximize, true),
                                text("MI_RESTORECAPTION", "&Restore"));
    connect(a, &QAction::triggered, this, [this] {
      if (FRolledUp)
        RollUp(false);
      else
        SetWindowState(TspWindowState::wsNormal);
    });
    any = true;
  }
  if (!FRolledUp && !minimized && FBorderIcons.testFlag(TspBorderIcon::biRollUp)) {
    QAction* a =
        menu.addAction(glyph(TspStdCommand::cmRollUp, false), text("MI_ROLLUPCAPTION", "Ro&llUp"));
    connect(a, &QAction::triggered, this, [this] { RollUp(true); });
    any = true;
  }
  if (any) menu.addSeparator();
  QAction* close =
      menu.addAction(glyph(TspStdCommand::cmClose, false), text("MI_CLOSECAPTION", "&Close"));
  close->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  connect(close, &QAction::triggered, FForm, [this] { FForm->close(); });
}

void TspVestimar::ShowSystemMenu(const QPoint& globalPos) {
  if (FDisableSystemMenu) return;
  auto* menu = FForm->findChild<TspSkinPopupMenu*>(QStringLiteral("spSystemMenu"),
                                                   Qt::FindDirectChildrenOnly);
  if (!menu) {
    menu = new TspSkinPopupMenu(FForm);
    menu->setObjectName(QStringLiteral("spSystemMenu"));
  }
  BuildSystemMenu(*menu);
  menu->SetSkinData(FMenusSkinData ? FMenusSkinData.data() : FSkinData.data());
  menu->SetSkinMenu(FSkinMenu);
  menu->PopupFromControl(FForm, globalPos.x(), globalPos.y());
}
