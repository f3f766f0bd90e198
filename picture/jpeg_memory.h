#pragma once

#include <cstddef>

namespace picture {

/// Large blocks libjpeg has taken through memory::mapLarge so far in this process (its coefficient buffers): zero means
/// the program's allocator did not take libjpeg's place, and libjpeg's memory comes from malloc.
std::size_t jpegLargeBlocksMapped();

} // namespace picture
