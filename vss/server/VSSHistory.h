#pragma once
// Histories: the versions of an item (with the labels of the projects above a file), labels, and
// finding the version a number or label names.
#include <cstdint>
#include <memory>
#include <string>

#include "vss/api/VSSInterfaces.h"
#include "vss/server/VSSTree.h"

namespace VSSHistory {

// Newest first. A file's history includes the labels set on the projects above it since it was
// created; RECURSYES on a project includes everything below it.
VSSPtr<IVSSVersions> Versions(const std::shared_ptr<VSSSession>& session, int64_t entry, int32_t flags);
void Label(VSSSession& session, int64_t entry, const std::string& label, const std::string& comment);
// The version number that `versionOrLabel` names for the item; raises when there is none.
int32_t FindVersion(VSSSession& session, int64_t entry, const std::string& versionOrLabel);

} // namespace VSSHistory
