#pragma once

#include <QApplication>
#include <QString>

/// The application object: the general error handler of last resort and the start-up options.
class MapApplication : public QApplication
{
    Q_OBJECT
public:
    MapApplication(int& argc, char** argv);

    /// Catches what a handler let escape into Qt's event delivery; shown like every other error.
    bool notify(QObject* receiver, QEvent* event) override;
};

/// What the command line asks for.
struct StartOptions
{
    bool help = false;
    bool version = false;     ///< --version: print the version and end
    bool folderGiven = false; ///< the folder came from the command line
    QString collectionFolder; ///< absolute; the working directory when none was given
    QString error;            ///< a usage error to print
};
StartOptions parseStartOptions(const QStringList& arguments, const QString& workingDirectory);

/// The text printed for --help.
QString usageText();
