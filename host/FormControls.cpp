#include "host/FormControls.h"

#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTreeWidget>

#include "platform/Exception.h"
#include "platform/Text.h"
#include "ui/CheckList.h"
#include "ui/Component.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/StatusBar.h"

namespace {

std::string StatusText(const TStatusBar& bar) {
  if (bar.SimplePanel()) return bar.SimpleText();
  std::string text;
  for (int i = 0; i < bar.PanelCount(); ++i) text += (i ? " | " : "") + bar.Panels(i)->Text();
  return text;
}

// A tree's rows depth first, as `NAME[N] | text | text...`, nested rows indented by two blanks each.
void DescribeTree(const QTreeWidget& tree, const std::string& name, std::vector<std::string>& lines) {
  int row = 0;
  std::function<void(QTreeWidgetItem*, int)> add = [&](QTreeWidgetItem* item, int depth) {
    std::string line = name + "[" + std::to_string(row++) + "] | " + std::string(2 * depth, ' ');
    for (int column = 0; column < tree.columnCount(); ++column)
      line += (column ? " | " : "") + item->text(column).toStdString();
    if (item->isSelected()) line += " | selected";
    lines.push_back(line);
    for (int i = 0; i < item->childCount(); ++i) add(item->child(i), depth + 1);
  };
  for (int i = 0; i < tree.topLevelItemCount(); ++i) add(tree.topLevelItem(i), 0);
}

std::string ControlText(const QWidget* control) {
  QString text;
  if (auto* button = qobject_cast<const QAbstractButton*>(control)) text = button->text();
  else if (auto* label = qobject_cast<const QLabel*>(control)) text = label->text();
  else if (auto* edit = qobject_cast<const QLineEdit*>(control)) text = edit->text();
  else if (auto* memo = qobject_cast<const QPlainTextEdit*>(control)) text = memo->toPlainText();
  else if (auto* rich = qobject_cast<const QTextEdit*>(control)) text = rich->toPlainText();
  else if (auto* combo = qobject_cast<const QComboBox*>(control)) text = combo->currentText();
  else if (auto* group = qobject_cast<const QGroupBox*>(control)) text = group->title();
  else if (auto* bar = qobject_cast<const TStatusBar*>(control)) return StatusText(*bar);
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
    if (auto* tree = qobject_cast<QTreeWidget*>(control)) DescribeTree(*tree, name, lines);
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

void SelectLines(TForm& form, const std::string& name, const std::vector<int>& indexes) {
  auto* view = Control<QAbstractItemView>(form, name, "a list or list view");
  QAbstractItemModel* model = view->model();
  view->setFocus();
  view->clearSelection();
  for (size_t i = 0; i < indexes.size(); ++i) {
    if (indexes[i] < 0 || indexes[i] >= model->rowCount())
      throw Exception("\"" + name + "\" has no line " + std::to_string(indexes[i]) + " (it has " +
                      std::to_string(model->rowCount()) + ")");
    const QModelIndex index = model->index(indexes[i], 0);
    view->selectionModel()->setCurrentIndex(index, (i == 0 ? QItemSelectionModel::ClearAndSelect
                                                           : QItemSelectionModel::Select) |
                                                       QItemSelectionModel::Rows);
  }
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

namespace {

Exception Missing(const std::string& name, const std::string& text) {
  return Exception("\"" + name + "\" has no \"" + text + "\"");
}

// The node of a tree reached through the node texts `texts` from the top, each node on the way
// expanded; nullptr for no texts.
QTreeWidgetItem* NodeOfPath(QTreeWidget& tree, const std::string& name, const std::vector<std::string>& texts) {
  QTreeWidgetItem* node = nullptr;
  for (const std::string& text : texts) {
    QTreeWidgetItem* found = nullptr;
    const int count = node ? node->childCount() : tree.topLevelItemCount();
    for (int i = 0; i < count && !found; ++i) {
      QTreeWidgetItem* child = node ? node->child(i) : tree.topLevelItem(i);
      if (child->text(0).toStdString() == text) found = child;
    }
    if (!found) throw Missing(name, text);
    if (node) node->setExpanded(true);
    node = found;
  }
  return node;
}

// The centre of a row or node of the view `name`, scrolled into sight, in the form's coordinates.
QPoint ItemCentre(TForm& form, const std::string& name, const std::string& item) {
  auto* view = Control<QAbstractItemView>(form, name, "a tree or list");
  QRect rect;
  if (auto* tree = qobject_cast<QTreeWidget*>(view)) {
    QTreeWidgetItem* node = tree->rootIsDecorated() ? NodeOfPath(*tree, name, platform::Split(item, '|')) : nullptr;
    if (!tree->rootIsDecorated()) {
      QList<QTreeWidgetItem*> rows = tree->findItems(QString::fromStdString(item), Qt::MatchExactly, 0);
      node = rows.isEmpty() ? nullptr : rows.front();
    }
    if (!node) throw Missing(name, item);
    tree->scrollToItem(node);
    rect = tree->visualItemRect(node);
  } else if (auto* list = qobject_cast<QListWidget*>(view)) {
    QList<QListWidgetItem*> rows = list->findItems(QString::fromStdString(item), Qt::MatchExactly);
    if (rows.isEmpty()) throw Missing(name, item);
    list->scrollToItem(rows.front());
    rect = list->visualItemRect(rows.front());
  } else {
    throw Exception("\"" + name + "\" is not a tree or list");
  }
  return view->viewport()->mapTo(&form, rect.center());
}

void SendMouse(TForm& form, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
  QMouseEvent event(type, at, form.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
  QApplication::sendEvent(form.windowHandle(), &event);
}

} // namespace

void DragItem(TForm& form, const std::string& from, const std::string& fromItem, const std::string& to,
              const std::string& toItem) {
  if (!form.windowHandle()) throw Exception("the form " + form.ClassName() + " is not shown");
  const QPoint start = ItemCentre(form, from, fromItem);
  const QPoint end = ItemCentre(form, to, toItem);
  SendMouse(form, QEvent::MouseButtonPress, start, Qt::LeftButton);
  const int steps = 8;
  for (int i = 1; i <= steps; ++i) {
    SendMouse(form, QEvent::MouseMove, start + (end - start) * i / steps, Qt::LeftButton);
    QCoreApplication::processEvents();
  }
  SendMouse(form, QEvent::MouseButtonRelease, end, Qt::NoButton);
}

void SelectItems(TForm& form, const std::string& name, const std::string& items) {
  auto* control = Control<QWidget>(form, name, "a tree or list");
  control->setFocus();
  const std::vector<std::string> texts = items.empty() ? std::vector<std::string>() : platform::Split(items, '|');
  auto missing = [&](const std::string& text) { return Missing(name, text); };
  if (auto* tree = qobject_cast<QTreeWidget*>(control); tree && tree->rootIsDecorated()) {
    if (QTreeWidgetItem* node = NodeOfPath(*tree, name, texts)) tree->setCurrentItem(node);
  } else if (auto* list = qobject_cast<QTreeWidget*>(control)) {
    list->clearSelection();
    for (const std::string& text : texts) {
      QList<QTreeWidgetItem*> rows = list->findItems(QString::fromStdString(text), Qt::MatchExactly, 0);
      if (rows.isEmpty()) throw missing(text);
      if (&text == &texts.front()) list->setCurrentItem(rows.front(), 0, QItemSelectionModel::NoUpdate);
      rows.front()->setSelected(true);
    }
  } else if (auto* box = qobject_cast<QListWidget*>(control)) {
    box->clearSelection();
    for (const std::string& text : texts) {
      QList<QListWidgetItem*> rows = box->findItems(QString::fromStdString(text), Qt::MatchExactly);
      if (rows.isEmpty()) throw missing(text);
      rows.front()->setSelected(true);
    }
  } else {
    throw Exception("\"" + name + "\" is not a tree or list");
  }
}

namespace {

// The menu a path starts in: a popup menu the first step names (opened as on a right click), else
// the form's main menu. `rest` gets the path below it.
TMenuItem* FormMenuRoot(TForm& form, const std::string& path, std::string& rest) {
  const std::string first = path.substr(0, path.find('|'));
  if (auto* popup = qobject_cast<TPopupMenu*>(form.FindComponent(first))) {
    popup->DoPopup();
    rest = first.size() < path.size() ? path.substr(first.size() + 1) : std::string();
    return popup->Items();
  }
  for (QObject* component : Components(&form))
    if (auto* menu = qobject_cast<TMainMenu*>(component)) {
      rest = path;
      return menu->Items();
    }
  throw Exception("the form " + form.ClassName() + " has no menu \"" + first + "\"");
}

} // namespace

void ClickFormMenu(TForm& form, const std::string& path) {
  std::string rest;
  TMenuItem* root = FormMenuRoot(form, path, rest);
  ClickPath(root, rest);
}

std::vector<std::string> DescribeFormMenu(TForm& form, const std::string& path) {
  std::string rest;
  TMenuItem* menu = FormMenuRoot(form, path, rest);
  if (!rest.empty()) {
    ClickPath(menu, rest);   // opening a head lets its owner bring the items up to date
    menu = FindItemByPath(menu, rest);
  }
  std::vector<std::string> lines;
  for (int i = 0; i < menu->Count(); ++i) {
    TMenuItem* item = menu->Items(i);
    lines.push_back(item->Caption() + " | " + (item->Enabled() ? "enabled" : "disabled") +
                    (item->Checked() ? " | checked" : ""));
  }
  return lines;
}

void PressKeyIn(TForm& form, const std::string& name, const std::string& key) {
  auto* control = Control<QWidget>(form, name, "a control");
  const QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(key), QKeySequence::PortableText);
  if (sequence.isEmpty() || sequence[0].key() == Qt::Key_unknown) throw Exception("unknown key \"" + key + "\"");
  control->setFocus();
  SendKey(control, sequence[0].key(), sequence[0].keyboardModifiers(), QString());
}
