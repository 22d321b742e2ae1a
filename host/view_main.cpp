// ravelin-view FILE: shows a text file read-only (the default viewer of the add-in's commands).
#include <iostream>

#include <QVBoxLayout>

#include "host/EditControl.h"
#include "host/RuntimeDir.h"
#include "host/SourceText.h"
#include "platform/Files.h"
#include "ui/Form.h"
#include "ui/Prompter.h"
#include "ui/QtApplication.h"

int main(int argc, char** argv) {
  PrepareRuntimeDir();
  TQtApplication app(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: ravelin-view FILE\n";
    return 2;
  }
  TSourceText source;
  std::string error;
  if (!ReadSourceText(argv[1], source, error)) {
    std::cerr << "ravelin-view: " << error << '\n';
    MessageBox(error, "ravelin-view", MB_OK | MB_ICONERROR);
    return 1;
  }
  TForm viewer;
  viewer.SetName("TextViewer");
  viewer.SetCaption(platform::ExtractFileName(argv[1]) + " - ravelin-view");
  auto* layout = new QVBoxLayout(&viewer);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* text = new TEditControl(&viewer);
  text->setPlainText(source.Text);
  text->SetReadOnlyText(true);
  layout->addWidget(text);
  viewer.resize(720, 540);
  viewer.Show();
  return app.exec();
}
