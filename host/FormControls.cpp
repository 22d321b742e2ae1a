#include "host/FormControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "platform/Exception.h"
#include "ui/CheckList.h"
#include "ui/Component.h"
#include "ui/Form.h"

namespace {

std::string ControlText(const QWidget* control) {
  QString text;
  if (auto* button = qobject_cast<const QAbstractButton*>(control)) text = button->text();
  else if (auto* label = qobject_cast<const QLabel*>(control)) text = label->text();
  else if (auto* edit = qobject_cast<const QLineEdit*>(control)) text = edit->text();
  else if (auto* memo = qobject_cast<const QPlainTextEdit*>(control)) text = memo->toPlainText();
  else if (auto* rich = qobject_cast<const QTextEdit*>(control)) text = rich->toPlainText();
  else if (auto* combo = qobject_cast<const QComboBox*>(control)) text = combo->currentText();
  else if (auto* group = qobject_cast<const QGroupBox*>(control)) text = group->title();
  else if (auto* keys = qobject_cast<const QKeySequenceEdit*>(control)) text = keys->keySequence().toString();
  return text.toStdString();
}

std::string CheckText(int state) {
  static const char* const names[] = {" | unchecked", " | checked", " | grayed"};
  return state >= 0 && state <= 2 ? names[state] : "";
}

// The named control of `form` that a user can reach, of kind T (`kind` names it for the message).
template <class T>
T* Control(TForm& form, const std::string& name, const std::string& kind) {
  auto* control = qobject_cast<QWidget*>(form.FindComponent(name));
  if (!control) throw Exception("the form " + form.ClassName() + " has no control \"" + name + "\"");
  auto* typed = qobject_cast<T*>(control);
  if (!typed) throw Exception("\"" + name + "\" is not " + kind);
  if (!control->isVisibleTo(&form)) throw Exception("\"" + name + "\" is not visible");
  if (!control->isEnabled()) throw Exception("\"" + name + "\" is disabled");
  return typed;
}

} // namespace

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(target, &release);
}

std::vector<std::string> DescribeForm(const TForm& form) {
  std::vector<std::string> lines{"form " + form.ClassName() + " \"" + form.Caption() + "\""};
  for (QObject* component : Components(&form)) {
    auto* control = qobject_cast<QWidget*>(component);
    // Qt's own parts of a control (a list's viewport, a combo box's edit) are named qt_….
    if (!control || control->objectName().isEmpty() || control->objectName().startsWith("qt_") ||
        !control->isVisibleTo(&form))
      continue;
    std::string name = control->objectName().toStdString();
    std::string line = name + " | " + ControlText(control) + " | " + (control->isEnabled() ? "enabled" : "disabled");
    if (auto* button = qobject_cast<QAbstractButton*>(control); button && button->isCheckable())
      line += CheckText(button->isChecked() ? 1 : 0);
    lines.push_back(line);
    if (auto* list = qobject_cast<QListWidget*>(control))
      for (int i = 0; i < list->count(); ++i)
        lines.push_back(name + "[" + std::to_string(i) + "] | " + list->item(i)->text().toStdString() +
                        CheckText(LineCheckState(*list, i)));
  }
  return lines;
}

void ClickControl(TForm& form, const std::string& name) {
  Control<QAbstractButton>(form, name, "a button or check box")->click();
}

void TickLine(TForm& form, const std::string& name, int index) {
  auto* list = Control<QListWidget>(form, name, "a list");
  if (index < 0 || index >= list->count())
    throw Exception("\"" + name + "\" has no line " + std::to_string(index) + " (it has " +
                    std::to_string(list->count()) + ")");
  // The line becomes the only selected one, as a click on it makes it, then Space toggles it.
  list->setFocus();
  list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  SendKey(list, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
}

void TypeIntoControl(TForm& form, const std::string& name, const std::string& text) {
  auto* control = Control<QWidget>(form, name, "an edit or memo");
  const QString typed = QString::fromStdString(text);
  control->setFocus();
  // Inserting over the whole selection is what typing does: the edit's "edited" signals fire.
  if (auto* edit = qobject_cast<QLineEdit*>(control); edit && !edit->isReadOnly()) {
    edit->selectAll();
    edit->insert(typed);
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control); memo && !memo->isReadOnly()) {
    memo->selectAll();
    memo->insertPlainText(typed);
  } else if (auto* rich = qobject_cast<QTextEdit*>(control); rich && !rich->isReadOnly()) {
    rich->selectAll();
    rich->insertPlainText(typed);
  } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
    const int index = combo->findText(typed, Qt::MatchFixedString);
    if (index < 0) throw Exception("\"" + name + "\" has no item \"" + text + "\"");
    combo->setCurrentIndex(index);
  } else if (auto* keys = qobject_cast<QKeySequenceEdit*>(control)) {
    const QKeySequence sequence = QKeySequence::fromString(typed, QKeySequence::PortableText);
    if (sequence.isEmpty()) throw Exception("\"" + text + "\" names no key");
    SendKey(keys, sequence[0].key(), sequence[0].keyboardModifiers(), QString());
  } else {
    throw Exception("\"" + name + "\" is not an edit, memo, combo box or key field that takes typing");
  }
}
