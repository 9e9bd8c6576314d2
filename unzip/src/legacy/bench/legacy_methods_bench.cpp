// Throughput of the shrink, reduce and implode decoders on the corpus members, and of
// unshrinking a stream that does nothing but add one string and clear it again, the
// worst case for partial clearing. Figures are bytes of output per second.
#include "legacy_methods.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct LocalMember {
    uint16_t method = 0;
    uint16_t flags = 0;
    size_t size = 0;
    Bytes data;
};

// Walks the local headers of an archive whose members all carry their sizes there
// (ZIP application note 4.3.7) and returns the member called `name`.
LocalMember memberOf(const std::string& archive, const std::string& name) {
    const char* root = std::getenv("QUAY_TESTDATA");
    const std::string path = std::string(root != nullptr ? root : QUAY_DEFAULT_TESTDATA) + "/zip/" + archive;
    std::ifstream file(path, std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    auto u16 = [&](size_t at) { return static_cast<uint32_t>(bytes[at] | bytes[at + 1] << 8); };
    auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    size_t pos = 0;
    while (pos + 30 <= bytes.size() && u32(pos) == 0x04034b50) {
        const size_t packed = u32(pos + 18);
        const size_t nameLength = u16(pos + 26);
        const size_t start = pos + 30 + nameLength + u16(pos + 28);
        if (start + packed > bytes.size()) break;
        if (std::string(bytes.begin() + static_cast<long>(pos + 30),
                        bytes.begin() + static_cast<long>(pos + 30 + nameLength)) == name) {
            LocalMember m;
            m.flags = static_cast<uint16_t>(u16(pos + 6));
            m.method = static_cast<uint16_t>(u16(pos + 8));
            m.size = u32(pos + 22);
            m.data.assign(bytes.begin() + static_cast<long>(start), bytes.begin() + static_cast<long>(start + packed));
            return m;
        }
        pos = start + packed;
    }
    return {};
}

void decodeMember(benchmark::State& state, const std::string& archive, const std::string& name) {
    const LocalMember m = memberOf(archive, name);
    if (m.data.empty()) {
        state.SkipWithError("corpus member not found; set QUAY_TESTDATA");
        return;
    }
    Bytes out(m.size);
    for (auto _ : state) {
        zw::legacy::Status status = zw::legacy::Status::BadData;
        if (m.method == 1)
            status = zw::legacy::unshrink(m.data.data(), m.data.size(), out.data(), out.size());
        else if (m.method == 6)
            status = zw::legacy::explode(m.data.data(), m.data.size(), out.data(), out.size(), m.flags);
        else
            status = zw::legacy::unreduce(m.data.data(), m.data.size(), out.data(), out.size(), m.method - 1);
        if (status != zw::legacy::Status::Ok) {
            state.SkipWithError("member did not decode");
            return;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * m.size));
}

void BM_ExplodeLoremIpsum(benchmark::State& state) { decodeMember(state, "cc/lorem-ipsum-implode.zip", "LOREM.TXT"); }
void BM_UnreduceFactor1Executable(benchmark::State& state) {
    decodeMember(state, "sc/Archives/Zip.reduce1.zip", "TEST.EXE");
}
void BM_UnreduceFactor3Executable(benchmark::State& state) {
    decodeMember(state, "sc/Archives/Zip.reduce3.zip", "TEST.EXE");
}
void BM_UnshrinkText(benchmark::State& state) { decodeMember(state, "sc/Archives/Zip.reduce1.zip", "TECT.TXT"); }

// 'a', then again and again 'a' (adding "aa" at 257) and 256,2 (freeing it): 27 bits of
// input for every partial clear.
void BM_UnshrinkClearAfterEveryString(benchmark::State& state) {
    const size_t clears = 100000;
    Bytes in;
    unsigned used = 0;
    auto put = [&](uint32_t code) {
        for (unsigned bit = 0; bit < 9; ++bit, used = (used + 1) % 8) {
            if (used == 0) in.push_back(0);
            in.back() = static_cast<uint8_t>(in.back() | ((code >> bit) & 1u) << used);
        }
    };
    put('a');
    for (size_t i = 0; i < clears; ++i) put('a'), put(256), put(2);
    Bytes out(clears + 1);
    for (auto _ : state) {
        if (zw::legacy::unshrink(in.data(), in.size(), out.data(), out.size()) != zw::legacy::Status::Ok) {
            state.SkipWithError("flood did not decode");
            return;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out.size()));
    state.counters["clears/s"] =
        benchmark::Counter(static_cast<double>(clears), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_ExplodeLoremIpsum);
BENCHMARK(BM_UnreduceFactor1Executable);
BENCHMARK(BM_UnreduceFactor3Executable);
BENCHMARK(BM_UnshrinkText);
BENCHMARK(BM_UnshrinkClearAfterEveryString);

}  // namespace

BENCHMARK_MAIN();
