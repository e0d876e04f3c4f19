#include "preview.h"

#include "skin/data/ini_text.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

void RegisterFonts() {
  static bool done = false;
  if (done) return;
  done = true;
  // The regular face only, as the controls register it (bold is emboldened from it).
  const char* f = "/usr/share/wine/fonts/tahoma.ttf";
  if (QFile::exists(f)) QFontDatabase::addApplicationFont(f);
}

// Read-back access to the description, so the preview shows what a reader would take.
class TSkinView {
public:
  explicit TSkinView(const TBuiltSkin& skin)
      : FSkin(skin), FIni(TspIniText::Parse(skin.Description)) {}

  QString S(const QString& sec, const QString& key) const { return FIni.ReadString(sec, key); }
  int I(const QString& sec, const QString& key, int def = 0) const {
    bool ok = false;
    const int v = S(sec, key).toInt(&ok);
    return ok ? v : def;
  }
  QList<int> Fields(const QString& sec, const QString& key, int n) const {
    QList<int> out;
    for (const QString& f : S(sec, key).split(',')) out << f.toInt();
    while (out.size() < n) out << 0;
    return out;
  }
  QRect R(const QString& sec, const QString& key) const {
    const QList<int> f = Fields(sec, key, 4);
    return QRect(QPoint(f[0], f[1]), QPoint(f[2] - 1, f[3] - 1));
  }
  QPoint Pt(const QString& sec, const QString& key) const {
    const QList<int> f = Fields(sec, key, 2);
    return {f[0], f[1]};
  }
  QColor C(const QString& sec, const QString& key) const {
    const uint v = S(sec, key).toUInt();
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
  }
  QFont Font(const QString& sec, const QString& prefix = {}) const {
    QFont f(S(sec, prefix + "fontname"));
    // A description's font height is the cell height; Tahoma's cell is 1.207 em.
    f.setPixelSize(int(std::lround(I(sec, prefix + "fontheight", 13) / 1.207)));
    f.setBold(S(sec, prefix + "fontstyle").contains("fsbold"));
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
  }
  const QImage& Pic(int index) const {
    if (index < 0 || size_t(index) >= FSkin.ActivePictures.size())
      throw std::runtime_error("preview: picture index out of range");
    return FSkin.ActivePictures[size_t(index)];
  }
  const QImage& Pic(const QString& sec) const { return Pic(I(sec, "pictureindex", -1)); }
  const TBuiltSkin& Skin() const { return FSkin; }

private:
  const TBuiltSkin& FSkin;
  TspIniText FIni;
};

// Nearest-neighbour copy of src rectangle s into a w x h image.
QImage Scaled(const QImage& src, const QRect& s, int w, int h) {
  if (w <= 0 || h <= 0 || s.isEmpty()) return {};
  return src.copy(s).scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Nine slices of rectangle r (cuts relative to r) stretched to w x h.
QImage Slice9(const QImage& pic, const QRect& r, int x0, int x1, int y0, int y1, int w, int h) {
  QImage out(w, h, QImage::Format_RGB32);
  out.fill(Qt::magenta);
  QPainter p(&out);
  const int sx[4] = {0, x0, x1, r.width()}, sy[4] = {0, y0, y1, r.height()};
  const int tx[4] = {0, x0, w - (r.width() - x1), w}, ty[4] = {0, y0, h - (r.height() - y1), h};
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) {
      const QRect src(r.left() + sx[i], r.top() + sy[j], sx[i + 1] - sx[i], sy[j + 1] - sy[j]);
      const QRect dst(tx[i], ty[j], tx[i + 1] - tx[i], ty[j + 1] - ty[j]);
      if (src.isEmpty() || dst.isEmpty()) continue;
      p.drawImage(dst.topLeft(), Scaled(pic, src, dst.width(), dst.height()));
    }
  return out;
}

// A control record's image `key` composed to w x h the way its corner points say.
QImage Compose(const TSkinView& v, const QString& sec, const QString& key, int w, int h) {
  const QImage& pic = v.Pic(sec);
  const QRect r = v.R(sec, key);
  const QPoint lt = v.Pt(sec, "lefttoppoint"), rt = v.Pt(sec, "righttoppoint");
  const QPoint lb = v.Pt(sec, "leftbottompoint"), rb = v.Pt(sec, "rightbottompoint");
  if (rb.x() && rb.y()) return Slice9(pic, r, lt.x(), rt.x(), lt.y(), lb.y(), w, h);
  if (rt.x() || rt.y()) return Slice9(pic, r, lt.x(), rt.x(), 0, r.height(), w, r.height());
  if (lb.x() || lb.y()) return Slice9(pic, r, 0, r.width(), lt.y(), lb.y(), r.width(), h);
  return pic.copy(r);
}

