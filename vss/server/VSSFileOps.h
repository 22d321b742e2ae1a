#pragma once
// What items do with local copies: get, check out, check in, undo a check-out, compare. Each
// operation checks everything and prepares the local files first, changes the store in one
// transaction, and only then puts the prepared files in place, so a refusal changes nothing.
#include <cstdint>
#include <string>
#include <vector>

#include "vss/server/VSSCollections.h"
#include "vss/server/VSSTree.h"

namespace VSSFileOps {

struct CheckoutRow {
  int64_t UserId = 0;
  bool Exclusive = false;
  VSSCheckoutRecord Record;
};
std::vector<CheckoutRow> CheckoutsOf(VSSStore& store, int64_t item);
// A check-in interrupted between making its copy read-only and committing leaves the file checked
// out with a read-only copy: this makes the copy of the file `name` that `row` checked out on this
// machine writable again, as a check-out leaves it.
void MendCheckedOutCopy(const CheckoutRow& row, const std::string& name);

// The local path to use: `local`, else the item's LocalSpec; raises when neither is set.
std::string LocalPathOf(VSSTree& tree, const VSSEntry& entry, const std::string& local);
// A file's LocalSpec: its project's working folder + "/" + its name; empty without a folder.
std::string FileLocalSpec(VSSTree& tree, const VSSEntry& entry);

// Check-in and undo check-out without a local path use the folder the file was checked out to.
// version 0 is the latest. A project gets its files into `local` (its folder), RECURSYES with its
// subprojects.
void Get(VSSSession& session, int64_t entry, int32_t version, std::string& local, int32_t flags);
void Checkout(VSSSession& session, int64_t entry, const std::string& comment, const std::string& local, int32_t flags);
void Checkin(VSSSession& session, int64_t entry, const std::string& comment, const std::string& local, int32_t flags);
void UndoCheckout(VSSSession& session, int64_t entry, const std::string& local, int32_t flags);
bool IsDifferent(VSSSession& session, int64_t entry, int32_t version, const std::string& local);

} // namespace VSSFileOps
