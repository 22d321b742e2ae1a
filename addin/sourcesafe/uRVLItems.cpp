#include "addin/sourcesafe/uRVLItems.h"

#include "addin/frame/uRVLFactory.h"
#include "addin/sourcesafe/uRVLProjects.h"
#include "opentools/ToolIntf.h"
#include "platform/Text.h"

void TRVLItems::Assign(TRVLItems* Other) {
  Clear();
  if (!Other) return;
  for (int i = 0; i < Other->Count(); ++i) AddCopy(Other->GetItem(i));
}

int TRVLItems::AddCopy(const TRVLItem* Item) {
  return Item ? Add(TRVLFactory::_Instance().CreateItemCopy(*Item)) : -1;
}

int TRVLItems::Add(std::unique_ptr<TRVLItem> Item) {
  if (!Item) return -1;
  const std::string key = Item->GetSpec();
  if (!key.empty())
    for (size_t i = 0; i < FList.size(); ++i)
      if (platform::SameText(FList[i]->GetSpec(), key)) {
        Freeing(FList[i].get());
        FList[i] = std::move(Item);
        return static_cast<int>(i);
      }
  FList.push_back(std::move(Item));
  return Count() - 1;
}

void TRVLItems::Delete(int Index) {
  Freeing(FList.at(Index).get());
  FList.erase(FList.begin() + Index);
}

void TRVLItems::Clear() {
  for (int i = Count() - 1; i >= 0; --i) Delete(i);
}

void TRVLActiveFiles::Clear() {
  TRVLItems::Clear();
  FCurrentItem = nullptr;
}

void TRVLActiveFiles::Freeing(TRVLItem* Item) {
  if (Item == FCurrentItem) FCurrentItem = nullptr;
}

TRVLItem* TRVLActiveFiles::GetCurrentItem() {
  const std::string current = FToolServices ? FToolServices->GetCurrentFile() : std::string();
  if (!FCurrentItem || current != FCurrentItem->GetLocalSpec()) {
    if (current.empty()) {
      FCurrentItem = nullptr;
    } else {
      const int index = Add(TRVLFactory::_Instance().CreateItemFromFile(current, FActiveProjects->GetActiveProject()));
      FCurrentItem = GetItem(index);
    }
  }
  if (FCurrentItem) FCurrentItem->Invalidate();
  return FCurrentItem;
}
