// Decoding one member to where the call wants it: into a file below the
// destination, into the caller's memory block, or nowhere (testing). Checks
// the encryption header, decrypts, decompresses, counts and checksums the
// bytes, reports progress, and settles the member's result code.
#pragma once

#include <cstdint>
#include <memory>
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
    int32_t run(size_t index, Destination where, OutputFile* out, MemoryBlock* block, const std::string& statusText);

    // Checks the password of an encrypted member without decoding it. Returns
    // 0, 41 (no password given) or 44 (wrong password).
    int32_t checkPassword(size_t index);

    // Names the members the call will decode next, in order (testing or
    // extraction to files), so that they can be inflated ahead on the
    // pool's workers while earlier ones are checked and written. Only a
    // hint: a member not asked for is dropped, one asked for that was not
    // inflated ahead is decoded as usual.
    void planAhead(const std::vector<size_t>& members);
    // Stops inflating ahead; waits for the members being inflated.
    void stopAhead();

private:
    int32_t memberBytes(size_t index, const uint8_t*& data, uint64_t& size);
    // True when member `index` is worth inflating ahead: deflated, not
    // encrypted, inflated at once, in an archive of one file (no disk can
    // need asking for).
    bool aheadWorthy(size_t index) const;
    // The next member of the plan worth inflating ahead whose compressed
    // bytes can be found, for the pool.
    bool nextAhead(InflateAhead::Candidate& out);

    CallContext& m_ctx;
    Progress& m_progress;
    MemberDecoder m_decoder;
    std::unique_ptr<InflateAhead> m_ahead;
    std::vector<size_t> m_plan;
    size_t m_planned = 0;  // members of m_plan already given to the pool
    std::vector<uint8_t> m_scratch;
    std::vector<uint8_t> m_plain;
};

}  // namespace zw::detail
