#include "skin/frame/frame_objects.h"

#include "skin/controls/button_animation.h"
#include "skin/controls/skin_binding.h"
#include "skin/data/skin_data.h"
#include "skin/render/effect_bitmap.h"
#include "skin/render/pixel_copy.h"

#include <algorithm>

namespace {

// Shares the skin's picture (a converted copy only when it is not RGB32): its cacheKey then
// names it in the image cache, so the cuts of every window of the skin are shared.
QImage PictureAt(const TspSkinData* skin, int index) {
  if (!skin || !skin->ValidPictureIndex(index)) return {};
  QImage holder;
  return AsRgb32(skin->ActivePictures[size_t(index)], holder);
}

QImage Rgb32(const QImage& image) {
  if (image.isNull() || image.format() == QImage::Format_RGB32) return image;
  return image.convertToFormat(QImage::Format_RGB32);
}

bool Inside(const TspRect& r, const TspRect& region) {
  return r.Left >= region.Left && r.Top >= region.Top && r.Right <= region.Right &&
         r.Bottom <= region.Bottom;
}

bool PointIn(int x, int y, const TspRect& region) {
  return x >= region.Left && x < region.Right && y >= region.Top && y < region.Bottom;
}

TspRect Moved(TspRect r, int dx, int dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

} // namespace

// --- TspActiveSkinObject ---------------------------------------------------------------------

TspActiveSkinObject::TspActiveSkinObject(const TspDataSkinObject& data, const TspSkinData* skin)
    : IDName(data.IDName), Hint(data.hint), Picture(skin ? Rgb32(skin->Picture) : QImage()),
      ActivePicture(PictureAt(skin, data.activepictureindex)),
      ActiveMaskPicture(PictureAt(skin, data.activemaskpictureindex)),
      SkinRectInAPicture(data.skinrectinapicture), SkinRect(data.skinrect),
      ActiveSkinRect(data.activeskinrect), InActiveSkinRect(data.inactiveskinrect),
      Morphing(data.morphing), MorphKind(data.morphkind), ObjectRect(data.skinrect),
      RollUp(data.rollup), CursorIndex(data.cursorindex),
      GlowLayerPicture(PictureAt(skin, data.glowlayerpictureindex)),
      GlowLayerMaskPicture(PictureAt(skin, data.glowlayermaskpictureindex)),
      GlowLayerOffset(data.glowlayeroffsetx, data.glowlayeroffsety),
      GlowLayerAlphaBlendValue(data.glowlayeralphablendvalue), FSkin(skin) {
  // Without its picture an object placed from it has nothing to draw.
  if (SkinRectInAPicture && ActivePicture.isNull()) SkinRect = {};
  if (ActivePicture.isNull()) ActiveSkinRect = InActiveSkinRect = {};
  ObjectRect = SkinRect;
}

bool TspActiveSkinObject::HitTest(const QPoint& p) const {
  if (ActiveMaskPicture.isNull()) return true;
  const QPoint at = p + QPoint(SkinRect.Left, SkinRect.Top);
  if (!ActiveMaskPicture.rect().contains(at)) return false;
  return (ActiveMaskPicture.pixel(at) & 0xFFFFFF) == 0;
}

QImage TspActiveSkinObject::Cut(const TspRect& rect, bool inActivePicture) const {
  const QImage& source = inActivePicture ? ActivePicture : Picture;
  if (rect.IsEmpty() || source.isNull() || ObjectRect.IsEmpty()) return {};
  const QSize size(ObjectRect.Width(), ObjectRect.Height());
  return TspSkinImages(FSkin.data())
      .Image(source, {TspSkinImages::kFrameObjectKind}, rect, size, [&] {
        // Parts of the rectangle outside the picture stay black.
        QImage image;
        ResizeTarget(image, size.width(), size.height());
        image.fill(Qt::black);
        CopyPart(image, {0, 0, size.width(), size.height()}, source, rect);
        return image;
      });
}

void TspActiveSkinObject::DrawImage(QImage& target, const QPoint& origin,
                                    const QImage& image) const {
  if (image.isNull()) return;
  const TspRect to = Moved(ObjectRect, -origin.x(), -origin.y());
  CopyPart(target, to, image, {0, 0, image.width(), image.height()});
}

void TspActiveSkinObject::Draw(QImage& target, const QPoint& origin,
                               const TspObjectPaintContext& c) const {
  if (Enabled && !c.FormActive && !InactiveRect(c).IsEmpty()) {
    DrawImage(target, origin, Cut(InactiveRect(c), true));
    return;
  }
  const TspRect hot = HotRect(c);
  if (CanMorph(c.Effects) && MorphKf != (Active ? 1.0 : 0.0)) {
    const QImage normal = Cut(NormalRect(c), SkinRectInAPicture);
    const QImage hotImage = Cut(hot, true);
    if (!normal.isNull() && !hotImage.isNull()) {
      TspEffectBmp blend(normal);
      ApplyMorph(blend, TspEffectBmp(hotImage), MorphKind, MorphKf);
      DrawImage(target, origin, blend.ToImage());
      return;
    }
  }
  if (Active && !hot.IsEmpty()) {
    const TspRect pressed = PressedRect(c);
    DrawImage(target, origin, Cut(pressed.IsEmpty() ? hot : pressed, true));
    return;
  }
  if (c.DrawNormal || SkinRectInAPicture)
    DrawImage(target, origin, Cut(NormalRect(c), SkinRectInAPicture));
}

bool TspActiveSkinObject::MorphStep() {
  if (!NeedsMorphStep()) return false;
  MorphKf = std::clamp(MorphKf + (Active ? 0.2 : -0.2), 0.0, 1.0);
  return true;
}

// --- Buttons ---------------------------------------------------------------------------------

TspSkinButtonObject::TspSkinButtonObject(const TspDataSkinButton& data, const TspSkinData* skin)
    : TspActiveSkinObject(data, skin), DownRect(data.downrect),
      DisabledSkinRect(data.disableskinrsect), GroupIndex(data.groupindex) {
  if (ActivePicture.isNull()) DownRect = DisabledSkinRect = {};
}

TspRect TspSkinButtonObject::PressedRect(const TspObjectPaintContext&) const {
  return Down ? DownRect : TspRect{};
}

void TspSkinButtonObject::Draw(QImage& target, const QPoint& origin,
                               const TspObjectPaintContext& c) const {
  if (!Enabled && !DisabledSkinRect.IsEmpty()) {
    DrawImage(target, origin, Cut(DisabledSkinRect, true));
    return;
  }
  TspActiveSkinObject::Draw(target, origin, c);
}

TspSkinStdButtonObject::TspSkinStdButtonObject(const TspDataSkinStdButton& data,
                                               const TspSkinData* skin)
    : TspSkinButtonObject(data, skin), Command(data.command), RestoreRect(data.restorerect),
      RestoreActiveRect(data.restoreactiverect), RestoreDownRect(data.restoredownrect),
      RestoreInActiveRect(data.restoreinactiverect), NormalHint(data.hint),
      RestoreHint(data.restorehint) {
  if (ActivePicture.isNull())
    RestoreRect = RestoreActiveRect = RestoreDownRect = RestoreInActiveRect = {};
}

TspSkinStdButtonObject::TspSkinStdButtonObject(const QString& name, TspStdCommand command)
    : TspSkinButtonObject(TspDataSkinStdButton(), nullptr), Command(command), FromSkin(false) {
  IDName = name;
  SkinRectInAPicture = true;
}

bool TspSkinStdButtonObject::MeansRestore(const TspObjectPaintContext& c) const {
  switch (Command) {
  case TspStdCommand::cmMaximize:
    return c.Maximized;
  case TspStdCommand::cmMinimize:
    return c.Minimized;
  case TspStdCommand::cmRollUp:
    return c.RolledUp;
  default:
    return false;
  }
}

TspRect TspSkinStdButtonObject::NormalRect(const TspObjectPaintContext& c) const {
  return MeansRestore(c) && !RestoreRect.IsEmpty() ? RestoreRect : SkinRect;
}
TspRect TspSkinStdButtonObject::HotRect(const TspObjectPaintContext& c) const {
  return MeansRestore(c) && !RestoreActiveRect.IsEmpty() ? RestoreActiveRect : ActiveSkinRect;
}
TspRect TspSkinStdButtonObject::InactiveRect(const TspObjectPaintContext& c) const {
  return MeansRestore(c) && !RestoreInActiveRect.IsEmpty() ? RestoreInActiveRect : InActiveSkinRect;
}
TspRect TspSkinStdButtonObject::PressedRect(const TspObjectPaintContext& c) const {
  if (!Down) return {};
  return MeansRestore(c) && !RestoreDownRect.IsEmpty() ? RestoreDownRect : DownRect;
}

TspSkinCaptionObject::TspSkinCaptionObject(const TspDataSkinCaption& data, const TspSkinData* skin)
    : TspActiveSkinObject(data, skin), FData(data) {}

bool TspSkinCaptionObject::StartAnimation(bool active) {
  if (!Animated()) return false;
  AnimatePosition = active ? 1 : (FData.inactiveanimation ? FData.framecount : 0);
  AnimateTick = 25;
  return AnimatePosition != 0;
}

bool TspSkinCaptionObject::AnimationStep() {
  if (!Animated()) return false;
  if (AnimateTick < FData.animateinterval) {
    AnimateTick += 25;
    return false;
  }
  AnimateTick = 25;
  if (Active && AnimatePosition <= FData.framecount) {
    ++AnimatePosition;
    return true;
  }
  if (!Active && AnimatePosition > 0) {
    --AnimatePosition;
    return true;
  }
  return false;
}

TspRect TspSkinCaptionObject::AnimationFrame() const {
  if (!Animated() || AnimatePosition < 1 || AnimatePosition > FData.framecount) return {};
  const TspRect& r = FData.animateskinrect;
  const int dx = (AnimatePosition - 1) * r.Width();
  return {r.Left + dx, r.Top, r.Right + dx, r.Bottom};
}

// --- The list --------------------------------------------------------------------------------

TspObjectList BuildObjectList(const TspSkinData& skin) {
  TspObjectList list;
  TspSkinCaptionObject* firstCaption = nullptr;
  TspSkinCaptionObject* defaultCaption = nullptr;
  for (const auto& record : skin.ObjectList) {
    const TspDataSkinObject* d = record.get();
    if (dynamic_cast<const TspDataSkinMainMenuItem*>(d) ||
        dynamic_cast<const TspDataSkinMenuItem*>(d) ||
        dynamic_cast<const TspDataSkinMainMenuBarButton*>(d) ||
        dynamic_cast<const TspDataSkinCaptionTab*>(d) ||
        dynamic_cast<const TspDataSkinCaptionMenuButton*>(d))
      continue;
    if (auto* std = dynamic_cast<const TspDataSkinStdButton*>(d)) {
      list.push_back(std::make_unique<TspSkinStdButtonObject>(*std, &skin));
    } else if (auto* button = dynamic_cast<const TspDataSkinButton*>(d)) {
      list.push_back(std::make_unique<TspSkinButtonObject>(*button, &skin));
    } else if (auto* caption = dynamic_cast<const TspDataSkinCaption*>(d)) {
      auto object = std::make_unique<TspSkinCaptionObject>(*caption, &skin);
      if (!firstCaption) firstCaption = object.get();
      if (!defaultCaption && caption->defaultcaption) defaultCaption = object.get();
      list.push_back(std::move(object));
    } else {
      // Users, gauges, switches, track bars, labels, animations and the rest draw their
      // images.
      list.push_back(std::make_unique<TspUserObject>(*d, &skin));
    }
  }
  if (TspSkinCaptionObject* shown = defaultCaption ? defaultCaption : firstCaption)
    shown->ShowsFormCaption = true;
  return list;
}

TspRect RepositionRect(const TspRect& r, const TspFormInfo& info, int W, int H, int ddx, int ddy) {
  const TspRect tl{0, 0, info.lefttoppoint.X, info.lefttoppoint.Y};
  const TspRect bl{0, info.leftbottompoint.Y, info.leftbottompoint.X, H};
  const TspRect tr{info.righttoppoint.X, 0, W, info.righttoppoint.Y};
  const TspRect br{info.rightbottompoint.X, info.rightbottompoint.Y, W, H};
  if (tl.IsEmpty() && bl.IsEmpty() && tr.IsEmpty() && br.IsEmpty()) return r;
  if (Inside(r, tl)) return r;
  if (Inside(r, tr)) return Moved(r, ddx, 0);
  if (Inside(r, bl)) return Moved(r, 0, ddy);
  if (Inside(r, br)) return Moved(r, ddx, ddy);
  const bool ltInTL = PointIn(r.Left, r.Top, tl);
  const bool ltInTR = PointIn(r.Left, r.Top, tr);
  const bool ltInBL = PointIn(r.Left, r.Top, bl);
  const bool rbInBR = PointIn(r.Right, r.Bottom, br);
  const bool rbInTR = PointIn(r.Right, r.Bottom, tr);
  const bool rbInBL = PointIn(r.Right, r.Bottom, bl);
  TspRect out = r;
  if (ltInTL && rbInBR) {
    out.Right += ddx;
    out.Bottom += ddy;
  } else if (ltInTL && rbInTR) {
    out.Right += ddx;
  } else if (ltInBL && rbInBR) {
    out = Moved(r, 0, ddy);
    out.Right += ddx;
  } else if (ltInTL && rbInBL) {
    out.Bottom += ddy;
  } else if (ltInTR && rbInBR) {
    out = Moved(r, ddx, 0);
    out.Bottom += ddy;
  }
  return out;
}

TspSkinStdButtonObject* FindStdButton(const TspObjectList& objects, TspStdCommand command,
                                      bool visibleOnly) {
  for (const auto& o : objects)
    if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get()))
      if (b->Command == command && (!visibleOnly || b->Visible)) return b;
  return nullptr;
}

