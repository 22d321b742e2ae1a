#pragma once
// Owned lists of items keyed by SourceSafe path (letter case ignored): adding an item whose key is
// listed replaces the listed one in its place. `TRVLActiveFiles` follows the IDE editor's file.
#include <memory>
#include <vector>

#include "addin/sourcesafe/uRVLItem.h"

class TIToolServices;
class TRVLActiveProjects;

class TRVLItems : public TObject {
public:
  virtual TRVLItem* GetItem(int Index) { return FList.at(Index).get(); }
  virtual int Count() { return static_cast<int>(FList.size()); }
  // Copies of every item of `Other`, in order; empty for nil.
  virtual void Assign(TRVLItems* Other);
  // Adds a copy of `Item`; returns its index, -1 for nil.
  virtual int AddCopy(const TRVLItem* Item);
  // Takes `Item` over; returns its index, -1 for nil.
  virtual int Add(std::unique_ptr<TRVLItem> Item);
  virtual void Delete(int Index);
  virtual void Clear();

protected:
  // Told about every item just before the list frees it.
  virtual void Freeing(TRVLItem*) {}

private:
  std::vector<std::unique_ptr<TRVLItem>> FList;
};

class TRVLActiveFiles : public TRVLItems {
public:
  TRVLActiveFiles(TIToolServices* ToolServices, TRVLActiveProjects* ActiveProjects)
      : FToolServices(ToolServices), FActiveProjects(ActiveProjects) {}

  void Clear() override;
  // The item of the editor's file (made on first request, through the active project), with its
  // SourceSafe state fetched afresh on next use; nil when the editor shows no file.
  virtual TRVLItem* GetCurrentItem();

protected:
  void Freeing(TRVLItem* Item) override;

private:
  TIToolServices* FToolServices;           // not owned
  TRVLItem* FCurrentItem = nullptr;        // an entry of the list
  TRVLActiveProjects* FActiveProjects;     // not owned
};
