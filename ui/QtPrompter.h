#pragma once
// The prompter that asks a person, with Qt's message boxes and dialogs, over the active window.
#include "ui/Prompter.h"

class TQtPrompter : public TPrompter {
public:
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
  TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
  bool OpenFile(const TOpenDialogOptions& options, std::vector<std::string>& files) override;
  bool SelectDirectory(const std::string& caption, std::string& directory) override;
  bool SelectColor(TColor& color) override;
};

// "Text files|*.txt;*.text|All|*" -> "Text files (*.txt *.text);;All (*)", Qt's filter form.
// "*.*" becomes "*". Throws Exception when the filter has an odd number of parts.
QString QtFileFilter(const std::string& filter);
