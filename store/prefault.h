// Asks the system to back a block of memory that is about to be written with
// pages now, in one call, instead of one page fault per page as it is first
// touched: for the few large blocks (the image, the search text) that a load
// fills at once. Only a hint; where the system cannot, nothing happens.
#pragma once

#include <cstddef>

namespace quorbex {

void PrefaultForWriting(void* data, std::size_t bytes);

}  // namespace quorbex
