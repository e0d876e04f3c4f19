#pragma once
// The printable adoption receipt: an XHTML page in gen/ below the working directory that
// shows who adopts which animal, until when the receipt is valid, and a QR code of the
// animal's ID drawn by the page's script, opened in the desktop's browser.

#include <QDateTime>
#include <QString>
#include <QUrl>
#include <functional>

// What the receipt takes from its surroundings; tests replace both.
struct TReceiptServices {
  // The local date and time of the receipt; the clock's when empty.
  std::function<QDateTime()> Now;
  // Opens the written file (a local-file URL) in the browser; the desktop's when empty.
  std::function<void(const QUrl& url)> Open;
};

// Writes gen/<UserName>.html (or the first free gen/<UserName>(n).html) and opens it.
// True when the whole receipt was written and handed to the browser; false (with no file
// left behind) when it could not be written.
bool CreateAdoptionReceipt(const QString& UserName, const QString& UserID, const QString& Phone,
                           const QString& AnimalName, const QString& AnimalID,
                           const QString& KennelID, const TReceiptServices& services = {});
