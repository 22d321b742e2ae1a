#include "vss/server/VSSHistory.h"

#include <algorithm>
#include <map>

#include "platform/Text.h"
#include "vss/api/VSSErrors.h"
#include "vss/api/VSSFlags.h"
#include "vss/server/VSSCollections.h"

namespace VSSHistory {

namespace {

struct Shown {
  int64_t Entry;
  VSSVersionRow Row;
};

// The labels set on projects above a file since the file was created (its first version).
std::vector<Shown> InheritedLabels(VSSTree& tree, const VSSEntry& file) {
  std::vector<Shown> result;
  const std::vector<VSSVersionRow> own = tree.Versions(file.Item);
  if (own.empty()) return result;
  const int64_t created = own.back().Id;
  for (int64_t project : tree.Ancestors(file.Id))
    for (VSSVersionRow& row : tree.LabelsAfter(tree.Entry(project).Item, created)) result.push_back({project, row});
  return result;
}

void CollectBelow(VSSTree& tree, int64_t project, std::vector<Shown>& shown) {
  for (const VSSEntry& child : tree.Children(project, false)) {
    for (VSSVersionRow& row : tree.Versions(child.Item)) shown.push_back({child.Id, row});
    if (child.Type == VSSITEM_PROJECT) CollectBelow(tree, child.Id, shown);
  }
}

bool IsNumber(const std::string& text) {
  return !text.empty() && text.size() < 10 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

VSSPtr<IVSSVersions> Versions(const std::shared_ptr<VSSSession>& session, int64_t entryId, int32_t flags) {
  VSSTree tree(*session);
  std::vector<Shown> shown = session->Store->Read([&] {
    const VSSEntry entry = tree.Entry(entryId);
    std::vector<Shown> rows;
    for (VSSVersionRow& row : tree.Versions(entry.Item)) rows.push_back({entry.Id, row});
    if (entry.Type == VSSITEM_FILE) {
      for (Shown& label : InheritedLabels(tree, entry)) rows.push_back(std::move(label));
    } else if ((flags & VSSFLAG_RECURS_MASK) == VSSFLAG_RECURSYES) {
      CollectBelow(tree, entry.Id, rows);
    }
    return rows;
  });
  // Newest first; a file shared twice below a project shows its versions once.
  std::sort(shown.begin(), shown.end(), [](const Shown& a, const Shown& b) { return a.Row.Id > b.Row.Id; });
  shown.erase(std::unique(shown.begin(), shown.end(), [](const Shown& a, const Shown& b) { return a.Row.Id == b.Row.Id; }),
              shown.end());
  std::vector<VSSPtr<IVSSVersion>> versions;
  for (Shown& one : shown) versions.emplace_back(new VSSVersionObject(session, one.Entry, std::move(one.Row)));
  return VSSPtr<IVSSVersions>(new VSSVersionsObject(std::move(versions)));
}

void Label(VSSSession& session, int64_t entryId, const std::string& label, const std::string& comment) {
  if (platform::Trim(label).empty()) throw EVSSAutomation("A label can't be empty", VSSError::InvalidName);
  VSSTree tree(session);
  session.Store->Write([&] {
    const VSSEntry entry = tree.Entry(entryId);
    const VSSVersionRow latest = tree.Version(entry.Item, tree.LatestVersion(entry.Item));
    tree.AddVersion(entry.Item, {"Labeled '" + label + "'", comment, label, comment, latest.Content, latest.FileTime});
  });
}

int32_t FindVersion(VSSSession& session, int64_t entryId, const std::string& versionOrLabel) {
  VSSTree tree(session);
  return session.Store->Read([&] {
    const VSSEntry entry = tree.Entry(entryId);
    const int32_t latest = tree.LatestVersion(entry.Item);
    if (IsNumber(versionOrLabel)) {
      const int32_t number = std::stoi(versionOrLabel);
      if (number < 1 || number > latest)
        throw EVSSAutomation("Version " + versionOrLabel + " of " + tree.SpecOf(entry.Id) + " not found", VSSError::NotFound);
      return number;
    }
    // The newest label of that name: the item's own, or one set on a project above a file (then
    // the file as it was when the label was set).
    std::vector<Shown> labels;
    for (VSSVersionRow& row : tree.Versions(entry.Item)) labels.push_back({entry.Id, row});
    if (entry.Type == VSSITEM_FILE)
      for (Shown& label : InheritedLabels(tree, entry)) labels.push_back(std::move(label));
    const Shown* best = nullptr;
    for (const Shown& one : labels)
      if (platform::SameText(one.Row.Label, versionOrLabel) && (!best || one.Row.Id > best->Row.Id)) best = &one;
    if (!best)
      throw EVSSAutomation("Label \"" + versionOrLabel + "\" not found for " + tree.SpecOf(entry.Id), VSSError::NotFound);
    if (best->Entry == entry.Id) return best->Row.Number;
    return static_cast<int32_t>(session.Store->QueryInt("SELECT MAX(number) FROM versions WHERE item = ? AND id < ?",
                                                        entry.Item, best->Row.Id).value_or(1));
  });
}

} // namespace VSSHistory
