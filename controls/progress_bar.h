#pragma once

#include <QProgressBar>

namespace controls {

/// A progress bar drawn inside an inner border of its own colour, borderWidth pixels on each side.
class ProgressBar : public QProgressBar
{
public:
    explicit ProgressBar(QWidget* parent = nullptr);

    void setBorderWidth(int width);
    int borderWidth() const { return m_borderWidth; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_borderWidth = 0;
};

} // namespace controls
