#include "platform/error_report.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace platform {
namespace {

MessageSink& sink()
{
    static MessageSink current;
    return current;
}

void showInBox(const QString& text)
{
    QWidget* owner = QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, owner);
    box.exec();
}

} // namespace

void setMessageSink(MessageSink newSink)
{
    sink() = std::move(newSink);
}

void showMessage(const QString& text)
{
    if (sink()) {
        sink()(text);
        return;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        showInBox(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

void runGuarded(const std::function<void()>& body)
{
    try {
        body();
    } catch (const AppError& error) {
        showMessage(error.text());
    } catch (const std::bad_alloc&) {
        showMessage(QStringLiteral("Недостаточно памяти для этого действия."));
    } catch (const std::exception& error) {
        showMessage(QString::fromUtf8(error.what()));
    }
}

} // namespace platform
