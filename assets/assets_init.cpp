#include "assets/assets_init.h"

#include <QtGlobal>

void initAssets()
{
    // qt_add_resources on a static library registers through an object library that is linked in whole, so the
    // resources are present once this library is linked; the function gives callers one place to depend on.
}
