#pragma once
// Status bars with panels. Panels are laid out left to right at their widths; the last panel takes
// the rest of the bar. A panel keeps the collection ID it got when it was added, so code can find
// "the panel with ID 2" after others were inserted before it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QRect>
#include <QWidget>

#include "ui/Object.h"
#include "ui/ShortCuts.h"

class QPainter;
class TStatusBar;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TMouseButton { mbLeft, mbRight, mbMiddle };

class TStatusPanel {
public:
  int ID() const { return FID; }
  int Index() const;
  std::string Text() const { return FText; }
  void SetText(const std::string& text);
  int Width() const { return FWidth; }
  void SetWidth(int width);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel bevel);
  TStatusPanelStyle Style() const { return FStyle; }
  void SetStyle(TStatusPanelStyle style);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  TStatusBar* StatusBar() const { return FStatusBar; }

private:
  friend class TStatusBar;
  TStatusPanel(TStatusBar* bar, int id) : FStatusBar(bar), FID(id) {}

  TStatusBar* FStatusBar;
  int FID;
  std::string FText;
  int FWidth = 50;
  TStatusPanelBevel FBevel = pbLowered;
  TStatusPanelStyle FStyle = psText;
  TAlignment FAlignment = taLeftJustify;
};

using TDrawPanelEvent = std::function<void(TStatusBar* bar, TStatusPanel* panel, QPainter& painter, const QRect& rect)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;

class TStatusBar : public QWidget, public TObject {
  Q_OBJECT
public:
  explicit TStatusBar(QWidget* parent = nullptr);
  ~TStatusBar() override;

  // Panels.
  int PanelCount() const { return static_cast<int>(FPanels.size()); }
  TStatusPanel* Panels(int index) const;
  // Appends a panel with the next collection ID (IDs count from 0 and are never reused).
  TStatusPanel* AddPanel();
  TStatusPanel* InsertPanel(int index);
  void DeletePanel(int index);
  // The panel with collection ID `id`, or nullptr.
  TStatusPanel* FindPanelByID(int id) const;
  // The rectangle of panel `index` in the bar's coordinates (the last panel reaches the right edge).
  QRect PanelRect(int index) const;
  // The index of the panel under x (bar coordinates), or -1.
  int PanelAtX(int x) const;

  // One simple panel across the whole bar instead of the panels.
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool simple);
  std::string SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& text);

  // Hints: the text over the bar and whether the bar shows hints at all (a show-hint handler can
  // supply the text of a bar whose own hint is empty).
  std::string Hint() const;
  void SetHint(const std::string& hint);
  bool ShowHint() const;
  void SetShowHint(bool show);

  TDrawPanelEvent OnDrawPanel;   // paints panels whose style is psOwnerDraw
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  friend class TStatusPanel;
  void FireMouse(const TMouseEvent& handler, QMouseEvent* event);

  std::vector<std::unique_ptr<TStatusPanel>> FPanels;
  int FNextID = 0;
  bool FSimplePanel = false;
  std::string FSimpleText;
};
