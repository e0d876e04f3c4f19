// vorns: the desktop application of the animal shelter "Save The Vorns". It works in the
// current directory (cfg/, img/, log/, gen/ below it) and takes no options.

#include "app/app_fonts.h"
#include "app/main_form.h"
#include "app/version.h"
#include "app/vorns_application.h"

int main(int argc, char** argv) {
  TVornsApplication app(argc, argv);
  TVornsApplication::setApplicationName(QString::fromLatin1(kAppTitle));
  RegisterAppFonts();
  TfrmMain form;
  form.show();
  return app.exec();
}