// A picture part composed horizontally with fixed ends (items, tabs, cells).
QImage ComposeH(const QImage& pic, const QRect& r, int left, int right, int w) {
  return Slice9(pic, r, left, r.width() - right, 0, r.height(), w, r.height());
}

void Text(QPainter& p, const QRect& r, const QString& text, const QFont& f, const QColor& c,
          int align = Qt::AlignLeft | Qt::AlignVCenter) {
  p.setFont(f);
  p.setPen(c);
  p.drawText(r, align, text);
}

class TWindowPainter {
public:
  TWindowPainter(const TSkinView& v, QPainter& p) : V(v), P(p) {}

  const TSkinView& V;
  QPainter& P;

  void Shadow(int x, int y, int w, int h, bool active) {
    const QImage& pic = V.Pic(V.I("LAYERFRAME", "pictureindex"));
    const QImage& mask =
        V.Pic(V.I("LAYERFRAME", active ? "maskpictureindex" : "inactivemaskpictureindex"));
    const QRect lc = V.R("LAYERFRAME", "clientrect");
    const int lw = w + pic.width() - lc.width(), lh = h + pic.height() - lc.height();
    const QImage colour =
        Slice9(pic, pic.rect(), lc.left(), lc.right() + 1, lc.top(), lc.bottom() + 1, lw, lh);
    const QImage alpha =
        Slice9(mask, mask.rect(), lc.left(), lc.right() + 1, lc.top(), lc.bottom() + 1, lw, lh);
    QImage layer(lw, lh, QImage::Format_ARGB32);
    for (int yy = 0; yy < lh; ++yy)
      for (int xx = 0; xx < lw; ++xx) {
        const QRgb c = colour.pixel(xx, yy), m = alpha.pixel(xx, yy);
        const int a = (qRed(m) + qGreen(m) + qBlue(m)) / 3;
        layer.setPixel(xx, yy, qRgba(qRed(c), qGreen(c), qBlue(c), a));
      }
    // The form itself covers the middle.
    P.drawImage(x - lc.left(), y - lc.top(), layer);
  }

  // The frame with caption and buttons; returns the client rectangle in canvas terms.
  QRect Frame(int x, int y, int w, int h, bool active, const QString& caption, int hotButton) {
    const QImage& pic = active ? V.Skin().Picture : V.Skin().InactivePicture;
    const QPoint lt = V.Pt("FORMINFO", "lefttoppoint"), rt = V.Pt("FORMINFO", "righttoppoint");
    const QPoint lb = V.Pt("FORMINFO", "leftbottompoint");
    P.drawImage(x, y, Slice9(pic, pic.rect(), lt.x(), rt.x(), lt.y(), lb.y(), w, h));
    const int dx = w - pic.width();
    const QRect cr = V.R("FORMINFO", "clientrect");
    QRect text = V.R("caption", "textrect");
    text.setRight(text.right() + dx);
    const QRect capRect = V.R("caption", "skinrect");
    text.translate(x + capRect.left(), y + capRect.top());
    Text(P, text, caption, V.Font("caption"),
         V.C("caption", active ? "activefontcolor" : "fontcolor"));
    QRect buttons = V.R("FORMINFO", "buttonsrect").translated(dx, 0);
    int bx = x + buttons.right() + 1;
    const char* names[] = {"closebutton", "maxbutton", "minbutton"};
    for (int i = 0; i < 3; ++i) {
      const QString n = names[i];
      const QImage& bp = V.Pic(V.I(n, "activepictureindex"));
      const QRect img = V.R(n, !active          ? "inactiveskinrect"
                               : hotButton == i ? "activeskinrect"
                                                : "skinrect");
      bx -= img.width();
      P.drawImage(bx, y + buttons.top(), bp.copy(img));
    }
    return QRect(x + cr.left(), y + cr.top(), w - (pic.width() - cr.width()),
                 h - (pic.height() - cr.height()));
  }

  void Control(const QString& sec, const QString& key, int x, int y, int w, int h) {
    P.drawImage(x, y, Compose(V, sec, key, w, h));
  }

