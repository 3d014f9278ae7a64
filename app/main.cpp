#include <QApplication>
#include <QIcon>

#include "app/app_title.h"
#include "app/tf_princ.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setWindowIcon(QIcon(QStringLiteral(":/reglin.xpm")));

  TF_Princ window(ApplicationTitle(QCoreApplication::applicationFilePath()));
  F_Princ = &window;
  window.show();
  application.exec();
  F_Princ = nullptr;
  return 0;
}
