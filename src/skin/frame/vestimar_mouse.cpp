// The controller's pointer handling: which frame object is hot, pressing and releasing the
// caption buttons, and starting a move or a resize from the caption or the border.
#include "skin/frame/vestimar.h"

#include "skin/data/skin_data.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

// --- Hover and buttons --------------------------------------------------------------------------

void TspVestimar::TrackObject(const QPoint& p, bool active) {
  if (FObjects.empty() || !IsFormActive() || FDrag == TDrag::System || FDrag == TDrag::Manual)
    return;
  FPrevHovered = FHovered;
  int found = -1;
  for (size_t i = 0; i < FObjects.size(); ++i) {
    const auto& o = FObjects[i];
    if (!o->Visible || !o->Enabled || o->RollUp) continue;
    if (dynamic_cast<TspSkinCaptionObject*>(o.get())) continue;
    if (!o->ObjectRect.ToQRect().contains(p)) continue;
    if (!o->HitTest(p - QPoint(o->ObjectRect.Left, o->ObjectRect.Top))) continue;
    found = int(i);
    break;
  }
  int next = active ? found : -1;
  if (FCaptured >= 0 && next != FCaptured) next = -1;
  if (next == FHovered) return;
  FHovered = next;
  if (FPrevHovered >= 0 && size_t(FPrevHovered) < FObjects.size()) {
    TspActiveSkinObject& o = *FObjects[size_t(FPrevHovered)];
    o.MouseIn = o.Active = false;
    ObjectHintHide();
    FGlowLayer->HideLayer();
    if (OnMouseLeaveEvent) OnMouseLeaveEvent(o.IDName);
    StartMorph(o);
    RedrawObject(FPrevHovered);
  }
  if (FHovered >= 0) {
    TspActiveSkinObject& o = *FObjects[size_t(FHovered)];
    if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(&o);
        b && b->Command != TspStdCommand::cmDefault)
      b->Hint = b->MeansRestore(PaintContext()) && !b->RestoreHint.isEmpty() ? b->RestoreHint
                                                                             : b->NormalHint;
    o.MouseIn = o.Active = true;
    if (OnMouseEnterEvent) OnMouseEnterEvent(o.IDName);
    if (FShowObjectHint) ObjectHintShow(FHovered);
    ShowObjectGlow(o);
    StartMorph(o);
    RedrawObject(FHovered);
    if (!FHoverTimer.isActive()) {
      FLastPollPos = QCursor::pos();
      FHoverTimer.start();
    }
  }
}

void TspVestimar::HoverPoll() {
  if (FDrag == TDrag::System || FDrag == TDrag::Manual) {
    FHoverTimer.stop();
    return;
  }
  const QPoint global = QCursor::pos();
  if (!PointerOverForm(global)) {
    FHoverTimer.stop();
    if (FCaptured < 0) TrackObject({-1, -1}, false);
    return;
  }
  if (global == FLastPollPos) return;
  FLastPollPos = global;
  const QPoint p = FForm->mapFromGlobal(global);
  if (!FGeometry.ClientArea.ToQRect().contains(p))
    TrackObject(p, true);
  else if (FHovered >= 0 && FCaptured < 0)
    TrackObject({-1, -1}, false);
}

bool TspVestimar::PointerOverForm(const QPoint& global) const {
  if (QWidget* under = QApplication::widgetAt(global)) return under->window() == FForm;
  // An input-transparent layer (the glow frame of the hot button) may lie over the form.
  const QWindow* top = QGuiApplication::topLevelAt(global);
  return top && top->flags().testFlag(Qt::WindowTransparentForInput) &&
         FForm->frameGeometry().contains(global);
}

void TspVestimar::StartMorph(TspActiveSkinObject& o) {
  if (o.CanMorph(PaintContext().Effects) && o.NeedsMorphStep() && !FMorphTimer.isActive())
    FMorphTimer.start();
}

void TspVestimar::CaptionTick() {
  bool changed = false, pending = false;
  for (auto& o : FObjects)
    if (auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get())) {
      changed |= c->AnimationStep();
      pending |= c->AnimationPending();
    }
  // The caption's frame lies under its text in the composed border.
  if (changed) RepaintFrame();
  // A tick that only counted toward a slower caption's interval is no reason to stop: the
  // timer runs until no caption has frames left.
  if (!pending) FCaptionTimer.stop();
}

void TspVestimar::MorphTick() {
  bool moved = false;
  for (size_t i = 0; i < FObjects.size(); ++i) {
    TspActiveSkinObject& o = *FObjects[i];
    auto* b = dynamic_cast<TspSkinButtonObject*>(&o);
    if (b && b->Down) continue;
    if (!o.CanMorph(PaintContext().Effects) || !o.MorphStep()) continue;
    moved = true;
    RedrawObject(int(i));
  }
  if (!moved) FMorphTimer.stop();
}

