#include "fuzz/conversion_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz_conversion(to_shift_jis, data, size);
}
