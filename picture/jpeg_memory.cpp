// libjpeg's large blocks from the program's allocator. Nothing calls into this file: the linker is told to keep it
// (picture/CMakeLists.txt), since libjpeg's own definitions would otherwise do and the override would be left out.
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>

#include <jpeglib.h>
#ifdef _WIN32
#include <jerror.h>
#endif

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

#ifdef _WIN32
// The Windows build links libjpeg statically: the archive's member that holds its own pair above holds the rest of
// the system-dependent functions too, and would be linked for them beside this file. They are defined here instead,
// as that member has them: small blocks from malloc, all the memory asked for available, no backing store.
struct backing_store_struct;

void* jpeg_get_small(j_common_ptr, std::size_t sizeofobject)
{
    return std::malloc(sizeofobject);
}

void jpeg_free_small(j_common_ptr, void* object, std::size_t)
{
    std::free(object);
}

std::size_t jpeg_mem_available(j_common_ptr cinfo, std::size_t, std::size_t max_bytes_needed,
                               std::size_t already_allocated)
{
    const auto limit = static_cast<std::size_t>(cinfo->mem->max_memory_to_use);
    if (limit == 0)
        return max_bytes_needed;
    return limit > already_allocated ? limit - already_allocated : 0;
}

void jpeg_open_backing_store(j_common_ptr cinfo, backing_store_struct*, long)
{
    cinfo->err->msg_code = JERR_NO_BACKING_STORE;
    cinfo->err->error_exit(cinfo);
}

long jpeg_mem_init(j_common_ptr)
{
    return 0;
}

void jpeg_mem_term(j_common_ptr) {}
#endif

} // extern "C"
