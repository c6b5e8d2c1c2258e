// The known ships from two loadout tables of 5,000 ships each, against the
// same start without the tables; and the check of all fourteen ship fields
// against 5,300 known names, against copying the fourteen texts.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <string>

#include "LoadoutTables.h"
#include "catalogue/ShipFieldCheck.h"
#include "files/FileIO.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace catalogue;

struct Game {
    std::string install;
    std::string emptyInstall;
    std::size_t bytes = 0;
};

const Game& GetGame() {
    static const Game game = [] {
        Game g;
        const fs::path dir = fs::temp_directory_path() / "skm-catalogue-bench";
        fs::create_directories(dir / "game");
        fs::create_directories(dir / "empty");
        g.install = (dir / "game").string() + "/";
        g.emptyInstall = (dir / "empty").string() + "/";
        g.bytes = WriteLoadoutTables(g.install);
        return g;
    }();
    return game;
}

double Seconds(Clock::time_point from, Clock::time_point to) { return std::chrono::duration<double>(to - from).count(); }

// Each iteration starts without tables (the baseline: both files missing, the
// catalogue's rows alone), reads both files plainly, then starts with them.
void BM_KnownShipsFromLoadouts(benchmark::State& state) {
    const Game& game = GetGame();
    double withSeconds = 0, withoutSeconds = 0, plainSeconds = 0;
    std::size_t known = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        {
            const KnownShips ships(ReadGameLoadouts(game.emptyInstall));
            benchmark::DoNotOptimize(ships.Size());
        }
        const auto t1 = Clock::now();
        for (const LoadoutKind kind : {LoadoutKind::Default, LoadoutKind::Custom}) {
            std::string bytes;
            files::ReadWholeFile(LoadoutPath(game.install, kind), bytes, kMaxLoadoutBytes);
            benchmark::DoNotOptimize(bytes.data());
        }
        const auto t2 = Clock::now();
        {
            const KnownShips ships(ReadGameLoadouts(game.install));
            known = ships.Size();
            benchmark::DoNotOptimize(ships.Size());
        }
        const auto t3 = Clock::now();
        withoutSeconds += Seconds(t0, t1);
        plainSeconds += Seconds(t1, t2);
        withSeconds += Seconds(t2, t3);
        state.SetIterationTime(Seconds(t2, t3));
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["without_ms"] = withoutSeconds * 1000 / n;
    state.counters["x_without"] = withSeconds / withoutSeconds;
    state.counters["plain_read_ms"] = plainSeconds * 1000 / n;
    state.counters["x_plain_read"] = withSeconds / plainSeconds;
    state.counters["known"] = static_cast<double>(known);
    state.counters["files_MB"] = static_cast<double>(game.bytes) / 1e6;
}

// Fourteen fields as a host fills them: some fine, some with each kind of
// mistake, some typos that need the nearest-name search, some unknown.
const std::array<std::string, 14> kTypical = {
    "\"Kestrel\"",        "\"Lancer 1\"",            "Lancer 17",          "\"frigate 3003 prime\"", "\"  Hauler 4004 \"",
    "\"Station 2005\"",   "\"Gunship 3118\"",        "\"Staton 2013 Prime\"", "\"Bargee 1007\"",     "\"Zzyzx Prime\"",
    "",                   "\"Orrun Trader 4\"",      "''Kestrel II''",     "\"Unheard Of Hull 77\"",
};
// Every field a typo or unknown: each needs the nearest-name search.
const std::array<std::string, 14> kAllUnknown = {
    "\"Kestrle\"",        "\"Lancr 1\"",             "\"Lancr 17\"",       "\"Frigat 3003 Prime\"",  "\"Haulr 4004\"",
    "\"Corvete 2\"",      "\"Gunshp 3118\"",         "\"Staton 2005\"",    "\"Bargee 1007\"",        "\"Zzyzx Prime\"",
    "\"Qwerty\"",         "\"Orrun Trader 4\"",      "\"Kestrel III\"",    "\"Unheard Of Hull 77\"",
};

// Checks the fourteen fields once an iteration, against copying the fourteen
// texts (a baseline that touches the same bytes), timed over 64 copies for a
// clock's resolution.
void BM_CheckFourteenFields(benchmark::State& state, const std::array<std::string, 14>& fields) {
    static const KnownShips ships(GameLoadouts{ReadLoadout(LoadoutPath(GetGame().install, LoadoutKind::Default),
                                                           LoadoutKind::Default), {}});
    constexpr int kCopies = 64;
    double checkSeconds = 0, copySeconds = 0;
    std::size_t flagged = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        for (int r = 0; r < kCopies; ++r) {
            std::array<std::string, 14> copies = fields;
            benchmark::DoNotOptimize(copies.data());
        }
        const auto t1 = Clock::now();
        flagged = 0;
        for (const std::string& field : fields) flagged += !CheckShipField(field, ships).Fine();
        benchmark::DoNotOptimize(flagged);
        const auto t2 = Clock::now();
        copySeconds += Seconds(t0, t1) / kCopies;
        checkSeconds += Seconds(t1, t2);
        state.SetIterationTime(Seconds(t1, t2));
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["copy_us"] = copySeconds * 1e6 / n;
    state.counters["x_copy"] = checkSeconds / copySeconds;
    state.counters["known"] = static_cast<double>(ships.Size());
    state.counters["flagged"] = static_cast<double>(flagged);
}

BENCHMARK(BM_KnownShipsFromLoadouts)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CheckFourteenFields, typical, kTypical)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CheckFourteenFields, all_unknown, kAllUnknown)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
