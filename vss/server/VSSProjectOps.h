#pragma once
// Changes to the project tree: adding files and subprojects, sharing, deleting, recovering and
// destroying. Each is one transaction and records a version of the project it concerns.
#include <cstdint>
#include <string>

#include "vss/server/VSSTree.h"

namespace VSSProjectOps {

// Return the new entry.
int64_t Add(VSSSession& session, int64_t project, const std::string& local, const std::string& comment, int32_t flags);
int64_t NewSubproject(VSSSession& session, int64_t project, const std::string& name, const std::string& comment);
void Share(VSSSession& session, int64_t project, int64_t source, const std::string& comment, int32_t flags);
void SetDeleted(VSSSession& session, int64_t entry, bool deleted);
void Destroy(VSSSession& session, int64_t entry);

} // namespace VSSProjectOps
