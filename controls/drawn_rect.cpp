#include "controls/picture_control.h"

namespace controls {
namespace {

// size * numerator / denominator, truncated; exact in 64 bits where a floating aspect ratio could land just below a
// whole number.
int scaled(int size, int numerator, int denominator)
{
    return static_cast<int>(static_cast<long long>(size) * numerator / denominator);
}

} // namespace

QRect drawnRect(QSize picture, QSize box, bool stretch, bool proportional, bool center)
{
    const int pw = picture.width();
    const int ph = picture.height();
    const int bw = box.width();
    const int bh = box.height();
    int w = pw;
    int h = ph;
    if (stretch || (proportional && (pw > bw || ph > bh))) {
        if (!proportional) {
            w = bw;
            h = bh;
        } else if (pw > 0 && ph > 0) {
            if (pw > ph) {
                w = bw;
                h = scaled(bw, ph, pw);
                if (h > bh) {
                    h = bh;
                    w = scaled(bh, pw, ph);
                }
            } else {
                h = bh;
                w = scaled(bh, pw, ph);
                if (w > bw) {
                    w = bw;
                    h = scaled(bw, ph, pw);
                }
            }
        }
    }
    const int x = center ? (bw - w) / 2 : 0;
    const int y = center ? (bh - h) / 2 : 0;
    return QRect(x, y, w, h);
}

} // namespace controls
