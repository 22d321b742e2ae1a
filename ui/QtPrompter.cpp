#include "ui/QtPrompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/Exception.h"
#include "platform/Text.h"
#include "ui/Application.h"

namespace {

QWidget* DialogParent() {
  if (QWidget* active = QApplication::activeWindow()) return active;
  return Application().MainForm();
}

QString Q(const std::string& text) {
  QString result = QString::fromStdString(text);
  result.replace("\r\n", "\n");
  result.replace('\r', '\n');
  return result;
}

QMessageBox::Icon IconOf(const std::string& name) {
  if (name == "Error") return QMessageBox::Critical;
  if (name == "Question") return QMessageBox::Question;
  if (name == "Warning") return QMessageBox::Warning;
  if (name == "Information") return QMessageBox::Information;
  return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole RoleOf(TMsgDlgBtn button) {
  switch (button) {
  case mbYes: case mbYesToAll: return QMessageBox::YesRole;
  case mbNo: case mbNoToAll: return QMessageBox::NoRole;
  case mbCancel: case mbAbort: return QMessageBox::RejectRole;
  case mbHelp: return QMessageBox::HelpRole;
  default: return QMessageBox::AcceptRole;
  }
}

std::string ButtonCaption(TMsgDlgBtn button) {
  switch (button) {
  case mbYes: return "&Yes";
  case mbNo: return "&No";
  case mbOK: return "OK";
  case mbCancel: return "Cancel";
  case mbAbort: return "&Abort";
  case mbRetry: return "&Retry";
  case mbIgnore: return "&Ignore";
  case mbAll: return "&All";
  case mbNoToAll: return "N&o to All";
  case mbYesToAll: return "Yes to &All";
  case mbHelp: return "&Help";
  }
  return {};
}

// Shows a box with `buttons` and returns the one pressed; `defaultIndex` is focused first. Closing
// the box counts as Cancel when there is one, else as the last button.
TMsgDlgBtn Ask(const std::string& caption, const std::string& text, const std::string& icon,
               const std::vector<TMsgDlgBtn>& buttons, size_t defaultIndex) {
  QMessageBox box(IconOf(icon), Q(caption), Q(text), QMessageBox::NoButton, DialogParent());
  std::vector<QAbstractButton*> created;
  for (TMsgDlgBtn button : buttons) created.push_back(box.addButton(Q(ButtonCaption(button)), RoleOf(button)));
  if (defaultIndex < created.size()) box.setDefaultButton(static_cast<QPushButton*>(created[defaultIndex]));
  box.exec();
  for (size_t i = 0; i < created.size(); ++i)
    if (box.clickedButton() == created[i]) return buttons[i];
  for (TMsgDlgBtn button : buttons)
    if (button == mbCancel) return mbCancel;
  return buttons.back();
}

} // namespace

int TQtPrompter::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  const std::vector<TMsgDlgBtn> buttons = MessageBoxButtons(flags);
  const size_t defaultIndex = (flags & MB_DEFMASK) >> 8;
  return MessageBoxResult(Ask(caption, text, MessageBoxIconName(flags), buttons, defaultIndex));
}

TModalResult TQtPrompter::MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  std::vector<TMsgDlgBtn> list = buttons.List();
  if (list.empty()) list.push_back(mbOK);
  return MsgDlgResult(Ask(MsgDlgCaption(type), text, MsgDlgTypeName(type), list, 0));
}

bool TQtPrompter::InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  bool ok = false;
  const QString text = QInputDialog::getText(DialogParent(), Q(caption), Q(prompt), QLineEdit::Normal, Q(value), &ok);
  if (ok) value = text.toStdString();
  return ok;
}

bool TQtPrompter::OpenFile(const TOpenDialogOptions& options, std::vector<std::string>& files) {
  QFileDialog dialog(DialogParent(), Q(options.Title), Q(options.InitialDir));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(options.MultiSelect ? QFileDialog::ExistingFiles
                     : options.FileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!options.Filter.empty()) {
    const QStringList filters = QtFileFilter(options.Filter).split(";;");
    dialog.setNameFilters(filters);
    if (options.FilterIndex >= 1 && options.FilterIndex <= filters.size()) dialog.selectNameFilter(filters[options.FilterIndex - 1]);
  }
  if (!options.DefaultExt.empty()) dialog.setDefaultSuffix(Q(options.DefaultExt[0] == '.' ? options.DefaultExt.substr(1) : options.DefaultExt));
  if (!options.FileName.empty()) dialog.selectFile(Q(options.FileName));
  if (dialog.exec() != QDialog::Accepted) return false;
  files.clear();
  for (const QString& file : dialog.selectedFiles()) files.push_back(file.toStdString());
  return !files.empty();
}

bool TQtPrompter::SelectDirectory(const std::string& caption, std::string& directory) {
  const QString chosen = QFileDialog::getExistingDirectory(DialogParent(), Q(caption), Q(directory));
  if (chosen.isEmpty()) return false;
  directory = chosen.toStdString();
  return true;
}

bool TQtPrompter::SelectColor(TColor& color) {
  const QColor chosen = QColorDialog::getColor(ColorToQColor(color), DialogParent());
  if (!chosen.isValid()) return false;
  color = QColorToColor(chosen);
  return true;
}

QString QtFileFilter(const std::string& filter) {
  const std::vector<std::string> parts = platform::Split(filter, '|');
  if (parts.size() % 2 != 0) throw Exception("The file filter '" + filter + "' needs a pattern after each description");
  QStringList result;
  for (size_t i = 0; i < parts.size(); i += 2) {
    QStringList patterns;
    for (const std::string& pattern : platform::Split(parts[i + 1], ';'))
      patterns << (pattern == "*.*" ? QString("*") : Q(platform::Trim(pattern)));
    result << Q(parts[i]) + " (" + patterns.join(' ') + ")";
  }
  return result.join(";;");
}
