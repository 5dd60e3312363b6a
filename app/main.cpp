// Program entry: the application's title first (it captions message boxes),
// then the main window, then the message loop until the window closes.

#include "app/tmainform.h"
#include "framework/tapplication.h"

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  application.SetTitle("文件名批量修改器");
  TmainForm mainForm;
  application.SetMainForm(&mainForm);
  return application.Run();
}
