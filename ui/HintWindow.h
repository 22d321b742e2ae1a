#pragma once
// Hint windows: the small frameless windows the application shows for a hint, and the registry of
// hint window classes by name, so that a show-hint handler can choose the class of the next hint.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QRect>
#include <QWidget>

#include "ui/Object.h"

class THintWindow : public QWidget, public TObject {
  Q_OBJECT
public:
  explicit THintWindow(QWidget* parent = nullptr);

  // The smallest rectangle (at 0, 0) that shows `text` wrapped at `maxWidth` pixels, with margins.
  virtual QRect CalcHintRect(int maxWidth, const std::string& text) const;
  // Places the window at `rect` (screen coordinates), shows `text` and shows the window on top
  // without taking the focus. Descendants reshape it here (setMask) before calling this one.
  virtual void ActivateHint(const QRect& rect, const std::string& text);
  // Hides the window.
  void ReleaseHandle();

  std::string Caption() const { return FCaption; }
  // Whether the base painting draws a one-pixel border (on by default; shaped descendants turn it off).
  bool HasBorder() const { return FBorder; }
  void SetHasBorder(bool border) { FBorder = border; }

protected:
  // Background in the hint colour (clInfoBk), then the text in clInfoText; then the border.
  void paintEvent(QPaintEvent* event) override;
  // The area the text is drawn in, inside the margins.
  QRect TextRect() const;

private:
  std::string FCaption;
  bool FBorder = true;
};

using THintWindowFactory = std::function<std::unique_ptr<THintWindow>()>;

// Registers (or replaces) a hint window class under `className` ("TRVLHintWindow").
void RegisterHintWindowClass(const std::string& className, THintWindowFactory factory);
// Also destroys the application's hint window of that class, so no window outlives its code.
void UnregisterHintWindowClass(const std::string& className);
bool IsHintWindowClassRegistered(const std::string& className);
// A new window of the class registered as `className` (compared ignoring case); "THintWindow" is
// always registered. Throws Exception for a name nobody registered.
std::unique_ptr<THintWindow> CreateHintWindow(const std::string& className);
