#include "ui/Object.h"

#include <typeinfo>

#include <QObject>

#include "platform/TypeName.h"

std::string TObject::ClassName() const {
  if (auto object = dynamic_cast<const QObject*>(this)) return ::ClassName(object);
  return platform::TypeName(typeid(*this));
}

std::string ClassName(const QObject* object) {
  return object ? std::string(object->metaObject()->className()) : std::string();
}

std::string ClassName(const TObject* object) {
  return object ? object->ClassName() : std::string();
}

std::string ComponentName(const TObject* object) {
  auto component = dynamic_cast<const QObject*>(object);
  return component ? component->objectName().toStdString() : std::string();
}
