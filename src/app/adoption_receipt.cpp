#include "app/adoption_receipt.h"

#include "app/local_time.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <QStringView>

namespace {

constexpr int kValidDays = 14;

// Values go into markup and attribute text; a name holding markup must show as text.
QString Escaped(const QString& value) {
  return value.toHtmlEscaped().replace(QLatin1Char('\''), QLatin1String("&#39;"));
}

// The receipt's values, already escaped for the document.
struct TReceiptText {
  QString UserName, UserID, Phone, AnimalName, AnimalID, KennelID;
  QString GenDate, GenTime, ValidDate;
};

// The document as its eight lines. Line 6 ends inside the style attribute of the QR code box
// and line 7 finishes it; the page's script finds the animal's ID by the cell's id. The raw
// strings carry a delimiter because the markup holds `)"` (as in `onload="generateCode()"`).
QStringList ReceiptLines(const TReceiptText& t) {
  const QString h1Fonts = QStringLiteral(
      R"html(font-family: "Helvetica Neue", Helvetica, Arial, "Lucida Grande", sans-serif;)html");
  QStringList lines;
  lines
      << QStringLiteral(
             R"html(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" )html"
             R"html("http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd"> )html"
             R"html(<html xmlns="http://www.w3.org/1999/xhtml"> <head> )html"
             R"html(<meta http-equiv="Content-Type" content="text/html; charset=UTF-8" /> )html"
             R"html(<title>Reciept For )html") +
             t.UserName +
             QStringLiteral(
                 R"html(</title> )html"
                 R"html(<link rel="shortcut icon" href="/favicon.ico" type="image/x-icon" /> )html"
                 R"html(<link rel="icon" href="/favicon.ico" type="image/x-icon" /> )html"
                 R"html(<style type="text/css"> )html"
                 R"html(html { background-color: #28559c; height: 100%; } )html"
                 R"html(.centered-div { width: 400px; height: 500px; background-color: #FFF; )html"
                 R"html(margin: auto; position: absolute; padding: 10px; top: 0; bottom: 0; )html"
                 R"html(left: 0; right: 0; border-radius: 10px; )html"
                 R"html(-webkit-border-radius: 10px; })html");
  lines << QStringLiteral(
               R"html(/* IE 7 and Below */ )html"
               R"html(:first-child+html .centered-div, * html .centered-div { )html"
               R"html(width: 400px; height: 500px; background: #FFF; margin: auto; )html"
               R"html(position: absolute; padding: 10px; top: 0; bottom: 0; left: 0; )html"
               R"html(right: 0; } )html"
               R"html(h1 { color: #605951; )html") +
               h1Fonts +
               QStringLiteral(
                   R"html( font-weight: 100; text-align: center; } )html"
                   R"html(p { color: #605951; font-family: sans-serif; font-weight: 400; )html"
                   R"html(text-align: center; margin-top: 0px; } )html"
                   R"html(@media print { .noprint { display: none; } })html");
  lines << QStringLiteral(
               R"html(.footer { color: #000; background: #EFEEF0; text-align: center; )html") +
               h1Fonts +
               QStringLiteral(
                   R"html( font-weight: 100; font-size: 50px; padding-left: 10px; )html"
                   R"html(padding-right: 10px; width: 400px; cursor: pointer; )html"
                   R"html(max-height: 60px; position: absolute; bottom: 0; left: 0; )html"
                   R"html(overflow: hidden; border-radius: 0px 0px 10px 10px; )html"
                   R"html(-webkit-border-radius: 0px 0px 10px 10px; )html"
                   R"html(-moz-border-radius: 0px 0px 10px 10px; } )html"
                   R"html(table { width: 100%; border-collapse: collapse; )html"
                   R"html(font-family: "Courier New", Courier, monospace; font-weight: 400; )html"
                   R"html(font-size: 12px; } )html"
                   R"html(table,th, td { border: 0px solid #CCC; } )html"
                   R"html(table td:nth-child(odd) { text-align: right; padding-right: 10px; )html"
                   R"html(border-left: 1px dotted #FFF; } )html"
                   R"html(table td:nth-child(even) { text-align: left; padding-left: 10px; )html"
                   R"html(border-left: 1px solid #626262; })html");
  lines << QStringLiteral(
      R"html(th { color: #FFF; font-family: sans-serif; font-weight: 200; )html"
      R"html(text-align: center; font-size: 20px; background: #626262; } )html"
      R"html(tr:nth-child(even) { background: #EFEEF0; } )html"
      R"html(th, td { width: 100px; padding: 5px; } )html"
      R"html(</style> )html"
      R"html(<script type="text/javascript" src="js/jquery.min.js"></script> )html"
      R"html(<script type="text/javascript" src="js/qrcode.min.js"></script> )html"
      R"html(</head> <body onload="generateCode()"> <div class="centered-div"> <img)html");
  lines << QStringLiteral(
               R"html( src="img/vorn.png" style="margin-left:auto;width:100px;)html"
               R"html(margin-right:auto;margin-bottom:-10px;margin-top:0px;display:block;" /> )html"
               R"html(<h1>Save The Vorns</h1> )html"
               R"html(<p>Howdy There friend! We see you want to adopt a pet! Print this page )html"
               R"html(out and present it to your nearest Save The Vorns center.</p> )html"
               R"html(<p style="margin-bottom:5px; font-weight:200; text-align:right; )html"
               R"html(font-size:9px">generated )html") +
               t.GenDate + QStringLiteral(" at ") + t.GenTime +
               QStringLiteral(" only valid until ") + t.ValidDate +
               QStringLiteral(
                   R"html(</p> <div class="Table"> <table> <tr> <th colspan="2">Person</th> )html"
                   R"html(<th colspan="2" style="border-left:1px solid #FFF;">Animal</th> )html"
                   R"html(</tr> <tr> <td>ID</td>)html");
  lines << QStringLiteral(" <td>") + t.UserID +
               QStringLiteral(R"html(</td> <td>ID</td> <td id="AnimalID">)html") + t.AnimalID +
               QStringLiteral("</td> </tr> <tr> <td>Name</td> <td>") + t.UserName +
               QStringLiteral("</td> <td>Name</td> <td>") + t.AnimalName +
               QStringLiteral("</td> </tr> <tr> <td>Contact</td> <td>") + t.Phone +
               QStringLiteral("</td> <td>Kennel</td> <td>") + t.KennelID +
               QStringLiteral(
                   R"html(</td> </tr> </table> </div> <div id="qrcode" )html"
                   R"html(style="margin-left:auto;width:96px;height:96px;margin-right:auto;)html"
                   R"html(display:block;margin-top:10px )html");
  lines << QStringLiteral(
      R"html(;background-color:#FFF"></div> <div class="footer">thank you</div> )html"
      R"html(<a onclick="printNow()" class="footer">)html"
      R"html(<div class="noprint">Click To Print</div></a> </div>)html");
  lines << QStringLiteral(
      R"html(<script type="text/javascript">function printNow() {window.print();};)html"
      R"html(function generateCode() {  var sCode = document.getElementById("AnimalID").)html"
      R"html(innerText+"hello";var qrcode = new QRCode("qrcode", {text: sCode,width: 96,)html"
      R"html(height: 96});};</script></body> </html>)html");
  return lines;
}