  void Button(int x, int y, int w, const QString& caption, const QString& state) {
    const QString key = state == "normal" ? "skinrect" : state + "skinrect";
    const QImage img = Compose(V, "button", key, w, 0);
    P.drawImage(x, y, img);
    const QString colourKey = state == "disabled" ? "disabledfontcolor"
                              : state == "down"   ? "downfontcolor"
                              : state == "normal" ? "fontcolor"
                                                  : "activefontcolor";
    Text(P, QRect(x, y, w, img.height()), caption, V.Font("button"), V.C("button", colourKey),
         Qt::AlignCenter);
  }

  void Edit(const QString& sec, int x, int y, int w, const QString& text, bool active,
            bool password = false) {
    const QImage img = Compose(V, sec, active ? "activeskinrect" : "skinrect", w, 0);
    P.drawImage(x, y, img);
    const QRect client = V.R(sec, "clientrect");
    const QRect tr(x + client.left() + 1, y, w - (V.R(sec, "skinrect").width() - client.width()),
                   img.height());
    if (password) {
      P.setRenderHint(QPainter::Antialiasing);
      P.setPen(Qt::NoPen);
      P.setBrush(V.C(sec, active ? "activefontcolor" : "fontcolor"));
      for (int i = 0; i < text.size(); ++i)
        P.drawEllipse(QRectF(tr.left() + 2 + i * 9, y + 6.5, 6, 6));
      P.setRenderHint(QPainter::Antialiasing, false);
    } else {
      Text(P, tr, text, V.Font(sec), V.C(sec, active ? "activefontcolor" : "fontcolor"));
    }
  }

  void Check(const QString& sec, int x, int y, const QString& key, const QString& caption,
             const QString& colourKey = "framefontcolor") {
    const QImage& pic = V.Pic(sec);
    QImage mark = pic.copy(V.R(sec, key)).convertToFormat(QImage::Format_ARGB32);
    const QRgb knock = mark.pixel(0, mark.height() - 1);
    for (int yy = 0; yy < mark.height(); ++yy)
      for (int xx = 0; xx < mark.width(); ++xx)
        if (mark.pixel(xx, yy) == knock) mark.setPixel(xx, yy, 0);
    const int h = 25;
    P.drawImage(x + 3, y + h / 2 - mark.height() / 2, mark);
    Text(P, QRect(x + mark.width() + 7 + 3, y, 200, h), caption, V.Font(sec), V.C(sec, colourKey));
  }

  // A horizontal item image (list rows, grid cells, menu items) with its text.
  void Item(const QImage& pic, const QRect& r, int left, int right, int x, int y, int w,
            const QRect& textRect, const QString& text, const QFont& f, const QColor& c,
            int align = Qt::AlignLeft | Qt::AlignVCenter) {
    P.drawImage(x, y, ComposeH(pic, r, left, right, w));
    QRect t = textRect.translated(x, y);
    t.setRight(x + w - (r.width() - textRect.right()));
    Text(P, t, text, f, c, align);
  }
};

