// Benchmarks of the SourceSafe server's everyday calls: the state queries the add-in makes on
// every editor activation, a large check-in and a long history.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <random>
#include <thread>

#include "BenchDatabase.h"
#include "vss/api/VSSFlags.h"
#include "vss/server/VSSStatCache.h"

namespace {

// One database with one 20 KB file, shared by the query benchmarks.
struct QueryFixture {
  BenchDatabase Db;
  VSSPtr<IVSSItem> File;
  std::string Local;
  QueryFixture() {
    Local = Db.Work() + "/Unit1.cpp";
    std::string text;
    for (int i = 0; i < 500; ++i) text += "void Function" + std::to_string(i) + "() { return; }\n";
    WriteBenchFile(Local, text);
    File = Db.Root()->Add(Local, "", 0);
    // An untouched file is one older than the stat cache's racy window.
    std::this_thread::sleep_for(std::chrono::nanoseconds(VSSStatCache::TimeGranularityNs));
  }
};

QueryFixture& Queries() {
  static QueryFixture fixture;
  return fixture;
}

void BM_IsCheckedOut(benchmark::State& state) {
  IVSSItem& file = *Queries().File;
  for (auto _ : state) benchmark::DoNotOptimize(file.IsCheckedOut());
}
BENCHMARK(BM_IsCheckedOut)->Unit(benchmark::kMicrosecond);

void BM_IsDifferentUnchanged(benchmark::State& state) {
  IVSSItem& file = *Queries().File;
  const std::string& local = Queries().Local;
  for (auto _ : state) benchmark::DoNotOptimize(file.IsDifferent(local));
}
BENCHMARK(BM_IsDifferentUnchanged)->Unit(benchmark::kMicrosecond);

// Check-in of a 10 MB file whose content changes every time (the check-out and the writing of
// the new content are not timed).
void BM_Checkin10MB(benchmark::State& state) {
  BenchDatabase db;
  std::string local = db.Work() + "/big.bin";
  std::mt19937_64 random(1);
  std::string content(10 << 20, '\0');
  auto refill = [&] {
    for (size_t i = 0; i < content.size(); i += 8) {
      uint64_t word = random();
      content.replace(i, 8, reinterpret_cast<const char*>(&word), 8);
    }
  };
  refill();
  WriteBenchFile(local, content);
  VSSPtr<IVSSItem> file = db.Root()->Add(local, "", VSSFLAG_BINBINARY);
  for (auto _ : state) {
    state.PauseTiming();
    file->Checkout("", local, VSSFLAG_GETNO);
    refill();
    WriteBenchFile(local, content);
    state.ResumeTiming();
    file->Checkin("", local, 0);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(content.size()));
}
BENCHMARK(BM_Checkin10MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// Reading the whole history of a file with 1,000 versions.
void BM_History1000(benchmark::State& state) {
  BenchDatabase db;
  std::string local = db.Work() + "/log.txt";
  WriteBenchFile(local, "version 1\n");
  VSSPtr<IVSSItem> file = db.Root()->Add(local, "", 0);
  for (int v = 2; v <= 1000; ++v) {
    file->Checkout("", local, VSSFLAG_GETNO);
    WriteBenchFile(local, "version " + std::to_string(v) + "\n");
    file->Checkin("Change " + std::to_string(v), local, 0);
  }
  for (auto _ : state) {
    VSSPtr<IVSSVersions> versions = file->Versions(0);
    VSSPtr<IVSSVersion> version;
    int count = 0;
    while (versions->Next(version.Out())) {
      benchmark::DoNotOptimize(version->Comment());
      ++count;
    }
    if (count < 1000) state.SkipWithError("history too short");
  }
}
BENCHMARK(BM_History1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
