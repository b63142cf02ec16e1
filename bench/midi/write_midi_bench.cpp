// Writing a melody of a million entries: the full file writer (checks, encoding, flush to the
// disk and rename), the event encoding alone and the length computation. Counters show
// entries per second, MB/s and heap allocations per entry, which should be zero: the writer
// is meant to be limited by the disk, not by per-entry work.
//
//   build/bench/midi/midi_bench [--benchmark_filter=...]
// The files go to $TMPDIR (or /tmp).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "midi/midi_file_writer.h"
#include "midi/note_list.h"

namespace {

std::atomic<long> allocations{0};

constexpr int kEntries = 1'000'000;

// A melody that mixes single keys and chords, every length code and some odd texts.
const midi::NoteList& Melody() {
    static const midi::NoteList melody = [] {
        const char* const keys[] = {"60", "60,64,67", "72", "48,55", "", "61,"};
        const char* const lengths[] = {"1",   "2",  "4",  "8",   "16",  "32", "T4",
                                       "T32", "P8", "D4", "D32", "P16", "x"};
        const char* const velocities[] = {"100", "64", "$7F", " 90", "0"};
        midi::NoteList list;
        for (int i = 0; i < kEntries; ++i) {
            list.AddNote(keys[i % 6], lengths[i % 13], velocities[i % 5]);
        }
        return list;
    }();
    return melody;
}

std::string OutputPath() {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/brindlex-midi-bench-" +
           std::to_string(getpid()) + ".mid";
}

void BM_WriteMidiFile(benchmark::State& state) {
    const midi::NoteList& melody = Melody();
    const std::string path = OutputPath();
    const long before = allocations.load();
    for (auto _ : state) midi::WriteMidiFile(melody, path, state.range(0) != 0);
    const long allocated = allocations.load() - before;
    const auto file_size = static_cast<int64_t>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * melody.Count());
    state.SetBytesProcessed(state.iterations() * file_size);
    state.counters["allocs_per_entry"] =
        static_cast<double>(allocated) / static_cast<double>(state.iterations() * melody.Count());
    state.counters["file_MB"] = static_cast<double>(file_size) / 1e6;
}
// Wall-clock time, since the flush to the disk is part of the work.
BENCHMARK(BM_WriteMidiFile)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("exact")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The events alone, into a stream that discards them: what the writer costs without a disk.
void BM_EncodeEvents(benchmark::State& state) {
    const midi::NoteList& melody = Melody();
    std::FILE* sink = std::fopen("/dev/null", "wb");
    int64_t bytes = 0;
    for (auto _ : state) {
        for (int i = 0; i < melody.Count(); ++i) {
            midi::NoteOnEvent(sink, melody.Length(i), melody.Keys(i), melody.Velocity(i), true);
        }
        bytes += midi::CountBytes(melody) - 4;
    }
    std::fclose(sink);
    state.SetItemsProcessed(state.iterations() * melody.Count());
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_EncodeEvents)->Unit(benchmark::kMillisecond);

void BM_CountBytes(benchmark::State& state) {
    const midi::NoteList& melody = Melody();
    for (auto _ : state) benchmark::DoNotOptimize(midi::CountBytes(melody));
    state.SetItemsProcessed(state.iterations() * melody.Count());
}
BENCHMARK(BM_CountBytes)->Unit(benchmark::kMillisecond);

}  // namespace

// Counting every heap allocation of the program shows whether the writer allocates per entry.
void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
