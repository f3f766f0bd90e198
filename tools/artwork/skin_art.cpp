#include "skin_art.h"

namespace artwork {

QByteArray skinDefinition()
{
    return QByteArray("; Skin of the catalogue list: the grid and its vertical scroll bar. Colours are #rrggbb.\n"
                      "[grid]\n"
                      "Background=#e2dac0\n"
                      "Text=#441c1a\n"
                      "Lines=#8b2600\n"
                      "\n"
                      "[vscrollbar]\n"
                      "Track=#7b2a10\n"
                      "Thumb=#d3ceb0\n"
                      "Arrows=#f4e6c2\n"
                      "Border=#4a1200\n");
}

} // namespace artwork