TspSkinCaptionObject* FormCaptionObject(const TspObjectList& objects) {
  for (const auto& o : objects)
    if (auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get()); c && c->ShowsFormCaption) return c;
  return nullptr;
}

void LayoutObjects(TspObjectList& objects, const TspFormInfo& info, const TspFrameGeometry& g,
                   int W, int H, const QSize& iconSize) {
  const int ddx = g.RightBottom.X - info.rightbottompoint.X;
  const int ddy = g.RightBottom.Y - info.rightbottompoint.Y;
  for (auto& o : objects) o->ObjectRect = RepositionRect(o->SkinRect, info, W, H, ddx, ddy);

  const TspRect anchor = !g.ButtonsArea.IsEmpty() ? g.ButtonsArea : g.CaptionArea;
  if (anchor.IsEmpty()) return;
  const auto placed = [](TspSkinStdButtonObject* b) { return b->Visible && b->SkinRectInAPicture; };
  const auto sizeOf = [&](TspSkinStdButtonObject* b) {
    if (b->Command == TspStdCommand::cmSysMenu && iconSize.isValid() && !iconSize.isEmpty())
      return iconSize;
    return QSize(b->SkinRect.Width(), b->SkinRect.Height());
  };
  std::vector<TspSkinStdButtonObject*> row;
  for (TspStdCommand command :
       {TspStdCommand::cmClose, TspStdCommand::cmMaximize, TspStdCommand::cmMinimize,
        TspStdCommand::cmRollUp, TspStdCommand::cmMinimizeToTray}) {
    for (auto& o : objects)
      if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get());
          b && b->Command == command && placed(b)) {
        row.push_back(b);
        break;
      }
  }
  for (auto& o : objects)
    if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get());
        b && b->Command == TspStdCommand::cmDefault && placed(b))
      row.push_back(b);
  TspSkinStdButtonObject* sysMenu = nullptr;
  for (auto& o : objects)
    if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get());
        b && b->Command == TspStdCommand::cmSysMenu && placed(b)) {
      sysMenu = b;
      break;
    }
  TspSkinCaptionObject* caption = nullptr;
  for (auto& o : objects)
    if ((caption = dynamic_cast<TspSkinCaptionObject*>(o.get()))) break;

  const int y = anchor.Top;
  const int ofs = g.ButtonsOffset;
  if (!g.ButtonsInLeft) {
    int x = anchor.Right;
    for (TspSkinStdButtonObject* b : row) {
      const QSize s = sizeOf(b);
      b->ObjectRect = {x - s.width(), y, x, y + s.height()};
      x -= s.width() + ofs;
    }
    if (g.ButtonsArea.IsEmpty() && caption) caption->ObjectRect.Right = x + ofs;
    if (sysMenu) {
      x = g.CaptionArea.Left;
      const QSize s = sizeOf(sysMenu);
      const int top = g.CaptionArea.Top + g.CaptionArea.Height() / 2 - s.height() / 2;
      sysMenu->ObjectRect = {x, top, x + s.width(), top + s.height()};
      x += s.width() + ofs;
      if (caption) caption->ObjectRect.Left = x - ofs;
    }
  } else {
    int x = anchor.Left;
    for (TspSkinStdButtonObject* b : row) {
      const QSize s = sizeOf(b);
      b->ObjectRect = {x, y, x + s.width(), y + s.height()};
      x += s.width() + ofs;
    }
    if (g.ButtonsArea.IsEmpty()) {
      if (sysMenu) {
        const QSize s = sizeOf(sysMenu);
        sysMenu->ObjectRect = {x, y, x + s.width(), y + s.height()};
        x += s.width() + ofs;
      }
      if (caption) caption->ObjectRect.Left = x + ofs;
    }
  }
}

