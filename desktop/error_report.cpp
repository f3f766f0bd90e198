#include "desktop/error_report.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <cstdio>

#include "desktop/failure_text.h"

namespace desktop {
namespace {

MessageSink& sink()
{
    static MessageSink current;
    return current;
}

int& guardDepth()
{
    static int depth = 0;
    return depth;
}

QStringList& waitingMessages()
{
    static QStringList texts;
    return texts;
}

void showInBox(const QString& text)
{
    QWidget* owner = QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, owner);
    box.exec();
}

void deliver(const QString& text)
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

void runBody(const std::function<void()>& body)
{
    try {
        body();
    } catch (const std::bad_alloc&) {
        reportFailure(Action::Other, failure::Failure{failure::What::NoMemory, {}, {}, {}});
    }
}

class GuardDepth
{
public:
    GuardDepth() { ++guardDepth(); }
    ~GuardDepth() { --guardDepth(); }
    GuardDepth(const GuardDepth&) = delete;
    GuardDepth& operator=(const GuardDepth&) = delete;
};

} // namespace

void setMessageSink(MessageSink newSink)
{
    sink() = std::move(newSink);
}

void showMessage(const QString& text)
{
    if (guardDepth() == 0) {
        deliver(text);
        return;
    }
    waitingMessages().append(text);
}

void runGuarded(const std::function<void()>& body)
{
    {
        GuardDepth inside;
        runBody(body);
    }
    if (guardDepth() > 0)
        return;
    // A message box runs its own event loop, whose handlers may leave messages of their own: take these first.
    QStringList texts;
    texts.swap(waitingMessages());
    for (const QString& text : texts)
        deliver(text);
}

} // namespace desktop
