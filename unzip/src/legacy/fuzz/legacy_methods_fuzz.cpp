// libFuzzer entry for the shrink, reduce and implode decoders. The first byte picks the
// method (and for implode the general-purpose flags), the next two give the output size;
// the rest is the member's compressed data. The decoders must return without touching
// memory outside the two buffers, whatever the data says.
#include "legacy_methods.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const unsigned selector = data[0];
    const size_t outSize = static_cast<size_t>(data[1] | data[2] << 8) * 4;
    const std::vector<uint8_t> in(data + 3, data + size);  // exact size, so overreads show
    std::vector<uint8_t> out(outSize);
    switch (selector % 6) {
    case 0: zw::legacy::unshrink(in.data(), in.size(), out.data(), out.size()); break;
    case 5:
        zw::legacy::explode(in.data(), in.size(), out.data(), out.size(), static_cast<uint16_t>(selector & 6));
        break;
    default: zw::legacy::unreduce(in.data(), in.size(), out.data(), out.size(), static_cast<int>(selector % 6)); break;
    }
    return 0;
}
