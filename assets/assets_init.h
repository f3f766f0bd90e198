#pragma once

/// Makes the artwork, cursors and skin resources available (they live in a static library).
void initAssets();
