#pragma once
// Colours of the four built-in skins: one accent family per skin over a neutral palette
// that all four share. Every text colour is checked against the surface it is drawn on.

#include <QColor>
#include <QString>
#include <vector>

// What tells the four skins apart.
struct TSkinAccent {
  QString Colour;     // "Blue"
  QString SknName;    // "sknBlue": folder and package name
  QColor Accent;      // caption bar, hot buttons, selection, tab underline, check marks
  QColor AccentHover; // a hot accent surface that still carries white text
  QColor AccentDown;  // pressed accent surfaces
};

struct TSkinPalette {
  TSkinAccent Skin;

  QColor Window;         // window and page background
  QColor Surface;        // panels and control faces
  QColor SurfaceHot;     // control face under the mouse
  QColor SurfacePressed; // control face while pressed
  QColor SurfaceHeader;  // grid titles, group box captions
  QColor Edge;           // 1-pixel edges of controls
  QColor EdgeSoft;       // edges of panels and containers, calmer than controls
  QColor EdgeStrong;     // check box and radio rings, which need more weight
  QColor Divider;        // grid lines, separators
  QColor Text;
  QColor TextSecondary; // captions of tabs not selected, status texts
  QColor TextDisabled;
  QColor TextOnAccent;
  QColor Thumb;    // scroll bar thumb
  QColor ThumbHot; // scroll bar thumb under the mouse
  QColor Glyph;    // arrows and other 1-pixel glyphs on neutral faces

  QColor CaptionInactive;     // caption bar of an inactive window
  QColor CaptionInactiveText; // its text and glyphs
  QColor FrameInactiveEdge;   // window edge while inactive
  QColor CaptionButtonHot;    // caption button under the mouse (over the accent bar)
  QColor CaptionButtonDown;
  QColor CloseHot; // the close button under the mouse
  QColor CloseDown;

  QColor AccentTint;  // a faint accent wash for hot list rows and focused combo items
  QColor FocusRing;   // inner ring of focused accent buttons and cells
  QColor ShadowColor; // the layered window shadow
};

const std::vector<TSkinAccent>& BuiltinSkinAccents();
TSkinPalette MakePalette(const TSkinAccent& accent);

// Colour between a (t = 0) and b (t = 1), channel by channel, rounded.
QColor Mix(const QColor& a, const QColor& b, double t);
// WCAG 2 contrast ratio of two opaque colours, 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);
// The level every text colour of the skins must reach on its background.
constexpr double kMinTextContrast = 4.5;
