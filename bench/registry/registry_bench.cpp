// Registry hive figures: single-value round trips, and enumerating a key of 10,000 values.
//
// Each benchmark runs on a hive in /tmp (a disk on most machines, where every change waits for
// fsync) and in /dev/shm (memory, which shows the cost of the store itself).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "registry/registry.h"

namespace {

const char* const kPlaces[] = {"/tmp", "/dev/shm"};

// A fresh hive folder that is removed again at the end of the benchmark.
class HiveFolder {
public:
    explicit HiveFolder(const char* place) {
        std::string pattern = std::string(place) + "/registry-bench-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~HiveFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    [[nodiscard]] const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The key stays open: one connection, one write transaction and one read per round trip.
void BM_WriteReadOpenKey(benchmark::State& state) {
    HiveFolder folder(kPlaces[state.range(0)]);
    TRegistry registry;
    registry.SetHiveFolder(HKEY::HKEY_CURRENT_USER, folder.Path());
    if (!registry.OpenKey("Software\\Brindlex\\Tapwerk", true)) {
        state.SkipWithError(registry.LastError().c_str());
        return;
    }
    int64_t i = 0;
    for (auto _ : state) {
        registry.WriteString("Interval", std::to_string(i++));
        benchmark::DoNotOptimize(registry.ReadString("Interval"));
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(kPlaces[state.range(0)]);
}
BENCHMARK(BM_WriteReadOpenKey)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The application's way: a fresh object and handle for the write and another for the read.
void BM_WriteReadFreshHandles(benchmark::State& state) {
    HiveFolder folder(kPlaces[state.range(0)]);
    int64_t i = 0;
    for (auto _ : state) {
        {
            TRegistry registry;
            registry.SetHiveFolder(HKEY::HKEY_CURRENT_USER, folder.Path());
            registry.OpenKey("Software\\Brindlex\\Tapwerk", true);
            registry.WriteString("Interval", std::to_string(i++));
        }
        TRegistry registry;
        registry.SetHiveFolder(HKEY::HKEY_CURRENT_USER, folder.Path());
        registry.OpenKey("Software\\Brindlex\\Tapwerk", true);
        benchmark::DoNotOptimize(registry.ReadString("Interval"));
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(kPlaces[state.range(0)]);
}
BENCHMARK(BM_WriteReadFreshHandles)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Listing the names of a key with 10,000 values, and reading every one of them.
void BM_Enumerate10000Values(benchmark::State& state) {
    constexpr int kValues = 10000;
    HiveFolder folder("/dev/shm");  // filling it on a disk would take minutes of fsync
    TRegistry registry;
    registry.SetHiveFolder(HKEY::HKEY_CURRENT_USER, folder.Path());
    if (!registry.OpenKey("Big", true)) {
        state.SkipWithError(registry.LastError().c_str());
        return;
    }
    for (int i = 0; i < kValues; ++i) registry.WriteString("Value" + std::to_string(i), "data");
    const bool read_data = state.range(0) != 0;
    for (auto _ : state) {
        TStringList names;
        registry.GetValueNames(names);
        if (read_data) {
            for (int i = 0; i < names.Count(); ++i)
                benchmark::DoNotOptimize(registry.ReadString(names[i]));
        }
        if (names.Count() != kValues) state.SkipWithError("values lost");
    }
    state.SetItemsProcessed(state.iterations() * kValues);
    state.SetLabel(read_data ? "names and data" : "names");
}
BENCHMARK(BM_Enumerate10000Values)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
