#include "skin/controls/button_animation.h"

#include "skin/render/effect_bitmap.h"

#include <algorithm>

bool ShowsDownLook(const TspButtonLook& look) {
  if (!look.Down) return false;
  if (look.GroupIndex != 0) return true;
  return look.MouseIn || (look.FocusedLook && !look.MousePressed);
}

TspButtonImageChoice ChooseButtonImage(const TspButtonLook& look) {
  using I = TspButtonImage;
  if (look.Morphing && look.Enabled && look.MorphValue > 0 && look.MorphValue < 1)
    return {I::Morph, false, false};
  if (!look.Enabled && look.HasDisabledRect) return {I::Disabled, false, false};
  if (ShowsDownLook(look)) return {I::Down, true, true};
  if (look.FocusedLook && look.HasFocusedRect && !look.FrameAnimationRunning)
    return {I::Focused, true, false};
  if (look.FocusedLook || look.MouseIn) return {I::Active, true, false};
  if (!look.Morphing || look.MorphValue != 1) return {I::Normal, false, false};
  return {I::Active, true, false};
}

TspRect AnimationFrameRect(const TspRect& animateskinrect, const TspRect& skinrect, int framecount,
                           int frame) {
  if (animateskinrect.IsEmpty() || framecount < 1 || frame < 1 || frame > framecount) return {};
  TspRect r = animateskinrect;
  if (animateskinrect.Width() > skinrect.Width()) {
    const int w = animateskinrect.Width() / framecount;
    r.Left = animateskinrect.Left + (frame - 1) * w;
    r.Right = r.Left + w;
  } else {
    const int h = animateskinrect.Height() / framecount;
    r.Top = animateskinrect.Top + (frame - 1) * h;
    r.Bottom = r.Top + h;
  }
  return r;
}

bool FrameAnimationTick(int& frame, bool forward, int framecount) {
  if (forward) {
    ++frame;
    if (frame <= framecount) return true;
  } else {
    --frame;
    if (frame > 0) return true;
  }
  frame = 0;
  return false;
}

double NextMorphValue(double value, bool hot) {
  // Steps of 0.2 add up to 0.9999...; snapping to the ends keeps the finished value exact.
  const double next = hot ? value + 0.2 : value - 0.2;
  if (next >= 1 - 1e-9) return 1;
  if (next <= 1e-9) return 0;
  return next;
}

void ApplyMorph(TspEffectBmp& from, const TspEffectBmp& to, TspMorphKind kind, double x) {
  switch (kind) {
  case TspMorphKind::mkDefault:
    from.MorphFade(to, x);
    break;
  case TspMorphKind::mkGradient:
    from.MorphGradient(to, x);
    break;
  case TspMorphKind::mkLeftGradient:
    from.MorphLeftGradient(to, x);
    break;
  case TspMorphKind::mkRightGradient:
    from.MorphRightGradient(to, x);
    break;
  case TspMorphKind::mkLeftSlide:
    from.MorphLeftSlide(to, x);
    break;
  case TspMorphKind::mkRightSlide:
    from.MorphRightSlide(to, x);
    break;
  case TspMorphKind::mkPush:
    from.MorphPush(to, x);
    break;
  }
}
