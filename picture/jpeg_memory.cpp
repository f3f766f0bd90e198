#include "picture/jpeg_memory.h"

#include <atomic>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>

#include <jpeglib.h>

#include "memory/large_memory.h"

namespace picture {

namespace {
std::atomic<std::size_t> jpegBlocks{0};
} // namespace

std::size_t jpegLargeBlocksMapped()
{
    return jpegBlocks.load();
}

} // namespace picture

// libjpeg takes its large blocks (a progressive picture's coefficient buffer: about 3 bytes a pixel) from the
// system-dependent pair jpeg_get_large / jpeg_free_large, which the library lets a program supply; these take the
// place of the library's own malloc and free. libjpeg gives back every block with the size it asked for.
extern "C" {

void* jpeg_get_large(j_common_ptr, std::size_t sizeofobject)
{
    if (sizeofobject < memory::LargeBlockBytes)
        return std::malloc(sizeofobject);
    void* block = memory::mapLarge(sizeofobject);
    if (block)
        picture::jpegBlocks.fetch_add(1);
    return block;
}

void jpeg_free_large(j_common_ptr, void* object, std::size_t sizeofobject)
{
    if (sizeofobject < memory::LargeBlockBytes)
        std::free(object);
    else
        memory::unmapLarge(object, sizeofobject);
}

} // extern "C"
