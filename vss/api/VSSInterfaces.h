#pragma once
// SourceSafe's automation interfaces. Objects are reference counted: a new object starts with one
// reference, every object a call returns belongs to the caller (it comes wrapped in a VSSPtr), and
// Release frees the object when the last reference goes. Strings are UTF-8. Dates are OLE dates:
// days since 1899-12-30 00:00 local time, the fraction being the time of day (see VSSDate.h).
// Every call may raise EVSSAutomation with SourceSafe's message, error code and help context.
#include <cstdint>
#include <string>

#include "vss/api/VSSGuid.h"
#include "vss/api/VSSPtr.h"

class IVSSItem;
class IVSSItems;
class IVSSCheckout;
class IVSSCheckouts;
class IVSSVersion;
class IVSSVersions;

class IVSSUnknown {
public:
  static constexpr VSSGuid IID = IID_IVSSUnknown;
  virtual uint32_t AddRef() = 0;
  virtual uint32_t Release() = 0;
  // True with *object set (one new reference) when the object has interface `iid`; otherwise false
  // with *object = nullptr.
  virtual bool QueryInterface(const VSSGuid& iid, void** object) = 0;

protected:
  virtual ~IVSSUnknown() = default;
};

class IVSSDatabase : public IVSSUnknown {
public:
  static constexpr VSSGuid IID = IID_IVSSDatabase;
  // Opens the database whose srcsafe.ini is `srcSafeIni` (its folder is accepted too; empty means
  // the database registered as "API Current Database") as `user`. A password longer than 128
  // characters raises 0x8002000A. A successful Open replaces the database opened before; a failed
  // one leaves it as it was.
  virtual void Open(const std::string& srcSafeIni, const std::string& user, const std::string& password) = 0;
  virtual std::string SrcSafeIni() = 0;       // full path of the open database's srcsafe.ini
  virtual std::string DatabaseName() = 0;     // its registered name, else its folder's name
  virtual std::string UserName() = 0;         // as stored in the database
  // The user's current project, kept in the database per user ("$/" at first).
  virtual std::string CurrentProject() = 0;
  virtual void SetCurrentProject(const std::string& spec) = 0;
  // The project or file at `spec` ("$/a/b", projects with or without a trailing "/"; a spec without
  // "$/" is taken relative to the current project). With deleted = false a deleted item counts as
  // missing; with true, a deleted item is found (preferred over a live one of the same name).
  // Raises "File or project not found" when there is none.
  virtual VSSPtr<IVSSItem> VSSItem(const std::string& spec, bool deleted = false) = 0;
};

class IVSSItem : public IVSSUnknown {
public:
  static constexpr VSSGuid IID = IID_IVSSItem;
  virtual std::string Spec() = 0;             // "$/a/b.cpp", a project "$/a" (the root "$/")
  virtual std::string Name() = 0;             // "b.cpp"; the root's name is "$/"
  // A file: its project's working folder + "/" + name; a project: the user's working folder for it
  // (inherited from the nearest ancestor that has one). Empty when no folder is set.
  virtual std::string LocalSpec() = 0;
  // On a project: sets the user's working folder; on a file it raises.
  virtual void SetLocalSpec(const std::string& folder) = 0;
  virtual int32_t Type() = 0;                 // VSSITEM_PROJECT or VSSITEM_FILE
  virtual bool Binary() = 0;
  virtual bool Deleted() = 0;
  // true deletes (a project with its contents), false recovers.
  virtual void SetDeleted(bool deleted) = 0;
  // The item's latest version; for an item taken from a version, that version.
  virtual int32_t VersionNumber() = 0;
  virtual int32_t IsCheckedOut() = 0;         // a VSSFileStatus value
  // True when the local file's content differs from the item's (size, then a stored hash); a
  // missing local file is different. Empty `local` means LocalSpec().
  virtual bool IsDifferent(const std::string& local = {}) = 0;

