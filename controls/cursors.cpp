#include "controls/cursors.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <map>

namespace controls {
namespace {

std::map<int, QCursor>& registry()
{
    static std::map<int, QCursor> cursors;
    return cursors;
}

} // namespace

void registerScreenCursor(int number, const QCursor& cursor)
{
    registry()[number] = cursor;
}

QCursor screenCursor(int number)
{
    const auto found = registry().find(number);
    return found != registry().end() ? found->second : QCursor(Qt::ArrowCursor);
}

void setScreenCursor(const QCursor& cursor)
{
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(cursor);
    else
        QGuiApplication::setOverrideCursor(cursor);
}

void setScreenCursor(Qt::CursorShape shape)
{
    setScreenCursor(QCursor(shape));
}

void setScreenCursorDefault()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

QCursor loadCursorResource(const char* name)
{
    const QString given = QString::fromUtf8(name);
    const QString path = given.startsWith(QLatin1Char(':')) ? given : QStringLiteral(":/cursors/%1.png").arg(given);
    QPixmap pixmap;
    // On a scaled screen the cursor drawn at twice the size (RUKARAZJATA@2x.png): with a device pixel ratio of 2 it
    // covers the same 32 x 32 window pixels, and the hot spot stays in window pixels.
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
        const QFileInfo file(path);
        pixmap =
            QPixmap(file.path() + QLatin1Char('/') + file.completeBaseName() + QStringLiteral("@2x.") + file.suffix());
        pixmap.setDevicePixelRatio(2);
    }
    if (pixmap.isNull())
        pixmap = QPixmap(path);
    if (!pixmap.isNull())
        return QCursor(pixmap, 0, 0);
    const QString base = QFileInfo(path).completeBaseName();
    if (base == QLatin1String("RUKARAZJATA"))
        return QCursor(Qt::OpenHandCursor);
    if (base == QLatin1String("RUKASJATA"))
        return QCursor(Qt::ClosedHandCursor);
    return QCursor(Qt::ArrowCursor);
}

} // namespace controls
