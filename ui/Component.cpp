#include "ui/Component.h"

#include "platform/Text.h"
#include "ui/Form.h"

TComponent::TComponent(QObject* owner) : QObject(owner) {}

std::string TComponent::Name() const { return objectName().toStdString(); }

void TComponent::SetName(const std::string& name) { setObjectName(QString::fromStdString(name)); }

namespace {

void Collect(const QObject* owner, std::vector<QObject*>& result) {
  for (QObject* child : owner->children()) {
    result.push_back(child);
    if (!qobject_cast<TForm*>(child)) Collect(child, result);
  }
}

} // namespace

std::vector<QObject*> Components(const QObject* owner) {
  std::vector<QObject*> result;
  if (owner) Collect(owner, result);
  return result;
}

QObject* FindComponent(const QObject* owner, const std::string& name) {
  if (name.empty()) return nullptr;
  for (QObject* component : Components(owner))
    if (platform::SameText(component->objectName().toStdString(), name)) return component;
  return nullptr;
}

TForm* OwnerForm(const QObject* object) {
  for (QObject* p = object ? object->parent() : nullptr; p; p = p->parent())
    if (auto form = qobject_cast<TForm*>(p)) return form;
  return nullptr;
}
