// vorns-screens [--inactive] WORKDIR OUTDIR [USER PASSWORD]
//   Starts the main window on a copy of WORKDIR (the original is never written), then for
//   each built-in skin and for no skin writes OUTDIR/<skin>-<page>.png for every tab shown
//   to a visitor and for the Register page; with USER and PASSWORD it logs in and writes the
//   pages of that user's role, the Edit page and the page of the first animal up for adoption.
//   With --inactive another window holds the activation, so the frame shows its inactive
//   look. Runs without a screen. Exit code 0 when every picture was written, 1 otherwise, 2
//   on bad usage.

#include "app/app_fonts.h"
#include "app/browse_page.h"
#include "app/config_page.h"
#include "app/login_page.h"
#include "app/main_form.h"
#include "app/profile_page.h"
#include "app/vorns_application.h"
#include "skin/controls/button.h"
#include "skin/controls/edit.h"
#include "skin/controls/list_box.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/password_edit.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

bool CopyTree(const QString& from, const QString& to) {
  QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                  QDirIterator::Subdirectories);
  const QDir source(from);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString target = QDir(to).filePath(source.relativeFilePath(path));
    if (it.fileInfo().isDir()) {
      if (!QDir().mkpath(target)) return false;
    } else if (!QFile::copy(path, target)) {
      return false;
    }
  }
  return true;
}

QString SkinLabel(const TConfigPage& page, int index) {
  if (index < 0) return QStringLiteral("noskin");
  QString name = page.lbxConfigSkins->Items().value(index);
  name.remove(QLatin1Char(' '));
  return name.isEmpty() ? QStringLiteral("skin%1").arg(index) : name;
}

// Every visible page of the window and the `extra` pages its buttons reach without a tab,
// shown in turn and written as pictures.
bool WriteVisiblePages(TfrmMain& form, const QString& outDir, const QString& prefix,
                       const QList<TspSkinTabSheet*>& extra) {
  bool ok = true;
  TspSkinPageControl& pages = *form.pctMain;
  TspSkinTabSheet* const previous = pages.ActivePage();
  for (int i = 0; i < pages.PageCount(); ++i) {
    TspSkinTabSheet* sheet = pages.Pages(i);
    if (!sheet->TabVisible() && !extra.contains(sheet)) continue;
    pages.SetActivePage(sheet);
    // What selecting the tab does besides: the Browse page's table, the Admin page's chooser.
    form.pctMainChange();
    QCoreApplication::processEvents();
    const QString file =
        QDir(outDir).filePath(QStringLiteral("%1-%2.png").arg(prefix, sheet->objectName()));
    if (!form.grab().save(file)) {
      std::fprintf(stderr, "vorns-screens: cannot write %s\n", qPrintable(file));
      ok = false;
    }
  }
  pages.SetActivePage(previous);
  return ok;
}

} // namespace

int main(int argc, char** argv) {
  const bool inactive = argc > 1 && qstrcmp(argv[1], "--inactive") == 0;
  if (inactive) {
    argv[1] = argv[0];
    ++argv;
    --argc;
  }
  if (argc != 3 && argc != 5) {
    std::fputs("usage: vorns-screens [--inactive] WORKDIR OUTDIR [USER PASSWORD]\n", stderr);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtimeDir;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());

  TVornsApplication app(argc, argv);
  RegisterAppFonts();
  const QString workDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  const QString outDir = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
  QTemporaryDir copy;
  if (!copy.isValid() || !CopyTree(workDir, copy.path()) || !QDir().mkpath(outDir)) {
    std::fprintf(stderr, "vorns-screens: cannot copy %s or make %s\n", argv[1], argv[2]);
    return 1;
  }
  QDir::setCurrent(copy.path());

  TfrmMainServices services;
  services.OpenUrl = [](const QString&) {};
  TfrmMain form(services);
  form.show();
  QApplication::setActiveWindow(&form);
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  // A window beside it that takes the activation.
  QWidget other;
  if (inactive) {
    other.setGeometry(0, 0, 10, 10);
    other.show();
    other.activateWindow();
    if (!QTest::qWaitForWindowActive(&other)) return 1;
  }

  TConfigPage& config = form.ConfigPage();
  const bool login = argc == 5;
  if (login) {
    TLoginPage& page = form.LoginPage();
    page.edtLLogin->SetText(QString::fromLocal8Bit(argv[3]));
    page.edtLPassword->SetText(QString::fromLocal8Bit(argv[4]));
    page.btnLLoginClick();
    QCoreApplication::processEvents();
    if (form.tbsLogIn->TabVisible()) {
      std::fprintf(stderr, "vorns-screens: %s could not log in\n", argv[3]);
      return 1;
    }
  }
  // The pages a visitor or the user reaches through buttons: registration; profile editing
  // and the first animal up for adoption on the Browse page.
  QList<TspSkinTabSheet*> extra;
  if (login) {
    form.ProfilePage().btnProfileEditClick();
    extra << form.tbsEdit;
    TBrowsePage& browse = form.BrowsePage();
    TspSkinListBox& results = *browse.lbxBrowseResults;
    for (int i = 0; i < int(results.Items().size()); ++i) {
      results.SetItemIndex(i);
      browse.lbxBrowseResultsListBoxClick();
      if (!browse.btnBrowseAdopt->isVisibleTo(browse.pnlBrowseResults)) continue;
      browse.btnBrowseAdoptClick();
      extra << form.tbsAnimal;
      break;
    }
  } else {
    extra << form.tbsRegister;
  }
  bool ok = true;
  for (int index = 0; index <= int(config.lbxConfigSkins->Items().size()); ++index) {
    // The last round is the plain look: the list's entries first, then no skin at all.
    const bool plain = index == int(config.lbxConfigSkins->Items().size());
    if (plain) {
      // The messages of a load around a skin left empty: the frame and the controls take
      // their plain looks.
      form.spSkinForm->BroadcastSkinMessage(SkinMsgBeforeChange);
      form.spSkinForm->ClearSkin();
      form.spSkinForm->BroadcastSkinMessage(SkinMsgChange);
      form.spSkinForm->BroadcastSkinMessage(SkinMsgAfterChange);
    } else {
      config.lbxConfigSkins->SetItemIndex(index);
      config.lbxConfigSkinsListBoxClick();
    }
    QCoreApplication::processEvents();
    ok &= WriteVisiblePages(form, outDir, SkinLabel(config, plain ? -1 : index), extra);
  }
  return ok ? 0 : 1;
}
