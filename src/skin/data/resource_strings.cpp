#include "skin/data/resource_strings.h"

TspResourceStrData::TspResourceStrData(QObject* parent)
    : QObject(parent), FResStrings(DefaultResStrings()) {}

QStringList TspResourceStrData::DefaultResStrings() {
  return {
      // Window menu and caption buttons.
      "MI_MINCAPTION=Mi&nimize",
      "MI_MAXCAPTION=Ma&ximize",
      "MI_CLOSECAPTION=&Close",
      "MI_RESTORECAPTION=&Restore",
      "MI_MINTOTRAYCAPTION=Minimize to &Tray",
      "MI_ROLLUPCAPTION=Ro&llUp",
      "MINBUTTON_HINT=Minimize",
      "MAXBUTTON_HINT=Maximize",
      "CLOSEBUTTON_HINT=Close",
      "TRAYBUTTON_HINT=Minimize to Tray",
      "ROLLUPBUTTON_HINT=Roll Up",
      "MENUBUTTON_HINT=System menu",
      "RESTORE_HINT=Restore",
      // Edit menus.
      "EDIT_UNDO=Undo",
      "EDIT_COPY=Copy",
      "EDIT_CUT=Cut",
      "EDIT_PASTE=Paste",
      "EDIT_DELETE=Delete",
      "EDIT_SELECTALL=Select All",
      // Message dialogs.
      "MSG_BTN_YES=&Yes",
      "MSG_BTN_NO=&No",
      "MSG_BTN_OK=OK",
      "MSG_BTN_CANCEL=Cancel",
      "MSG_BTN_ABORT=&Abort",
      "MSG_BTN_RETRY=&Retry",
      "MSG_BTN_IGNORE=&Ignore",
      "MSG_BTN_ALL=&All",
      "MSG_BTN_NOTOALL=N&o to All",
      "MSG_BTN_YESTOALL=Yes to &All",
      "MSG_BTN_HELP=&Help",
      "MSG_BTN_CLOSE=&Close",
      "MSG_CAP_WARNING=Warning",
      "MSG_CAP_ERROR=Error",
      "MSG_CAP_INFORMATION=Information",
      "MSG_CAP_CONFIRM=Confirm",
      // File, folder and font dialogs.
      "FILESAVE_CAP=Save file",
      "FILEOPEN_CAP=Open file",
      "FILE_NAME=File name:",
      "FILE_TYPE=File type:",
      "FILE_LOOKIN=Look in:",
      "FILE_UP=Up one level",
      "FILE_NEWFOLDER=Create new folder",
      "FILE_EXISTS=This file already exists. Replace it?",
      "FILE_NOTFOUND=File not found.",
      "SELECTDIR_CAP=Select folder",
      "FONTDLG_COLOR=Color:",
      "FONTDLG_NAME=Name:",
      "FONTDLG_SIZE=Size:",
      "FONTDLG_HEIGHT=Height:",
      "FONTDLG_EXAMPLE=Example",
      "FONTDLG_STYLE=Style",
      "FONTDLG_BOLD=Bold",
      "FONTDLG_ITALIC=Italic",
      "FONTDLG_UNDERLINE=Underline",
      "FONTDLG_STRIKEOUT=StrikeOut",
      "FONTDLG_CAPTION=Font",
      // Input dialogs and the calendar.
      "INPUT_CAPTION=Input",
      "CALENDAR_TODAY=Today",
  };
}

QString TspResourceStrData::GetResString(const QString& name) const {
  for (const QString& line : FResStrings) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) continue;
    if (QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) == 0) return line.mid(eq + 1);
  }
  return {};
}