void TspVestimar::RunCommand(TspSkinStdButtonObject& button) {
  switch (button.Command) {
  case TspStdCommand::cmClose:
    TrackObject({-1, -1}, false);
    FForm->close();
    break;
  case TspStdCommand::cmMaximize:
    TrackObject({-1, -1}, false);
    SetWindowState(FWindowState == TspWindowState::wsMaximized ? TspWindowState::wsNormal
                                                               : TspWindowState::wsMaximized);
    break;
  case TspStdCommand::cmMinimize:
    TrackObject({-1, -1}, false);
    SetWindowState(FForm->isMinimized() ? TspWindowState::wsNormal : TspWindowState::wsMinimized);
    break;
  case TspStdCommand::cmRollUp:
    RollUp(!FRolledUp);
    break;
  case TspStdCommand::cmSysMenu:
  case TspStdCommand::cmMinimizeToTray:
  case TspStdCommand::cmDefault:
    // The system-menu button opens its menu on the press; there is no tray icon to
    // minimise to; a custom object's command is its owner's.
    break;
  }
}

void TspVestimar::ReleaseCaptured(const QPoint& p, Qt::MouseButton button) {
  if (FCaptured < 0 || size_t(FCaptured) >= FObjects.size()) {
    FCaptured = -1;
    return;
  }
  const int index = FCaptured;
  TspActiveSkinObject& o = *FObjects[size_t(index)];
  auto* b = dynamic_cast<TspSkinButtonObject*>(&o);
  auto* std = dynamic_cast<TspSkinStdButtonObject*>(&o);
  // Whatever the command does (it may throw, or close the form), the press is over.
  const auto reset = [&] {
    FCaptured = -1;
    if (b && b->Down) {
      b->Down = false;
      RedrawObject(index);
    }
  };
  try {
    const bool over = o.Active;
    if (over && OnMouseUpEvent) OnMouseUpEvent(o.IDName, button, p.x(), p.y());
    if (std && button == Qt::LeftButton && std->Enabled && over) {
      if (std->Command == TspStdCommand::cmClose) reset();
      RunCommand(*std);
    }
    reset();
  } catch (...) {
    reset();
    FDrag = TDrag::None;
    throw;
  }
}

// --- Mouse ---------------------------------------------------------------------------------------

TspHitCode TspVestimar::HitTest(const QPoint& p) const {
  TspHitTestInput in;
  in.Width = FFrameWidth;
  in.Height = FFrameHeight;
  in.Skinned = FSkinned;
  in.Sizeable = FSizeable;
  in.Maximized = FWindowState == TspWindowState::wsMaximized;
  in.Minimized = FForm->isMinimized();
  in.RolledUp = FRolledUp;
  in.ObjectHovered = FHovered >= 0;
  in.InSizeMove = FDrag == TDrag::System || FDrag == TDrag::Manual;
  in.Geometry = FGeometry;
  in.DefaultCaption = FDefaultCaption;
  if (FSkinned) {
    in.BorderWidth = FSkinData->FormInfo.borderwidth;
    in.MaskPicture = FSkinData->MaskPicture;
    in.IsCaption = [this](int x, int y) {
      if (!FNCDraggAble) return false;
      for (const auto& o : FObjects)
        if (auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get());
            c && c->Visible && !c->RollUp && c->ObjectRect.ToQRect().contains(x, y))
          return true;
      return false;
    };
  }
  return FrameHitTest(in, p.x(), p.y());
}

void TspVestimar::UpdateCursor(TspHitCode code) {
  switch (code) {
  case HTLEFT:
  case HTRIGHT:
    FForm->setCursor(Qt::SizeHorCursor);
    break;
  case HTTOP:
  case HTBOTTOM:
    FForm->setCursor(Qt::SizeVerCursor);
    break;
  case HTTOPLEFT:
  case HTBOTTOMRIGHT:
    FForm->setCursor(Qt::SizeFDiagCursor);
    break;
  case HTTOPRIGHT:
  case HTBOTTOMLEFT:
    FForm->setCursor(Qt::SizeBDiagCursor);
    break;
  default:
    FForm->unsetCursor();
    break;
  }
}

