#pragma once
// The decisions behind a push button's look, free of widgets: which of its record's images
// a state shows, the frames of a hover animation, and the steps of a morph between the
// normal and the hot image.

#include "skin/data/skin_values.h"
#include "skin/render/geometry.h"

class TspEffectBmp;

// Everything that decides which image a button shows.
struct TspButtonLook {
  bool Enabled = true;
  bool Down = false;
  bool MouseIn = false;
  bool FocusedLook = false; // may take the focus and has it
  bool MousePressed = false;
  int GroupIndex = 0;
  bool HasDisabledRect = false;
  bool HasFocusedRect = false;
  bool FrameAnimationRunning = false;
  bool Morphing = false; // the record morphs and the skin data has effects on
  double MorphValue = 0;
};

enum class TspButtonImage { Morph, Disabled, Down, Focused, Active, Normal };

struct TspButtonImageChoice {
  TspButtonImage Image = TspButtonImage::Normal;
  bool Active = false; // picks the hot font colour and glyph cell
  bool Down = false;   // with Active: the pressed font colour and glyph cell
  friend bool operator==(const TspButtonImageChoice&, const TspButtonImageChoice&) = default;
};

// The first matching row: a running morph, disabled (when the record has that image),
// pressed, focused, hot, normal, and hot again once a morph has finished at 1.
TspButtonImageChoice ChooseButtonImage(const TspButtonLook& look);

// The pressed look, which the plain look shares: a group button shows it whenever it is
// down, a lone one only while the mouse is over it or it has the focus without a drag.
bool ShowsDownLook(const TspButtonLook& look);

// Frame `frame` (1-based) of `framecount` equal parts of `animateskinrect`: side by side
// when the strip is wider than `skinrect`, stacked otherwise. Empty out of range.
TspRect AnimationFrameRect(const TspRect& animateskinrect, const TspRect& skinrect, int framecount,
                           int frame);

// One tick of the hover animation. Forward frames count up from 1 and the animation ends
// past `framecount`; backward ones count down and end at 0. Returns whether it goes on;
// an ended animation rests at frame 0.
bool FrameAnimationTick(int& frame, bool forward, int framecount);

// One 20 ms morph step: 0.2 towards 1 while hot, towards 0 otherwise, never past the end.
double NextMorphValue(double value, bool hot);

// Mixes `from` towards `to` in place with the transition of `kind` at progress x.
void ApplyMorph(TspEffectBmp& from, const TspEffectBmp& to, TspMorphKind kind, double x);
