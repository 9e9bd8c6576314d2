// Extraction benchmark of zwunzip32. Builds three archives deterministically
// (a: about 256 MiB of text-like data in deflated members, b: 20,000 small
// files, c: stored members), then times testing and extraction to files
// through the public interface against the limit: a plain loop on one core
// over the same members that inflates each with libdeflate into a reused
// buffer and checks its CRC-32. zwunzip runs with one worker inflating ahead
// and with one worker per core (ZWUNZIP_WORKERS). Prints MB/s of output for
// every case and, last, one line per case and setting:
//   RATIO <case>-<test|files>[-1worker] zw_ms=<n> limit_ms=<n> ratio=<zw/limit>
// (without the suffix: all cores). Each extraction to files writes into a
// folder of its own, and a case's folders are removed only after its last
// round: ext4 without a journal passes over inodes freed in the last minutes
// one by one when it creates a file, so clearing the previous round's 20,000
// files just before the next would time the file system's reuse delay
// instead of the extraction (archives of few members are cleared after each
// round). The load average is printed before and after.
#include <fcntl.h>
#include <libdeflate.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "support/zip_builder.h"
#include "zwunzip.h"

namespace {

using Clock = std::chrono::steady_clock;
// Rounds per case; the limit and both zwunzip runs alternate within each round,
// so that a machine whose load changes treats them alike, and the best of each counts.
constexpr int kRounds = 5;

std::string textLike(std::mt19937& rng, size_t size) {
    static const char* words[] = {"invoice",  "customer", "balance", "payment", "quote", "terms", "net", "thirty",
                                  "shipping", "ground",   "account", "the",     "of",    "and",   "to",  "order",
                                  "line",     "quantity", "price",   "class",   "tax",   "total", "due", "vendor",
                                  "purchase", "received", "stock",   "on",      "hand",  "serial"};
    std::string s;
    s.reserve(size + 32);
    while (s.size() < size) {
        s += words[rng() % (sizeof words / sizeof *words)];
        uint32_t r = rng() % 16;
        s += r == 0 ? "\n" : r == 1 ? ", " : " ";
        if (r == 2) s += std::to_string(rng() % 100000);
    }
    s.resize(size);
    return s;
}

struct Archive {
    std::string name, path;
    uint64_t outputBytes = 0;
    size_t members = 0;
};

// Walks the central directory of an archive this program wrote and runs the limit loop.
double limitMs(const Archive& a) {
    int fd = ::open(a.path.c_str(), O_RDONLY);
    struct stat st {};
    ::fstat(fd, &st);
    auto* d = static_cast<const uint8_t*>(::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0));
    auto le16 = [](const uint8_t* p) { return uint32_t(p[0] | (p[1] << 8)); };
    auto le32 = [](const uint8_t* p) { return uint32_t(p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24)); };
    const uint8_t* end = d + st.st_size - 22;
    uint32_t entries = le16(end + 10), cd = le32(end + 16);
    libdeflate_decompressor* inflater = libdeflate_alloc_decompressor();
    std::vector<uint8_t> out;
    double best = 1e100;
    {
        auto t0 = Clock::now();
        const uint8_t* p = d + cd;
        for (uint32_t i = 0; i < entries; ++i) {
            uint32_t method = le16(p + 10), crc = le32(p + 16), csize = le32(p + 20), usize = le32(p + 24);
            uint32_t n = le16(p + 28), e = le16(p + 30), c = le16(p + 32), lho = le32(p + 42);
            const uint8_t* data = d + lho + 30 + le16(d + lho + 26) + le16(d + lho + 28);
            uint32_t got;
            if (method == 0) {
                got = uint32_t(libdeflate_crc32(0, data, csize));
            } else {
                if (out.size() < usize) out.resize(usize);
                size_t produced = 0;
                libdeflate_deflate_decompress(inflater, data, csize, out.data(), usize, &produced);
                got = uint32_t(libdeflate_crc32(0, out.data(), produced));
            }
            if (got != crc) std::fprintf(stderr, "limit loop: bad CRC\n");
            p += 46 + n + e + c;
        }
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    libdeflate_free_decompressor(inflater);
    ::munmap(const_cast<uint8_t*>(d), size_t(st.st_size));
    ::close(fd);
    return best;
}

std::string loadAverage() {
    char text[128] = {};
    if (FILE* f = std::fopen("/proc/loadavg", "r")) {
        if (!std::fgets(text, sizeof text, f)) text[0] = '\0';
        std::fclose(f);
    }
    std::string s = text;
    while (!s.empty() && s.back() == '\n') s.pop_back();
    return s;
}

void removeTree(const std::string& path) {
    std::string rm = "rm -rf '" + path + "'";
    if (std::system(rm.c_str()) != 0) std::fprintf(stderr, "cannot remove %s\n", path.c_str());
}