QImage SampleWindow(const TSkinView& v) {
  const int cw = 1080, ch = 660;
  QImage canvas(cw, ch, QImage::Format_RGB32);
  canvas.fill(QColor(0xD9DEE5));
  QPainter p(&canvas);
  TWindowPainter wp(v, p);

  const int wx = 24, wy = 24, ww = 780, wh = 600;
  wp.Shadow(wx, wy, ww, wh, true);
  const QRect client = wp.Frame(wx, wy, ww, wh, true, "Save The Vorns", 1);
  // Client background: the clientrect piece of the frame picture, tiled.
  const QImage& pic = v.Skin().Picture;
  const QRect cr = v.R("FORMINFO", "clientrect");
  p.drawImage(client.topLeft(), Scaled(pic, cr, client.width(), client.height()));

  // Status bar at the bottom of the client area.
  const QRect bar = v.R("statusbar", "skinrect");
  const int barY = client.bottom() + 1 - bar.height();
  wp.Control("statusbar", "skinrect", client.left(), barY, client.width(), 0);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(178, 212, 178));
  p.setPen(QColor(0x8A93A3));
  p.drawEllipse(QRectF(client.left() + 4.5, barY + 6.5, 10, 10));
  p.setRenderHint(QPainter::Antialiasing, false);
  const QRect spClient = v.R("statuspanel", "clientrect");
  auto statusPanel = [&](int x, int w, const QString& t, int align) {
    wp.Control("statuspanel", "skinrect", x, barY + 2, w, 0);
    Text(p, QRect(x + spClient.left(), barY + 2, w - spClient.left() - 4, 19), t,
         v.Font("statuspanel"), v.C("statuspanel", "fontcolor"), align | Qt::AlignVCenter);
  };
  statusPanel(client.left() + 20, 120, "Quennel", Qt::AlignLeft);
  statusPanel(client.right() - 200, 180, "Save The Vorns v0.1.0", Qt::AlignRight);
  const QRect grip = v.R("statusbar", "gripperrect");
  p.drawImage(client.right() + 1 - grip.width(), barY + bar.height() - grip.height(),
              v.Pic("statusbar").copy(grip));

  // Page control.
  const QRect page(client.left() + 8, client.top() + 8, client.width() - 16,
                   barY - client.top() - 16);
  const QImage& tabPic = v.Pic("tab");
  const QRect tabR = v.R("tab", "tabrect"), activeR = v.R("tab", "activetabrect");
  const QRect hotR = v.R("tab", "mouseintabrect");
  const int tabH = tabR.height();
  p.drawImage(page.left(), page.top(),
              Scaled(tabPic, v.R("tab", "tabsbgrect"), page.width(), tabH));
  wp.Control("tab", "skinrect", page.left(), page.top() + tabH, page.width(), page.height() - tabH);
  const QStringList tabs = {"Log In", "Register", "Browse", "Admin", "Configuration", "Console"};
  const QFont tabFont = v.Font("tab");
  int tx = page.left() + 2;
  int selectedX = 0, selectedW = 0;
  for (int i = 0; i < tabs.size(); ++i) {
    const int w = QFontMetrics(tabFont).horizontalAdvance(tabs[i]) + 28;
    const int left = v.I("tab", "tableftoffset"), right = v.I("tab", "tabrightoffset");
    if (i == 0) {
      selectedX = tx, selectedW = w;
    } else {
      const QRect src = i == 2 ? hotR : tabR;
      p.drawImage(tx, page.top(), ComposeH(tabPic, src, left, right, w));
      Text(p, QRect(tx, page.top() + 2, w, tabH), tabs[i], tabFont,
           v.C("tab", i == 2 ? "mouseinfontcolor" : "fontcolor"), Qt::AlignCenter);
    }
    tx += w;
  }
  p.drawImage(selectedX, page.top(),
              ComposeH(tabPic, activeR, v.I("tab", "tableftoffset"), v.I("tab", "tabrightoffset"),
                       selectedW));
  Text(p, QRect(selectedX, page.top(), selectedW, activeR.height()), tabs[0], tabFont,
       v.C("tab", "activefontcolor"), Qt::AlignCenter);

  // Page contents.
  const int px = page.left() + 16, py = page.top() + tabH + 16;

  // A panel card with the login fields.
  wp.Control("panel", "skinrect", px, py, 330, 300);
  const QFont labelFont = v.Font("label");
  auto label = [&](int x, int y, int w, const QString& t, int align = Qt::AlignRight) {
    wp.Control("label", "skinrect", x, y, w, 0);
    Text(p, QRect(x + 2, y, w - 4, 19), t, labelFont, v.C("label", "fontcolor"),
         align | Qt::AlignVCenter);
  };
  label(px + 100, py + 12, 130, "Log In", Qt::AlignHCenter);
  int row = py + 44;
  label(px + 12, row, 90, "Username");
  wp.Edit("edit", px + 110, row, 200, "quennel", false);
  row += 28;
  label(px + 12, row, 90, "Password");
  wp.Edit("edit", px + 110, row, 200, "xxxx", true, true);
  row += 28;
  label(px + 12, row, 90, "Check-in");
  wp.Edit("buttonedit", px + 110, row, 200, "2024/05/17", false);
  {
    const QRect b = v.R("buttonedit", "buttonrect");
    const QRect hot = v.R("buttonedit", "activebuttonrect");
    p.drawImage(px + 110 + 200 - (v.R("buttonedit", "skinrect").width() - b.left()), row + b.top(),
                v.Pic("buttonedit").copy(hot));
  }
  row += 28;
  label(px + 12, row, 90, "Duration");
  wp.Edit("spinedit", px + 110, row, 90, "200", false);
  {
    const QRect up = v.R("spinedit", "upbuttonrect");
    const int sw = v.R("spinedit", "skinrect").width();
    p.drawImage(px + 110 + 90 - (sw - up.left()), row + up.top(),
                v.Pic("spinedit").copy(v.R("spinedit", "activeupbuttonrect")));
  }
  row += 28;
  label(px + 12, row, 90, "Kind");
  auto combo = [&](int x, int y, int w, const QString& t, bool focused, bool hot) {
    const QImage img = Compose(v, "combobox", focused || hot ? "activeskinrect" : "skinrect", w, 0);
    p.drawImage(x, y, img);
    const QRect client = v.R("combobox", "clientrect");
    const int cwid = w - (v.R("combobox", "skinrect").width() - client.width());
    wp.Item(v.Pic("combobox"), v.R("combobox", focused ? "focusitemrect" : "itemrect"), 2, 2,
            x + client.left(), y + client.top(), cwid, v.R("combobox", "itemtextrect"), t,
            v.Font("combobox"), v.C("combobox", focused ? "focusfontcolor" : "fontcolor"));
    if (hot) {
      const QRect b = v.R("combobox", "buttonrect");
      p.drawImage(x + w - (v.R("combobox", "skinrect").width() - b.left()), y + b.top(),
                  v.Pic("combobox").copy(v.R("combobox", "downbuttonrect")));
    }
  };
  combo(px + 110, row, 95, "Cat", false, false);
  combo(px + 215, row, 95, "Scorpion", true, true);
  row += 40;
  wp.Button(px + 20, row, 88, "Login", "focused");
  wp.Button(px + 118, row, 88, "Register", "normal");
  wp.Button(px + 216, row, 88, "Search", "active");
  row += 32;
  wp.Button(px + 20, row, 88, "Adopt", "down");
  wp.Button(px + 118, row, 88, "Delete", "disabled");
  wp.Button(px + 216, row, 88, "Export", "normal");

  // Check boxes, radio group, gauge and the calendar steppers.
  const int qx = px + 350;
  int qy = py;
  wp.Check("checkbox", qx, qy, "checkimagerect", "Remember Username");
  wp.Check("checkbox", qx, qy += 24, "uncheckimagerect", "Validate Database");
  wp.Check("checkbox", qx, qy += 24, "activecheckimagerect", "Log All Errors (hot)");
  wp.Check("checkbox", qx, qy += 24, "activeuncheckimagerect", "Unchecked (hot)");
  wp.Check("checkbox", qx, qy += 24, "grayedcheckimagerect", "Grayed");
  wp.Check("checkbox", qx, qy += 24, "unenabledcheckimagerect", "Disabled", "unenabledfontcolor");
  qy += 34;
  const QRect gcap = v.R("groupbox", "captionrect");
  wp.Control("groupbox", "skinrect", qx, qy, 190, 80);
  Text(p, gcap.adjusted(0, 0, 150, 0).translated(qx, qy), "Sex", v.Font("groupbox"),
       v.C("groupbox", "fontcolor"));
  wp.Check("radiobox", qx + 6, qy + 26, "checkimagerect", "Male");
  wp.Check("radiobox", qx + 96, qy + 26, "uncheckimagerect", "Female");
  wp.Check("radiobox", qx + 6, qy + 50, "activeuncheckimagerect", "Hot");
  wp.Check("radiobox", qx + 96, qy + 50, "unenabledcheckimagerect", "Off", "unenabledfontcolor");
  qy += 94;
  {
    const QImage track = Compose(v, "gauge", "skinrect", 190, 0);
    p.drawImage(qx, qy, track);
    const QRect area = v.R("gauge", "progressarea");
    const int fill = (area.width() + 190 - v.R("gauge", "skinrect").width()) * 62 / 100;
    p.drawImage(qx + area.left(), qy + area.top(),
                ComposeH(v.Pic("gauge"), v.R("gauge", "progressrect"), 3, 3, fill));
  }
  qy += 32;
  for (int i = 0; i < 3; ++i) {
    const char* keys[] = {"skinrect", "activeskinrect", "downskinrect"};
    p.drawImage(qx + i * 28, qy, Compose(v, "resizebutton", keys[i], 23, 23));
    Text(p, QRect(qx + i * 28, qy, 23, 23), QString::number(15 + i), v.Font("resizebutton"),
         v.C("resizebutton", i == 2 ? "downfontcolor" : "fontcolor"), Qt::AlignCenter);
  }
  p.drawImage(qx + 100, qy, v.Pic("updown").copy(v.R("updown", "skinrect")));
  {
    const QRect up = v.R("updown", "upbuttonrect");
    p.drawImage(qx + 150, qy, v.Pic("updown").copy(v.R("updown", "downbuttonrect")));
    p.drawImage(qx + 150 + up.left(), qy,
                v.Pic("updown").copy(v.R("updown", "activeupbuttonrect")));
  }

  // List box with its scroll bar, then the grid.
  const int lx = px + 560, ly = py;
  const int lw = 160, lh = 150;
  wp.Control("listbox", "skinrect", lx, ly, lw, lh);
  const QImage& lp = v.Pic("listbox");
  const QRect lclient = v.R("listbox", "clientrect");
  const QRect vbar = v.R("vscrollbar", "skinrect");
  const int itemW = lw - lclient.left() -
                    (v.R("listbox", "skinrect").width() - lclient.right() - 1) - vbar.width();
  const QStringList animals = {"Biscuit", "Clover", "Dusty",  "Juniper",
                               "Marble",  "Pepper", "Quince", "Saffron"};
  const int itemH = v.R("listbox", "itemrect").height();
  for (int i = 0; i < animals.size() && (i + 1) * itemH <= lh - 2; ++i) {
    const QString key = i == 1 ? "activeitemrect" : i == 3 ? "focusitemrect" : "itemrect";
    const QString colour = i == 1 ? "activefontcolor" : i == 3 ? "focusfontcolor" : "fontcolor";
    wp.Item(lp, v.R("listbox", key), 2, 2, lx + lclient.left(), ly + lclient.top() + i * itemH,
            itemW, v.R("listbox", "itemtextrect"), animals[i], v.Font("listbox"),
            v.C("listbox", colour));
  }
  auto vscroll = [&](int x, int y, int h, int thumbAt, int thumbLen, const QString& thumbKey,
                     const QString& hotButton) {
    p.drawImage(x, y, Compose(v, "vscrollbar", "skinrect", 0, h));
    const QImage& sp = v.Pic("vscrollbar");
    if (!hotButton.isEmpty()) {
      const QRect b = v.R("vscrollbar", hotButton == "up" ? "upbuttonrect" : "downbuttonrect");
      const int by = hotButton == "up" ? y + h - (vbar.height() - b.top()) : y + b.top();
      p.drawImage(x, by,
                  sp.copy(v.R("vscrollbar",
                              hotButton == "up" ? "activeupbuttonrect" : "activedownbuttonrect")));
    }
    const QRect t = v.R("vscrollbar", thumbKey);
    p.drawImage(x, y + thumbAt,
                Slice9(sp, t, 0, t.width(), 5, t.height() - 5, t.width(), thumbLen));
  };
  vscroll(lx + lw - 1 - vbar.width(), ly + 1, lh - 2, 20, 50, "thumbrect", "up");

  const int gx = lx, gy = ly + lh + 16, gw = 200, gh = 150;
  {
    const QImage& gp = v.Pic("grid");
    p.fillRect(QRect(gx, gy, gw, gh), v.C("grid", "bgcolor"));
    p.setPen(v.C("panel", "fontcolor"));
    const int cols[] = {0, 34, 110, gw - vbar.width()};
    const QStringList titles = {"ID", "Name", "Type"};
    const QStringList rows[] = {{"1", "Biscuit", "Cat"},     {"2", "Clover", "Rabbit"},
                                {"3", "Dusty", "Dog"},       {"4", "Juniper", "Snake"},
                                {"5", "Marble", "Scorpion"}, {"6", "Pepper", "Cat"}};
    const int rh = 18;
    const QRect fixed = v.R("grid", "fixedcellrect");
    for (int c = 0; c < 3; ++c)
      wp.Item(gp, fixed, 3, 3, gx + cols[c], gy, cols[c + 1] - cols[c] - 1,
              v.R("grid", "fixedcelltextrect"), titles[c], v.Font("grid", "fixed"),
              v.C("grid", "fixedfontcolor"));
    for (int r = 0; r < 6; ++r)
      for (int c = 0; c < 3; ++c) {
        const int y = gy + fixed.height() + 1 + r * (rh + 1);
        const bool sel = r == 2, foc = r == 2 && c == 1;
        const QRect cell(gx + cols[c], y, cols[c + 1] - cols[c] - 1, rh);
        if (sel) {
          const QRect src = v.R("grid", foc ? "focuscellrect" : "selectcellrect");
          p.drawImage(cell.topLeft(), Slice9(gp, src, 3, src.width() - 3, 2, src.height() - 2,
                                             cell.width(), cell.height()));
        }
        Text(p, cell.adjusted(3, 0, -2, 0), rows[r][c], v.Font("grid"),
             v.C("grid", sel ? (foc ? "focusfontcolor" : "selectfontcolor") : "fontcolor"));
      }
    p.setPen(v.C("grid", "linescolor"));
    for (int c = 1; c < 3; ++c) p.drawLine(gx + cols[c] - 1, gy, gx + cols[c] - 1, gy + gh - 15);
    for (int r = 0; r <= 6; ++r) {
      const int y = gy + fixed.height() + r * (rh + 1);
      p.drawLine(gx, y, gx + gw - vbar.width() - 1, y);
    }
    vscroll(gx + gw - vbar.width(), gy, gh - 14, 24, 40, "activethumbrect", "");
    const QRect hb = v.R("bothhscrollbar", "skinrect");
    p.drawImage(gx, gy + gh - hb.height(), Compose(v, "bothhscrollbar", "skinrect", gw, 0));
    const QRect ht = v.R("bothhscrollbar", "downthumbrect");
    p.drawImage(
        gx + 40, gy + gh - hb.height(),
        Slice9(v.Pic("bothhscrollbar"), ht, 5, ht.width() - 5, 0, ht.height(), 60, ht.height()));
  }

  // A second, inactive window.
  const int ix = wx + ww + 40, iy = 380, iw = 220, ih = 140;
  wp.Shadow(ix, iy, iw, ih, false);
  const QRect iclient = wp.Frame(ix, iy, iw, ih, false, "Inactive window", -1);
  p.drawImage(iclient.topLeft(), Scaled(pic, cr, iclient.width(), iclient.height()));
  wp.Button(iclient.left() + 16, iclient.top() + 20, 88, "Cancel", "normal");

  // Popup menu.
  {
    const int mx = wx + ww + 40, my = 40, mw = 190;
    const QImage& mp = v.Pic(v.I("POPUPWINDOW", "windowpictureindex"));
    const QRect items = v.R("POPUPWINDOW", "itemsrect");
    const QRect itemR = v.R("menuitem", "skinrect");
    const QRect div = v.R("menuitem", "dividerrect");
    struct MenuRow {
      QString Text;
      int Kind; // 0 normal, 1 hot, 2 disabled, 3 divider, 4 checked, 5 submenu
    };
    const MenuRow rows[] = {{"Undo", 0},   {"", 3}, {"Cut", 1},        {"Copy", 0},  {"Paste", 2},
                            {"Delete", 0}, {"", 3}, {"Select All", 4}, {"Insert", 5}};
    int mh = mp.height() - items.height();
    for (const MenuRow& r : rows) mh += r.Kind == 3 ? div.height() : itemR.height();
    const QPoint lt = v.Pt("POPUPWINDOW", "lefttoppoint"),
                 rt = v.Pt("POPUPWINDOW", "righttoppoint");
    const QPoint lb = v.Pt("POPUPWINDOW", "leftbottompoint");
    p.drawImage(mx, my, Slice9(mp, mp.rect(), lt.x(), rt.x(), lt.y(), lb.y(), mw, mh));
    const QImage& ip = v.Pic(v.I("menuitem", "activepictureindex"));
    const int iw2 = mw - (mp.width() - items.width());
    int iy2 = my + items.top();
    const int lo = v.I("menuitem", "itemleftoffset"), ro = v.I("menuitem", "itemrightoffset");
    const QRect imageR = v.R("menuitem", "imagerect");
    for (const MenuRow& r : rows) {
      if (r.Kind == 3) {
        p.drawImage(mx + items.left(), iy2,
                    ComposeH(ip, div, v.I("menuitem", "dividerleftoffset"),
                             v.I("menuitem", "dividerrightoffset"), iw2));
        iy2 += div.height();
        continue;
      }
      const bool hot = r.Kind == 1;
      const QString colour = hot           ? "activefontcolor"
                             : r.Kind == 2 ? "unenabledfontcolor"
                                           : "fontcolor";
      wp.Item(ip, v.R("menuitem", hot ? "activeskinrect" : "skinrect"), lo, ro, mx + items.left(),
              iy2, iw2, v.R("menuitem", "textrect"), r.Text, v.Font("menuitem"),
              v.C("menuitem", colour));
      if (r.Kind == 4)
        p.drawImage(mx + items.left() + imageR.left(), iy2 + imageR.top(),
                    ip.copy(v.R("menuitem", "checkimagerect")));
      if (r.Kind == 1)
        Text(p, QRect(mx + items.left(), iy2, iw2 - 8 - 16, itemR.height()), "Ctrl+X",
             v.Font("menuitem"), v.C("menuitem", "activefontcolor"),
             Qt::AlignRight | Qt::AlignVCenter);
      if (r.Kind == 5) {
        const QRect a = v.R("menuitem", "arrowimagerect");
        p.drawImage(mx + items.left() + iw2 - 8 - a.width() - 2,
                    iy2 + (itemR.height() - a.height()) / 2, ip.copy(a));
      }
      iy2 += itemR.height();
    }
  }

  // Hint.
  {
    const QImage& hp = v.Pic(v.I("HINTWINDOW", "windowpictureindex"));
    const QRect c = v.R("HINTWINDOW", "clientrect");
    const QFont f = v.Font("HINTWINDOW");
    const QString text = "Opens The Documentation Files";
    const QFontMetrics fm(f);
    const int w = fm.horizontalAdvance(text) + c.left() + (hp.width() - c.right() - 1) + 5;
    const int h = fm.height() + c.top() + (hp.height() - c.bottom() - 1);
    const int hx = wx + ww + 40, hy = 300;
    const QPoint lt = v.Pt("HINTWINDOW", "lefttoppoint"), rt = v.Pt("HINTWINDOW", "righttoppoint");
    const QPoint lb = v.Pt("HINTWINDOW", "leftbottompoint");
    p.drawImage(hx, hy, Slice9(hp, hp.rect(), lt.x(), rt.x(), lt.y(), lb.y(), w, h));
    Text(p, QRect(hx, hy, w, h), text, f, v.C("HINTWINDOW", "fontcolor"), Qt::AlignCenter);
  }
  return canvas;
}

