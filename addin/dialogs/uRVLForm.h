#pragma once
// The base of every window of the add-in. Each form remembers its size, position and state per
// form class between runs, shows help hints in a balloon according to the user's "ShowHints" option
// and echoes them into its status bar, and looks like a plain dialog (system menu only).
//
// A C++ constructor cannot reach the overrides of the class being built, and the form's class name
// (the placement's registry subkey) is only final once the most derived constructor has run. So the
// placement is loaded by AfterConstruction and saved by BeforeDestruction; MakeRVLForm and
// TRVLFormPtr call them, and every form is made and freed through them.
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include <QString>

#include "ui/Application.h"
#include "ui/Form.h"

class QHBoxLayout;
class QLabel;
class QListWidget;
class QWidget;
class TRegWindow;

// A UTF-8 text as Qt's.
inline QString Q(const std::string& text) { return QString::fromStdString(text); }

// Gives a control its component name and, when given, its hint.
template <class T>
T* Named(T* control, const char* name, const char* hint = nullptr) {
  control->setObjectName(name);
  if (hint) control->setToolTip(hint);
  return control;
}
// A named label whose access key moves the focus to `buddy`.
QLabel* NamedLabel(const char* name, const char* caption, QWidget* buddy = nullptr);
// A dialog's row of buttons, right-aligned.
QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons);

class TRVLForm : public TForm {
  Q_OBJECT
public:
  explicit TRVLForm(QObject* owner);
  ~TRVLForm() override;

  // Loads the placement once the form is fully built.
  void AfterConstruction();
  // Saves the placement before the form is taken apart; only when it was loaded, so a form whose
  // loading failed never overwrites what is stored. Never throws.
  void BeforeDestruction();

  // Descendants that store more (column widths, splitters) override these and call the inherited
  // behaviour.
  virtual void LoadWindowPlacement();
  virtual void SaveWindowPlacement();
  // Called by the hint manager before a hint shows over a control: false when the control is not
  // this form's. Otherwise picks the balloon hint window, hides the hint when the option is off or
  // the control's hint is a number other than 0 (a help-context number, not a text), and echoes the
  // text into a simple-panel "sbarStatus".
  virtual bool DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo);

  bool ShowHints() const { return FShowHints; }

  static constexpr int HintMaxWidth = 300;
  static constexpr int ExtraHidePause = 1000;   // ms added to the application's hint hide pause

protected:
  TRegWindow& RegWindow() { return *FRegWindow; }
  // For a hint over `List`: the full text of the row under the cursor, in the plain hint window laid
  // over the row (`Indent` pixels right, 2 up), when the text is wider than the list's viewport less
  // `Margin`; otherwise no hint.
  static void RowHint(QListWidget* List, int Margin, int Indent, std::string& HintStr, THintInfo& HintInfo);

private:
  std::unique_ptr<TRegWindow> FRegWindow;
  bool FShowHints = true;
  bool FPlacementLoaded = false;
};

// Frees a form the way forms are freed: placement saved, then deleted.
struct TRVLFormDeleter {
  void operator()(TRVLForm* form) const;
};

template <class T>
using TRVLFormPtr = std::unique_ptr<T, TRVLFormDeleter>;

// Builds a form of class T with `args` and loads its placement.
template <class T, class... Args>
TRVLFormPtr<T> MakeRVLForm(Args&&... args) {
  TRVLFormPtr<T> form(new T(std::forward<Args>(args)...));
  form->AfterConstruction();
  return form;
}
