#pragma once
// The root of the class library's objects and the names the library finds them by.
//
// Every object that can be the sender of an event (forms, menu items, status bars, the application,
// the add-in's own classes) derives from TObject, so that handlers and the exception log can ask for
// its class name. QObject-based classes take their class name from Qt's meta-object (so they need
// Q_OBJECT); other classes from the C++ run-time type information.
#include <functional>
#include <string>

class QObject;

class TObject {
public:
  virtual ~TObject() = default;
  // "TEditWindow", "TRVLItem": the most derived class's name.
  std::string ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// The class name of a Qt object (its meta-object's class name); empty for nullptr.
std::string ClassName(const QObject* object);
// The class name of any library object; empty for nullptr.
std::string ClassName(const TObject* object);
// The object's component name (QObject::objectName) when it is a Qt object, else empty.
std::string ComponentName(const TObject* object);
