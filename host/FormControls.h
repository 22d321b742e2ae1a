#pragma once
// What a scenario does to the controls of a modal form, as a user would: read them, press a button
// or check box, toggle a list line's check box, type into an edit. Controls are found by component
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
// Replaces an edit's or memo's text as selecting all and typing would; picks a combo box's item by
// its text; presses a key ("Ctrl+F5") in a key field.
void TypeIntoControl(TForm& form, const std::string& name, const std::string& text);
