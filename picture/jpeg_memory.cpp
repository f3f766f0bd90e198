// libjpeg's large blocks from the program's allocator. Nothing calls into this file: the linker is told to keep it
// (picture/CMakeLists.txt), since libjpeg's own definitions would otherwise do and the override would be left out.
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>

#include <jpeglib.h>

#include "memory/large_memory.h"

// libjpeg takes its large blocks (a progressive picture's coefficient buffer: about 3 bytes a pixel) from the
// system-dependent pair jpeg_get_large / jpeg_free_large, which the library lets a program supply; these take the
// place of the library's own malloc and free. libjpeg gives back every block with the size it asked for.
extern "C" {

void* jpeg_get_large(j_common_ptr, std::size_t sizeofobject)
{
    if (sizeofobject < memory::LargeBlockBytes)
        return std::malloc(sizeofobject);
    return memory::mapLarge(sizeofobject);
}

void jpeg_free_large(j_common_ptr, void* object, std::size_t sizeofobject)
{
    if (sizeofobject < memory::LargeBlockBytes)
        std::free(object);
    else
        memory::unmapLarge(object, sizeofobject);
}

} // extern "C"