  // A project's children: projects first, then files, each in name order.
  virtual VSSPtr<IVSSItems> Items(bool includeDeleted = false) = 0;
  virtual VSSPtr<IVSSCheckouts> Checkouts() = 0;
  virtual VSSPtr<IVSSItem> Parent() = 0;      // empty for the root
  // A file: itself in every project that shares it.
  virtual VSSPtr<IVSSItems> Links() = 0;

  // Operations on local copies. An empty `local` means LocalSpec(); Get passes back the path used.
  virtual void Get(std::string& local, int32_t flags = 0) = 0;
  virtual void Checkout(const std::string& comment, const std::string& local, int32_t flags = 0) = 0;
  virtual void Checkin(const std::string& comment, const std::string& local, int32_t flags = 0) = 0;
  virtual void UndoCheckout(const std::string& local, int32_t flags = 0) = 0;

  // Operations on a project.
  virtual VSSPtr<IVSSItem> Add(const std::string& local, const std::string& comment, int32_t flags = 0) = 0;
  virtual VSSPtr<IVSSItem> NewSubproject(const std::string& name, const std::string& comment) = 0;
  // Shares `item` (a file, or a project with its files; RECURSYES for its subprojects too) into
  // this project.
  virtual void Share(IVSSItem* item, const std::string& comment, int32_t flags = 0) = 0;

  virtual void Destroy() = 0;                 // removes the item for good
  virtual void Label(const std::string& label, const std::string& comment) = 0;
  // History, newest first; RECURSYES on a project includes everything below it.
  virtual VSSPtr<IVSSVersions> Versions(int32_t flags = 0) = 0;
  // The item as of a version: a decimal number is a version number, anything else a label.
  virtual VSSPtr<IVSSItem> Version(const std::string& versionOrLabel) = 0;
};

class IVSSItems : public IVSSUnknown {
public:
  static constexpr VSSGuid IID = IID_IVSSItems;
  virtual int32_t Count() = 0;
  virtual VSSPtr<IVSSItem> Item(int32_t index) = 0;   // 1-based; out of range raises 0x8002000B
};

class IVSSCheckout : public IVSSUnknown {
public:
  static constexpr VSSGuid IID = IID_IVSSCheckout;
  virtual std::string Username() = 0;
  virtual double Date() = 0;
  virtual std::string LocalSpec() = 0;        // the folder it was checked out to
  virtual std::string Machine() = 0;
  virtual std::string Project() = 0;          // spec of the project it was checked out from
  virtual std::string Comment() = 0;
  virtual int32_t VersionNumber() = 0;        // the version checked out
};

class IVSSCheckouts : public IVSSUnknown {
public:
  static constexpr VSSGuid IID = IID_IVSSCheckouts;
  virtual int32_t Count() = 0;
  virtual VSSPtr<IVSSCheckout> Item(int32_t index) = 0;   // 1-based
};

class IVSSVersion : public IVSSUnknown {
public:
  static constexpr VSSGuid IID = IID_IVSSVersion;
  virtual std::string Username() = 0;
  virtual int32_t VersionNumber() = 0;
  virtual std::string Action() = 0;           // "Checked in $/a/b.cpp", "Labeled 'v1'", ...
  virtual double Date() = 0;
  virtual std::string Comment() = 0;
  virtual std::string Label() = 0;
  // The item as of this version; for a label set on an enclosing project, that project.
  virtual VSSPtr<IVSSItem> VSSItem() = 0;
};

class IVSSVersion2 : public IVSSVersion {
public:
  static constexpr VSSGuid IID = IID_IVSSVersion2;
  virtual std::string LabelComment() = 0;     // empty without a label comment
};

// An enumerator over versions.
class IVSSVersions : public IVSSUnknown {
public:
  static constexpr VSSGuid IID = IID_IVSSVersions;
  virtual void Reset() = 0;
  // The next version (a new reference in *version), or false with nullptr at the end.
  virtual bool Next(IVSSVersion** version) = 0;
};
