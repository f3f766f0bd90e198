#include "controls/reduced_copy_builder.h"

#include <algorithm>

#include "controls/reduced_copies.h"

namespace controls {
namespace {

// Rows halved between two looks at the stop flag: a fraction of a millisecond.
constexpr int RowsPerBand = 64;

} // namespace

ReducedCopyBuilder::ReducedCopyBuilder(const QImage& picture, QSize smallest, std::function<void()> onCopy,
                                       qsizetype budgetBytes)
    : m_onCopy(std::move(onCopy))
{
    const int firstDivisor = picture.sizeInBytes() / 3 <= budgetBytes ? 2 : 4;
    // The picture is shared, not copied: nothing writes into a picture on show.
    m_thread = std::thread([this, picture, smallest, firstDivisor] { run(picture, smallest, firstDivisor); });
}

ReducedCopyBuilder::~ReducedCopyBuilder()
{
    m_cancelled = true;
    m_thread.join();
}

std::vector<QImage> ReducedCopyBuilder::takeReady()
{
    std::lock_guard lock(m_mutex);
    std::vector<QImage> ready;
    ready.swap(m_ready);
    m_pending -= static_cast<int>(ready.size());
    return ready;
}

void ReducedCopyBuilder::run(QImage picture, QSize smallest, int firstDivisor)
{
    QImage source = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32_Premultiplied
                        ? picture
                        : picture.convertToFormat(QImage::Format_RGB32);
    picture = QImage();
    for (int divisor = firstDivisor;; divisor = 2) {
        const QSize size(source.width() / divisor, source.height() / divisor);
        if (m_cancelled || size.width() < std::max(1, smallest.width()) ||
            size.height() < std::max(1, smallest.height()))
            break;
        QImage copy(size, source.format());
        if (copy.isNull())
            break;
        for (int row = 0; row < copy.height() && !m_cancelled; row += RowsPerBand) {
            const int end = std::min(copy.height(), row + RowsPerBand);
            if (divisor == 4)
                quarterRows(source, copy, row, end);
            else
                halveRows(source, copy, row, end);
        }
        if (m_cancelled)
            break;
        {
            std::lock_guard lock(m_mutex);
            m_ready.push_back(copy);
            ++m_pending;
        }
        m_onCopy();
        source = copy;
    }
    m_finished = true;
    m_onCopy();
}

} // namespace controls
