// ssexp [-Yuser[,password]]: SourceSafe's explorer window on the database in SSDIR (else the current
// registered one), as the user in SSUSER with the password in SSPWD, as `ss` opens it.
#include <QApplication>
#include <QMessageBox>

#include "vss/cli/SsExplorer.h"
#include "vss/cli/SsSession.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::vector<std::string> arguments(argv + 1, argv + argc);
  // The session's command line wants a command first.
  arguments.insert(arguments.begin(), "Explore");
  try {
    vsscli::SsSession session(vsscli::CommandLine::Parse(arguments));
    vsscli::SsExplorer explorer(VSSPtr<IVSSDatabase>::Share(&session.Database()));
    explorer.show();
    return app.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, "Visual SourceSafe Explorer", QString::fromStdString(e.what()));
    return 100;
  }
}