// One timed call; `dest` is a folder that does not exist yet (files) or empty (testing).
double zwMs(const Archive& a, bool test, const std::string& dest) {
    double best = 1e100;
    {
        UNZIPCMDSTRUCT c{};
        c.unzipStructSize = UNZIPCMDSTRUCT_SIZE_V3;
        c.Function = UNZIP_EXTRACT;
        std::string zip = a.path, spec = "*.*";
        c.lpszZIPFile = zip.data();
        c.lpszFilespec = spec.data();
        c.recurseFlag = 1;
        c.quietFlag = 1;
        c.overWriteFlag = 1;
        c.testFlag = test ? 1 : 0;
        std::string target = dest;
        c.lpszDestination = test ? nullptr : target.data();
        auto t0 = Clock::now();
        int32_t rc = zwunzip(&c);
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        if (rc != ZW_OK) std::fprintf(stderr, "%s: zwunzip returned %d\n", a.name.c_str(), rc);
        best = std::min(best, ms);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    std::string scratch = argc > 1 ? argv[1] : "/tmp/zwunzip-bench";
    ::mkdir(scratch.c_str(), 0755);
    setenv("ZWUNZIP_NO_TERMINAL", "1", 1);
    std::mt19937 rng(20260101);
    std::vector<Archive> archives;
    {
        zwtest::ZipBuilder b;
        Archive a{"a-deflated-256MiB", scratch + "/a.zip"};
        for (int i = 0; i < 64; ++i) {
            std::string data = textLike(rng, 4u << 20);
            a.outputBytes += data.size();
            ++a.members;
            b.add("text/part" + std::to_string(i) + ".txt", data, 8);
        }
        b.writeTo(a.path);
        archives.push_back(a);
    }
    {
        zwtest::ZipBuilder b;
        Archive a{"b-20000-small", scratch + "/b.zip"};
        for (int i = 0; i < 20000; ++i) {
            std::string data = textLike(rng, 500 + rng() % 3500);
            a.outputBytes += data.size();
            ++a.members;
            b.add("small/d" + std::to_string(i / 500) + "/f" + std::to_string(i) + ".txt", data, 8);
        }
        b.writeTo(a.path);
        archives.push_back(a);
    }
    {
        zwtest::ZipBuilder b;
        Archive a{"c-stored-64MiB", scratch + "/c.zip"};
        for (int i = 0; i < 16; ++i) {
            std::string data = textLike(rng, 4u << 20);
            a.outputBytes += data.size();
            ++a.members;
            b.add("stored/s" + std::to_string(i) + ".bin", data, 0);
        }
        b.writeTo(a.path);
        archives.push_back(a);
    }
    const unsigned cores = std::max(1u, unsigned(::sysconf(_SC_NPROCESSORS_ONLN)));
    const unsigned allCores = std::min(cores, 8u);
    std::printf("load average before: %s\n", loadAverage().c_str());
    // Worker counts: one, then one per core; RATIO suffix of each.
    const struct {
        unsigned workers;
        const char* suffix;
    } settings[] = {{1, "-1worker"}, {allCores, ""}};
    std::vector<std::string> ratios;
    // ZWUNZIP_BENCH_CASES=ab runs only the cases named by their letters.
    const char* only = std::getenv("ZWUNZIP_BENCH_CASES");
    for (const Archive& a : archives) {
        if (only && *only && !std::strchr(only, a.name[0])) continue;
        double limit = 1e100, test[2] = {1e100, 1e100}, files[2] = {1e100, 1e100};
        int folder = 0;
        for (int round = 0; round < kRounds; ++round) {
            limit = std::min(limit, limitMs(a));
            for (int s = 0; s < 2; ++s) {
                setenv("ZWUNZIP_WORKERS", std::to_string(settings[s].workers).c_str(), 1);
                test[s] = std::min(test[s], zwMs(a, true, ""));
                const std::string dest = scratch + "/out" + std::to_string(folder++);
                files[s] = std::min(files[s], zwMs(a, false, dest));
                // A few large files go at once, so that the disk does not fill
                // with rounds of them; many small ones wait for the case's end.
                if (a.members < 1000) removeTree(dest);
            }
        }
        for (int f = 0; f < folder; ++f) removeTree(scratch + "/out" + std::to_string(f));
        const double mb = double(a.outputBytes) / 1e6;
        std::printf("%-20s output %.1f MB, limit %.1f ms (%.0f MB/s)\n", a.name.c_str(), mb, limit, mb / limit * 1000);
        for (int s = 0; s < 2; ++s) {
            for (bool isTest : {true, false}) {
                const double zw = isTest ? test[s] : files[s];
                const std::string label = a.name + (isTest ? "-test" : "-files") + settings[s].suffix;
                std::printf("%-34s zwunzip %u worker(s) %.1f ms (%.0f MB/s)\n", label.c_str(), settings[s].workers, zw,
                            mb / zw * 1000);
                char line[200];
                std::snprintf(line, sizeof line, "RATIO %s zw_ms=%.0f limit_ms=%.0f ratio=%.2f", label.c_str(), zw,
                              limit, zw / limit);
                ratios.push_back(line);
            }
        }
    }
    std::printf("load average after: %s\n", loadAverage().c_str());
    std::string rm = "rm -rf '" + scratch + "'";
    if (std::system(rm.c_str()) != 0) std::fprintf(stderr, "cannot remove %s\n", scratch.c_str());
    for (const std::string& r : ratios) std::printf("%s\n", r.c_str());
    return 0;
}