// The user name as a file stem: nothing in it may lead out of gen/, hide the file or be
// refused by a file system.
QString FileStem(const QString& userName) {
  QString stem = userName;
  const QStringView forbidden = u"<>:\"/\\|?*";
  for (QChar& c : stem)
    if (c.category() == QChar::Other_Control || forbidden.contains(c)) c = QLatin1Char('_');
  for (QChar& c : stem) {
    if (c != QLatin1Char('.')) break;
    c = QLatin1Char('_');
  }
  return stem.isEmpty() ? QStringLiteral("_") : stem;
}

// Creates the first free name of stem.html, stem(0).html, stem(1).html, ... in `folder`.
// The creation itself is the test for a free name, so a name that another adoption takes in
// between is passed over like one that was there before.
bool CreateFreeFile(QFile& file, const QDir& folder, const QString& stem) {
  for (int n = -1;; ++n) {
    const QString name =
        stem + (n < 0 ? QString() : QStringLiteral("(%1)").arg(n)) + QStringLiteral(".html");
    const QString path = QDir::cleanPath(folder.absoluteFilePath(name));
    if (QFileInfo(path).absolutePath() != folder.absolutePath()) return false;
    file.setFileName(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return true;
    // A link counts as taken even when it leads nowhere: it is never written through.
    const QFileInfo taken(path);
    if (!taken.exists() && !taken.isSymLink()) return false;
  }
}

} // namespace

bool CreateAdoptionReceipt(const QString& UserName, const QString& UserID, const QString& Phone,
                           const QString& AnimalName, const QString& AnimalID,
                           const QString& KennelID, const TReceiptServices& services) {
  // One moment serves the generation date and time and the validity limit.
  const QDateTime at = services.Now ? services.Now() : QDateTime::currentDateTime();
  const QLocale locale = QLocale::system();
  const TReceiptText text{
      Escaped(UserName),
      Escaped(UserID),
      Escaped(Phone),
      Escaped(AnimalName),
      Escaped(AnimalID),
      Escaped(KennelID),
      Escaped(locale.toString(at.date(), QLocale::ShortFormat)),
      Escaped(locale.toString(at.time(), LongTimeFormat(locale))),
      Escaped(locale.toString(at.addDays(kValidDays).date(), QLocale::ShortFormat))};

  QDir folder = QDir::current();
  if (!folder.exists(QStringLiteral("gen")) && !folder.mkdir(QStringLiteral("gen"))) return false;
  if (!folder.cd(QStringLiteral("gen"))) return false;

  QFile file;
  if (!CreateFreeFile(file, folder, FileStem(UserName))) return false;
  const QByteArray data = ReceiptLines(text).join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
  const bool written = file.write(data) == data.size() && file.flush();
  file.close();
  // A cut-off receipt (a full disk) is not left behind as if it were a whole one.
  if (!written || file.error() != QFileDevice::NoError) {
    file.remove();
    return false;
  }
  if (!file.exists()) return false;

  const QUrl url = QUrl::fromLocalFile(file.fileName());
  if (services.Open)
    services.Open(url);
  else
    QDesktopServices::openUrl(url);
  return true;
}
