#pragma once
// What VSSStore needs from a database engine: statements, transactions, and the few things the
// engines do differently. Statements are written once in SQL both engines read (`?` or `?N`
// parameters, COALESCE, RETURNING, ON CONFLICT, "user" quoted); a driver translates what it must.
// Failures raise EVSSAutomation in SourceSafe's terms.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The schema's version, stored in meta as 'schema': what makes a store a SourceSafe store.
inline constexpr const char* VSSSchemaVersion = "2";
// Stores made before contents were kept in chunks have this version; their first change adds the
// chunk table and the current index of entries (until then all their contents are whole and read as
// they are).
inline constexpr const char* VSSUnchunkedSchemaVersion = "1";

// One run of a statement: bind the parameters (from 1), step through the rows, read columns (from 0).
class VSSStoreCursor {
public:
  enum class Kind { Null, Int, Text, Blob };

  virtual ~VSSStoreCursor() = default;
  virtual void Bind(int index, int64_t value) = 0;
  virtual void Bind(int index, const std::string& value) = 0;
  virtual void BindBlob(int index, const std::string& value) = 0;
  virtual void BindNull(int index) = 0;
  // Advances to the next row; false when done. `what` names the work in an error's message.
  virtual bool Step(const char* what) = 0;
  virtual int Columns() const = 0;
  virtual std::string ColumnName(int column) const = 0;
  virtual Kind KindOf(int column) const = 0;
  virtual int64_t Int(int column) const = 0;
  virtual std::string Text(int column) const = 0;   // text or blob bytes
};

class VSSStoreDriver {
public:
  virtual ~VSSStoreDriver() = default;
  // The schema version the store had when opened.
  const std::string& SchemaVersion() const { return FSchemaVersion; }
  virtual std::unique_ptr<VSSStoreCursor> Prepare(const char* sql) = 0;
  // A write transaction holds the database's write lock from its start, so changes never
  // interleave; a read sees one consistent snapshot.
  virtual void Begin(bool write) = 0;
  virtual void Commit() = 0;
  virtual void Rollback() noexcept = 0;
  // A number that changes whenever another connection commits a change, as of the transaction's
  // snapshot; nothing when the engine can't tell that cheaply.
  virtual std::optional<int64_t> DataVersion() { return std::nullopt; }
  // Makes new rows' ids follow the highest id stored in `tables` (after rows were copied in with their ids).
  virtual void RestartIds(const std::vector<std::string>& tables) = 0;

protected:
  static bool Known(const std::string& version) {
    return version == VSSSchemaVersion || version == VSSUnchunkedSchemaVersion;
  }
  std::string FSchemaVersion;
};
