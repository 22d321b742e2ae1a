#pragma once
// What a scenario does to the controls of a form, as a user would: read them, press a button or check
// box, toggle a list line's check box, type into an edit, select in a tree or list, click an item of
// the form's menus, press a key in a control. Controls are found by component
// name (ignoring case); one that is not there, not of the kind, hidden or disabled raises Exception
// saying so.
#include <string>
#include <vector>

#include <QString>
#include <Qt>

class TForm;
class QWidget;

// A key's press and release sent to `target`, as the keyboard sends them.
void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text);

// The form's class name and caption, then each visible control and each line of its lists, one
// line each (the layout `print-form` documents).
std::vector<std::string> DescribeForm(const TForm& form);
void ClickControl(TForm& form, const std::string& name);
// Toggles line `index` of a list with the Space key, which runs the list's own check handling.
void TickLine(TForm& form, const std::string& name, int index);
// Selects exactly the lines `indexes` of a list or list view, the first one current.
void SelectLines(TForm& form, const std::string& name, const std::vector<int>& indexes);
// Replaces an edit's or memo's text as selecting all and typing would; picks a combo box's item by
// its text; presses a key ("Ctrl+F5") in a key field.
void TypeIntoControl(TForm& form, const std::string& name, const std::string& text);
// Selects in a tree or list as clicks would, giving it the focus. `items` is '|'-separated: in a tree
// with expandable nodes, the node texts from the top ("/|Demo|Source"), each node expanded on the
// way; in a flat list, the rows whose first column reads each text (an empty text clears the
// selection). Throws naming a text that is not there.
void SelectItems(TForm& form, const std::string& name, const std::string& items);
// Drags with the mouse, as a user would: the left button goes down on the row or node `fromItem` of
// the view `from` (named as `SelectItems` names them, one of them), the mouse moves in steps to the
// row or node `toItem` of the view `to`, and the button comes up there. The events go to the form's
// window, which passes them on as it does the window system's.
void DragItem(TForm& form, const std::string& from, const std::string& fromItem, const std::string& to,
              const std::string& toItem);
// Clicks an item of the form's main menu, or of the popup menu the path's first step names (which
// opens first, as on a right click); each head on the way opens first.
void ClickFormMenu(TForm& form, const std::string& path);
// The items of the form's main menu below `path`, or of a popup menu, as print-menu shows them.
std::vector<std::string> DescribeFormMenu(TForm& form, const std::string& path);
// A key (as `key` spells it) pressed in the named control.
void PressKeyIn(TForm& form, const std::string& name, const std::string& key);
