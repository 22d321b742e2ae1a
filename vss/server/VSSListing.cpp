#include "vss/server/VSSListing.h"

namespace {

constexpr size_t MaxKeptEntries = 200'000;   // tens of megabytes at the most

} // namespace

void VSSListings::Enter(int64_t generation) {
  if (generation == FGeneration) return;
  FKept.clear();
  FEntries = 0;
  FGeneration = generation;
}

std::shared_ptr<const VSSListing> VSSListings::Find(int64_t generation, int64_t project, bool includeDeleted) {
  Enter(generation);
  const auto found = FKept.find({project, includeDeleted});
  return found == FKept.end() ? nullptr : found->second;
}

void VSSListings::Keep(int64_t generation, int64_t project, bool includeDeleted,
                       std::shared_ptr<const VSSListing> listing) {
  Enter(generation);
  if (FEntries + listing->Children.size() > MaxKeptEntries) {
    FKept.clear();
    FEntries = 0;
  }
  FEntries += listing->Children.size();
  FKept.insert_or_assign({project, includeDeleted}, std::move(listing));
}
