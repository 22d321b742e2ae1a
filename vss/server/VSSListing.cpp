#include "vss/server/VSSListing.h"

namespace {

constexpr size_t MaxKeptEntries = 200'000;   // tens of megabytes at the most

} // namespace

std::shared_ptr<const VSSListing> VSSListings::Find(int64_t generation, int64_t project, bool includeDeleted) const {
  if (generation != FGeneration) return nullptr;
  const auto found = FKept.find({project, includeDeleted});
  return found == FKept.end() ? nullptr : found->second;
}

void VSSListings::Keep(int64_t generation, int64_t project, bool includeDeleted,
                       std::shared_ptr<const VSSListing> listing) {
  // Listings of another generation never count again; past the bound the kept ones start afresh.
  if (generation != FGeneration || FEntries + listing->Children.size() > MaxKeptEntries) {
    FKept.clear();
    FEntries = 0;
    FGeneration = generation;
  }
  FEntries += listing->Children.size();
  FKept.insert_or_assign({project, includeDeleted}, std::move(listing));
}