void ApplyButtonVisibility(TspObjectList& objects, TspBorderIcons icons, bool hideCaptionButtons,
                           bool disableSystemMenu,
                           const std::function<bool(const QString&)>& customVisible) {
  const QString dialogClose = QStringLiteral("dialogclosebutton");
  bool hasDialogClose = false;
  for (auto& o : objects)
    if (o->IDName == dialogClose && dynamic_cast<TspSkinStdButtonObject*>(o.get()))
      hasDialogClose = true;
  const bool dialogStyle = (icons & ~TspBorderIcons(TspBorderIcon::biSystemMenu)) == 0;
  for (auto& o : objects) {
    auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get());
    if (!b) continue;
    if (hideCaptionButtons) {
      b->Enabled = false;
      if (b->SkinRectInAPicture) b->Visible = false;
      continue;
    }
    const auto set = [b](bool on) {
      b->Enabled = on;
      b->Visible = b->SkinRectInAPicture ? on : true;
    };
    switch (b->Command) {
    case TspStdCommand::cmClose:
      if (dialogStyle && hasDialogClose) {
        const bool mine = b->IDName == dialogClose;
        b->Enabled = b->Visible = mine;
      } else if (b->IDName == dialogClose) {
        b->Enabled = b->Visible = false;
      }
      break;
    case TspStdCommand::cmMaximize:
      set(icons.testFlag(TspBorderIcon::biMaximize));
      break;
    case TspStdCommand::cmMinimize:
      set(icons.testFlag(TspBorderIcon::biMinimize));
      break;
    case TspStdCommand::cmRollUp:
      set(icons.testFlag(TspBorderIcon::biRollUp));
      break;
    case TspStdCommand::cmMinimizeToTray:
      set(icons.testFlag(TspBorderIcon::biMinimizeToTray));
      break;
    case TspStdCommand::cmSysMenu:
      set(icons.testFlag(TspBorderIcon::biSystemMenu) && !disableSystemMenu);
      break;
    case TspStdCommand::cmDefault:
      b->Visible = customVisible ? customVisible(b->IDName) : false;
      break;
    }
  }
}
