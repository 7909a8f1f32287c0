// One second of sensor traffic (a DAT4 and a DAT5) through the whole data pipeline, with the
// heap allocations each pass makes.
#include "msgdat.h"
#include "platform.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "vq2_handler.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> g_allocations{0};
std::atomic<qint64> g_now{1'700'000'000'000};

qint64 benchNow() {
    return g_now.load();
}

} // namespace

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

static void BM_Dat4AndDat5Pass(benchmark::State& state) {
    QTemporaryDir root;
    Platform::configure(root.path(), QStringLiteral("lo"));
    SystemSetup::resetForTests();
    Clock::setSource(&benchNow);
    VQ2_Handler handler;
    auto dat4 = std::make_shared<MsgDAT>(4, 10.2f, 9, 0.4f, 9, 21.0f, 3, -2, 5, 10.0f, 9, 0.3f, 9,
                                         45.0f, 46.0f);
    auto dat5 = std::make_shared<MsgDAT>(5, 10.1f, 8, 0.5f, 8, 21.0f, 3, -2, 5, kAbsentFloat, 0,
                                         kAbsentFloat, 0, kAbsentFloat, kAbsentFloat);
    long allocations = 0;
    for (auto _ : state) {
        const long before = g_allocations.load();
        g_now += 500;
        handler.handleDatMsg(dat4, static_cast<quint64>(g_now.load()));
        g_now += 500;
        handler.handleDatMsg(dat5, static_cast<quint64>(g_now.load()));
        allocations += g_allocations.load() - before;
    }
    state.counters["allocations_per_pass"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    Clock::setSource(nullptr);
}
BENCHMARK(BM_Dat4AndDat5Pass);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
