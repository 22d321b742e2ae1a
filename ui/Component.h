#pragma once
// Components: Qt's QObject parent and objectName serve as a component's owner and name. A form owns
// the objects below it (widgets, menus, hooks placed on it), except what belongs to another form
// placed inside it.
#include <string>
#include <vector>

#include <QObject>

#include "ui/Object.h"

// A non-visual component that other code places on a form or on the application.
class TComponent : public QObject, public TObject {
  Q_OBJECT
public:
  explicit TComponent(QObject* owner);

  std::string Name() const;
  void SetName(const std::string& name);
  QObject* Owner() const { return parent(); }
};

// The components `owner` holds, depth first in creation order; the contents of nested forms are not
// included (they belong to that form), the nested form itself is.
std::vector<QObject*> Components(const QObject* owner);
// The component of `owner` whose name equals `name` ignoring case, or nullptr.
QObject* FindComponent(const QObject* owner, const std::string& name);
// The form `object` belongs to (its nearest TForm ancestor), or nullptr.
class TForm;
TForm* OwnerForm(const QObject* object);
