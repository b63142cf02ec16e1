// Figures for the settings store at the scale of a large settings file: pushes, pops,
// re-pushes that move entries to the end, deletes, and a save and load of the whole store.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "settings/bdreg.h"

namespace {

std::vector<std::string> Keys(int count) {
    std::vector<std::string> keys;
    keys.reserve(count);
    for (int i = 0; i < count; ++i) keys.push_back("Key" + std::to_string(i));
    return keys;
}

// A tenth of the entries in each of ten folders beside the root.
std::string FolderOf(int i) {
    return i % 11 == 0 ? std::string() : "Folder" + std::to_string(i % 10);
}

// Calls visit(key, folder, number) for every key, in order.
template <typename Visit>
void ForEachKey(const std::vector<std::string>& keys, Visit&& visit) {
    for (size_t i = 0; i < keys.size(); ++i) {
        visit(keys[i], FolderOf(static_cast<int>(i)), static_cast<int32_t>(i));
    }
}

void Fill(TBDReg& reg, const std::vector<std::string>& keys) {
    ForEachKey(keys, [&](const std::string& key, const std::string& folder, int32_t i) {
        reg.PushString(key, "value " + std::to_string(i), folder);
    });
}

void BM_PushNewKeys(benchmark::State& state) {
    const auto keys = Keys(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TBDReg reg(nullptr);
        Fill(reg, keys);
        benchmark::DoNotOptimize(reg.Entries().Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PushNewKeys)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PopEveryKey(benchmark::State& state) {
    const auto keys = Keys(static_cast<int>(state.range(0)));
    TBDReg reg(nullptr);
    Fill(reg, keys);
    for (auto _ : state) {
        int64_t sum = 0;
        ForEachKey(keys, [&](const std::string& key, const std::string& folder, int32_t) {
            sum += static_cast<int64_t>(reg.PopString(key, "", folder).size());
        });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PopEveryKey)->Arg(100000)->Unit(benchmark::kMillisecond);

// Every push of an existing key moves its entry to the end of the order.
void BM_RepushMovesToEnd(benchmark::State& state) {
    const auto keys = Keys(static_cast<int>(state.range(0)));
    TBDReg reg(nullptr);
    Fill(reg, keys);
    for (auto _ : state) {
        ForEachKey(keys, [&](const std::string& key, const std::string& folder, int32_t i) {
            reg.PushInt(key, i, folder);
        });
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RepushMovesToEnd)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_GetIndexEveryKey(benchmark::State& state) {
    const auto keys = Keys(static_cast<int>(state.range(0)));
    TBDReg reg(nullptr);
    Fill(reg, keys);
    for (auto _ : state) {
        int64_t sum = 0;
        ForEachKey(keys, [&](const std::string& key, const std::string& folder, int32_t) {
            sum += reg.GetIndex(key, folder);
        });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GetIndexEveryKey)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DeleteEveryKey(benchmark::State& state) {
    const auto keys = Keys(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        TBDReg reg(nullptr);
        Fill(reg, keys);
        state.ResumeTiming();
        ForEachKey(keys, [&](const std::string& key, const std::string& folder, int32_t) {
            benchmark::DoNotOptimize(reg.Delete(key, folder));
        });
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DeleteEveryKey)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SaveToFile(benchmark::State& state) {
    QTemporaryDir folder;
    TBDReg reg(nullptr);
    reg.SetIniFileDir(folder.path().toStdString());
    Fill(reg, Keys(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        if (!reg.SaveToFile()) state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveToFile)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state) {
    QTemporaryDir folder;
    TBDReg reg(nullptr);
    reg.SetIniFileDir(folder.path().toStdString());
    Fill(reg, Keys(static_cast<int>(state.range(0))));
    if (!reg.SaveToFile()) state.SkipWithError("save failed");
    for (auto _ : state) {
        if (!reg.LoadFromFile()) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(reg.Entries().Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadFromFile)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
