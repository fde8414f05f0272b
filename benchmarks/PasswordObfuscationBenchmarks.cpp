// The password routines over 1 MiB: XOR, base64 encoding and decoding.
#include <PasswordObfuscation.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr SInt32 kMiB = 1 << 20;

std::vector<UInt8> sampleBytes() {
    std::vector<UInt8> bytes(kMiB);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = UInt8(i * 131 + 7);
    return bytes;
}

void BM_KVEEncrypt(benchmark::State& state) {
    const auto input = sampleBytes();
    std::vector<UInt8> output(kMiB);
    UInt32 length = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KVEEncrypt(input.data(), kMiB, output.data(), &length, kMiB));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kMiB);
}
BENCHMARK(BM_KVEEncrypt);

void BM_KVEBinToB64(benchmark::State& state) {
    const auto input = sampleBytes();
    const SInt32 capacity = 4 * ((kMiB + 2) / 3);
    std::vector<UInt8> output(static_cast<size_t>(capacity));
    UInt32 length = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KVEBinToB64(input.data(), kMiB, output.data(), &length, capacity));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kMiB);
}
BENCHMARK(BM_KVEBinToB64);

void BM_KVEB64ToBin(benchmark::State& state) {
    const auto input = sampleBytes();
    const SInt32 textLength = 4 * ((kMiB + 2) / 3);
    std::vector<UInt8> text(size_t(textLength) + 1, 0);
    UInt32 length = 0;
    KVEBinToB64(input.data(), kMiB, text.data(), &length, textLength);
    std::vector<UInt8> output(size_t(3 * ((textLength + 3) / 4)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            KVEB64ToBin(text.data(), textLength, output.data(), &length, SInt32(output.size())));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * textLength);
}
BENCHMARK(BM_KVEB64ToBin);

} // namespace
