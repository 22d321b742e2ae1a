#include "ui/Object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include <QObject>

namespace {

std::string Demangled(const char* name) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> plain(abi::__cxa_demangle(name, nullptr, nullptr, &status), &std::free);
  return status == 0 && plain ? std::string(plain.get()) : std::string(name);
}

} // namespace

std::string TObject::ClassName() const {
  if (auto object = dynamic_cast<const QObject*>(this)) return ::ClassName(object);
  return Demangled(typeid(*this).name());
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
