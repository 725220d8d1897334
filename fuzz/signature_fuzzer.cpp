// libFuzzer target: see checkSignature in entry_points.h.
#include "entry_points.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarvenne::fuzz::checkSignature({data, size});
    return 0;
}