QImage PicturesSheet(const TBuiltSkin& skin) {
  const int scale = 3;
  std::vector<QImage> pics = {skin.Picture, skin.InactivePicture};
  for (const QImage& a : skin.ActivePictures) pics.push_back(a);
  int w = 0, h = 0;
  for (const QImage& pi : pics) w = std::max(w, pi.width() * scale), h += pi.height() * scale + 24;
  QImage out(w + 16, h + 8, QImage::Format_RGB32);
  out.fill(QColor(0x30343C));
  QPainter p(&out);
  QFont f("Tahoma");
  f.setPixelSize(12);
  p.setFont(f);
  p.setPen(Qt::white);
  int y = 4;
  for (size_t i = 0; i < pics.size(); ++i) {
    const QString name = i == 0   ? "picture"
                         : i == 1 ? "inactivepicture"
                                  : QStringLiteral("active %1: %2")
                                        .arg(i - 2)
                                        .arg(skin.ActivePictureNames.at(qsizetype(i - 2)));
    p.drawText(8, y + 14,
               name + QStringLiteral("  (%1 x %2)").arg(pics[i].width()).arg(pics[i].height()));
    y += 20;
    p.drawImage(
        8, y,
        pics[i].scaled(pics[i].size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    y += pics[i].height() * scale + 4;
  }
  return out;
}

} // namespace

void WritePreviews(const TBuiltSkin& skin, const QString& dir) {
  RegisterFonts();
  QDir().mkpath(dir);
  const TSkinView view(skin);
  const QString base = QDir(dir).filePath(skin.Palette.Skin.SknName);
  const QImage window = SampleWindow(view);
  window.save(base + "_window.png");
  // Details at three times their size: the caption buttons, the form fields, the choices.
  const QRect crops[] = {{540, 24, 270, 40},  {30, 58, 440, 40},   {40, 90, 360, 300},
                         {380, 90, 260, 330}, {600, 95, 215, 330}, {500, 590, 310, 34},
                         {840, 30, 200, 190}};
  int zw = 0, zh = 0;
  for (const QRect& c : crops) zw = std::max(zw, c.width() * 3), zh += c.height() * 3 + 8;
  QImage zoom(zw, zh, QImage::Format_RGB32);
  zoom.fill(QColor(0x30343C));
  QPainter p(&zoom);
  int y = 0, n = 0;
  for (const QRect& c : crops) {
    const QImage part =
        window.copy(c).scaled(c.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    p.drawImage(0, y, part);
    part.save(base + QStringLiteral("_zoom%1.png").arg(++n));
    y += c.height() * 3 + 8;
  }
  p.end();
  zoom.save(base + "_zoom.png");
  PicturesSheet(skin).save(base + "_pictures.png");
}