void TspVestimar::MousePress(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  FDrag = TDrag::None;
  TrackObject(p, true);
  if (FHovered >= 0) {
    FCaptured = FHovered;
    TspActiveSkinObject& o = *FObjects[size_t(FCaptured)];
    if (OnMouseDownEvent) OnMouseDownEvent(o.IDName, e->button(), p.x(), p.y());
    if (auto* b = dynamic_cast<TspSkinButtonObject*>(&o);
        b && e->button() == Qt::LeftButton && b->Enabled && !b->Down) {
      b->Down = true;
      RedrawObject(FCaptured);
      // The system-menu button opens the system menu below itself.
      if (auto* std = dynamic_cast<TspSkinStdButtonObject*>(b);
          std && std->Command == TspStdCommand::cmSysMenu) {
        const QPoint below = FForm->mapToGlobal(QPoint(b->ObjectRect.Left, b->ObjectRect.Bottom));
        ReleaseCaptured(p, Qt::NoButton);
        ShowSystemMenu(below);
      }
    }
    return;
  }
  const TspHitCode code = HitTest(p);
  if (e->button() == Qt::RightButton) {
    if (code == HTCAPTION && !FDisableSystemMenu) ShowSystemMenu(e->globalPosition().toPoint());
    return;
  }
  if (e->button() != Qt::LeftButton) return;
  const bool maximized = FWindowState == TspWindowState::wsMaximized;
  if ((code == HTCAPTION && !maximized) || (EdgesOf(code) && FSizeable && !maximized)) {
    FDrag = TDrag::Pending;
    FDragCode = code;
    FDragStartGlobal = e->globalPosition().toPoint();
    FDragStartBounds = FForm->geometry();
    FSnap.Reset();
  }
}

void TspVestimar::MouseMove(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (FCaptured >= 0) {
    // While a button is held only it lights up, and only while the mouse is over it.
    TrackObject(p, true);
    return;
  }
  if (FDrag == TDrag::Pending && (e->buttons() & Qt::LeftButton)) {
    QWindow* window = FForm->windowHandle();
    const bool system =
        window && (FDragCode == HTCAPTION ? window->startSystemMove()
                                          : window->startSystemResize(EdgesOf(FDragCode)));
    FDrag = system ? TDrag::System : TDrag::Manual;
    FHoverTimer.stop();
    if (FHovered >= 0) TrackObject({-1, -1}, false);
  }
  if (FDrag == TDrag::Manual) {
    ManualDrag(e->globalPosition().toPoint());
    return;
  }
  if (FDrag == TDrag::System) return;
  const TspHitCode code = HitTest(p);
  UpdateCursor(code);
  TrackObject(p, true);
}

void TspVestimar::ManualDrag(const QPoint& global) {
  const QPoint delta = global - FDragStartGlobal;
  QRect r = FDragStartBounds;
  if (FDragCode == HTCAPTION) {
    QPoint to = r.topLeft() + delta;
    if (FMagnetic) {
      const QScreen* s = FForm->screen();
      if (s) to = FSnap.Snap(to, r.size(), s->availableGeometry(), global, FMagneticSize);
    }
    FForm->move(to);
    return;
  }
  const Qt::Edges edges = EdgesOf(FDragCode);
  const QSize min = MinTrackingSize(), max = MaxTrackingSize();
  const int maxW = FMaxWidth > 0 ? max.width() : QWIDGETSIZE_MAX;
  const int maxH = FMaxHeight > 0 ? max.height() : QWIDGETSIZE_MAX;
  if (edges & Qt::LeftEdge)
    r.setLeft(std::clamp(r.left() + delta.x(), r.right() + 1 - maxW, r.right() + 1 - min.width()));
  if (edges & Qt::RightEdge)
    r.setRight(std::clamp(r.right() + delta.x(), r.left() + min.width() - 1, r.left() + maxW - 1));
  if (edges & Qt::TopEdge)
    r.setTop(std::clamp(r.top() + delta.y(), r.bottom() + 1 - maxH, r.bottom() + 1 - min.height()));
  if (edges & Qt::BottomEdge)
    r.setBottom(std::clamp(r.bottom() + delta.y(), r.top() + min.height() - 1, r.top() + maxH - 1));
  FForm->setGeometry(r);
}

void TspVestimar::MouseRelease(QMouseEvent* e) {
  FDrag = TDrag::None;
  if (FCaptured >= 0) ReleaseCaptured(e->position().toPoint(), e->button());
}

void TspVestimar::MouseDoubleClick(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  TrackObject(p, true);
  if (FHovered >= 0) {
    // The second press of a double click on a button is a press like the first.
    MousePress(e);
    return;
  }
  if (e->button() != Qt::LeftButton || HitTest(p) != HTCAPTION) return;
  FCaptured = -1;
  FDrag = TDrag::None;
  const bool maximized = FWindowState == TspWindowState::wsMaximized;
  if (FSizeable && !maximized && !FRolledUp && FBorderIcons.testFlag(TspBorderIcon::biMaximize))
    SetWindowState(TspWindowState::wsMaximized);
  else if (FSizeable && maximized && !FRolledUpWhileMaximized)
    SetWindowState(TspWindowState::wsNormal);
  else
    RollUp(!FRolledUp);
}
