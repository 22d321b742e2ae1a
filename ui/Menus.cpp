#include "ui/Menus.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>

#include "platform/Text.h"

namespace {

// The root of a main menu: its sub-items are the heads of the menu bar.
class TMainMenuRoot : public TMenuItem {
public:
  TMainMenuRoot(QObject* owner, QMenuBar* bar) : TMenuItem(owner), FBar(bar) {}

protected:
  QWidget* ItemContainer() override { return FBar; }

private:
  QPointer<QMenuBar> FBar;
};

TMenuItem* FindByName(TMenuItem* parent, const std::string& name) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (platform::SameText(item->Name(), name)) return item;
    if (TMenuItem* found = FindByName(item, name)) return found;
  }
  return nullptr;
}

} // namespace

TMainMenu::TMainMenu(QWidget* form) : QObject(form), FBar(new QMenuBar(form)), FItems(new TMainMenuRoot(this, FBar)) {
  if (form && form->layout()) form->layout()->setMenuBar(FBar);
}

std::string TMainMenu::Name() const { return objectName().toStdString(); }

void TMainMenu::SetName(const std::string& name) { setObjectName(QString::fromStdString(name)); }

TMenuItem* TMainMenu::FindItem(const std::string& name) const { return FindByName(FItems, name); }

TPopupMenu::TPopupMenu(QObject* owner) : QObject(owner), FItems(new TMenuItem(this)) {
  FItems->FPopupRoot = true;
  FItems->EnsureSubMenu();
  // The root's click is the menu opening.
  FItems->OnClick = [this](TObject*) {
    if (OnPopup) {
      TNotifyEvent handler = OnPopup;
      handler(this);
    }
  };
}

std::string TPopupMenu::Name() const { return objectName().toStdString(); }

void TPopupMenu::SetName(const std::string& name) { setObjectName(QString::fromStdString(name)); }

QMenu* TPopupMenu::Menu() const { return FItems->SubMenu(); }

void TPopupMenu::Popup(int x, int y) { Menu()->popup(QPoint(x, y)); }

void TPopupMenu::TrackPopup(QPoint pos, const QRect& exclude) {
  const QSize size = Menu()->sizeHint();
  QScreen* screen = QGuiApplication::screenAt(pos);
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 640, 480);
  QPoint at = pos;
  if (QRect(at, size).intersects(exclude)) {
    at.setY(exclude.bottom() + 1);
    if (at.y() + size.height() - 1 > area.bottom()) at.setY(exclude.top() - size.height());
  }
  Menu()->popup(at);
}

void TPopupMenu::DoPopup() { FItems->Click(); }

bool TPopupMenu::IsOpen() const { return Menu()->isVisible(); }

void TPopupMenu::ClosePopup() { Menu()->hide(); }
