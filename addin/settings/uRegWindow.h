#pragma once
// Window placement and per-window values, one subkey per window class (its class name).
#include "addin/settings/uReg.h"

class QWidget;

class TRegWindow : public TReg {
public:
  static constexpr char ClassName[] = "TRegWindow";
  TRegWindow() : TReg(ClassName) {}

  // Puts the control where it was saved; a form also gets its window state back. A window saved
  // off the screen's top or left edge comes back at 0.
  virtual void LoadPlacement(QWidget* Control);
  // Saves the state of a form, and the bounds unless it is minimized or maximized (its normal
  // bounds saved before then stay).
  virtual void SavePlacement(QWidget* Control);
  virtual int ReadControlInteger(QWidget* Control, const std::string& Name, int Default);
  virtual void WriteControlInteger(QWidget* Control, const std::string& Name, int Value);

private:
  void UseSubKeyOf(QWidget* control);
};
