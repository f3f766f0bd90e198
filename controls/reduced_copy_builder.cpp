#include "controls/reduced_copy_builder.h"

#include "controls/reduced_copies.h"

namespace controls {
namespace {

// Rows halved between two looks at the stop flag: a fraction of a millisecond.
constexpr int RowsPerBand = 64;

} // namespace

ReducedCopyBuilder::ReducedCopyBuilder(const QImage& picture, QSize smallest, std::function<void()> onCopy)
    : m_onCopy(std::move(onCopy))
{
    // The picture is shared, not copied: nothing writes into a picture on show.
    m_thread = std::thread([this, picture, smallest] { run(picture, smallest); });
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

void ReducedCopyBuilder::run(QImage picture, QSize smallest)
{
    QImage source = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32_Premultiplied
                        ? picture
                        : picture.convertToFormat(QImage::Format_RGB32);
    picture = QImage();
    while (!m_cancelled && source.width() / 2 >= smallest.width() && source.height() / 2 >= smallest.height() &&
           source.width() >= 2 && source.height() >= 2) {
        QImage copy(source.width() / 2, source.height() / 2, source.format());
        if (copy.isNull())
            break;
        for (int row = 0; row < copy.height() && !m_cancelled; row += RowsPerBand)
            halveRows(source, copy, row, std::min(copy.height(), row + RowsPerBand));
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
