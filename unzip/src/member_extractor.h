// Decoding one member to where the call wants it: into a file below the
// destination, into the caller's memory block, or nowhere (testing). Checks
// the encryption header, decrypts, decompresses, counts and checksums the
// bytes, reports progress, and settles the member's result code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "inflate_ahead.h"
#include "member_decoder.h"

namespace zw::detail {

struct CallContext;
class Progress;
class OutputFile;

enum class Destination { File, Memory, Test };

struct MemoryBlock {
    uint8_t* data = nullptr;
    uint64_t size = 0;
    uint64_t start = 0;   // member offset of the first byte copied
    uint64_t copied = 0;  // bytes copied so far
};

class MemberExtractor {
public:
    MemberExtractor(CallContext& ctx, Progress& progress);

    // Decodes member `index`. `out` is the open output file (Destination::File)
    // or null; `block` the memory block (Destination::Memory) or null.
    // Returns 0 or the member's result code (2, 3, 5, 29, 39, 40, 41, 42,
    // 44, 48, 49, 50); an error line is not reported here.
    int32_t run(size_t index, Destination where, OutputFile* out, MemoryBlock* block,
                const std::string& statusText);

    // Checks the password of an encrypted member without decoding it. Returns
    // 0, 41 (no password given) or 44 (wrong password).
    int32_t checkPassword(size_t index);

    // Names the member the next file extraction will most likely ask for
    // (kNoMember for none), so that it can be inflated while this one is
    // written. Only a hint: a member asked for in its place is decoded as
    // usual and the one inflated ahead is dropped.
    void expectNext(size_t index) { m_expected = index; }
    static constexpr size_t kNoMember = ~size_t(0);

private:
    int32_t memberBytes(size_t index, const uint8_t*& data, uint64_t& size);
    // True when member `index` is worth inflating on the worker: deflated,
    // not encrypted, inflated at once, large enough to outweigh handing it
    // over, in an archive of one file (no disk can need asking for).
    bool aheadWorthy(size_t index) const;
    // Starts the expected member on the worker when it is worthy and its
    // compressed bytes can be found.
    void startExpected(size_t current);

    CallContext& m_ctx;
    Progress& m_progress;
    MemberDecoder m_decoder;
    InflateAhead m_ahead;
    size_t m_expected = kNoMember;
    std::vector<uint8_t> m_scratch;
    std::vector<uint8_t> m_plain;
};

}  // namespace zw::detail
