// libFuzzer target: see decodeUrl in entry_points.h.
#include "entry_points.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarvenne::fuzz::decodeUrl({data, size});
    return 0;
}
