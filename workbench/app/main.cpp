#include "Command.h"
#include "LibraryVersion.h"

#include <cstdio>
#include <memory>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

void printOverview(std::FILE* stream)
{
    std::fputs("Usage: vantorix-lr COMMAND [ARGUMENTS]\n\nCommands:\n", stream);
    for (const wb::Command* command : wb::Command::all())
        std::fprintf(stream, "  %-9s %s\n", qPrintable(command->name), qPrintable(command->summary));
    std::fputs("\nRun \"vantorix-lr COMMAND --help\" for a command's arguments, \"vantorix-lr --version\" for the "
               "version.\n",
        stream);
}

bool hasDisplay() { return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"); }

}

int main(int argc, char** argv)
{
    if (argc < 2) {
        printOverview(stderr);
        return 1;
    }
    const QString name = QString::fromLocal8Bit(argv[1]);
    if (name == QStringLiteral("--help") || name == QStringLiteral("-h") || name == QStringLiteral("help")) {
        printOverview(stdout);
        return 0;
    }
    if (name == QStringLiteral("--version")) {
        std::printf("vantorix-lr %d.%d.%d\n", LRV_VERSION_MAJOR, LRV_VERSION_MINOR, LRV_VERSION_PATCH);
        return 0;
    }
    const wb::Command* command = wb::Command::find(name);
    if (!command) {
        std::fprintf(stderr, "vantorix-lr: unknown command \"%s\".\n\n", argv[1]);
        printOverview(stderr);
        return 1;
    }
    QStringList arguments;
    for (int i = 2; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        std::fputs(qPrintable(command->usage), stdout);
        return 0;
    }

    // A command that needs no screen draws offscreen whatever the display variables say: a display that
    // cannot be reached must not stop it.
    if (command->needs != wb::Command::Needs::Display)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool noScreen = platform == QByteArrayLiteral("offscreen") || platform == QByteArrayLiteral("minimal");
    if (command->needs == wb::Command::Needs::Display && (noScreen || (platform.isEmpty() && !hasDisplay()))) {
        std::fprintf(stderr,
            "vantorix-lr %s: this command needs a screen: set DISPLAY (or WAYLAND_DISPLAY) and leave "
            "QT_QPA_PLATFORM unset or naming a platform with a screen.\n",
            argv[1]);
        return 2;
    }
#ifdef Q_OS_UNIX
    // Qt wants a private runtime folder; without one it warns on every start.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime
            = QDir::tempPath().toLocal8Bit() + "/vantorix-lr-runtime-" + QByteArray::number(getuid());
        if (QDir().mkpath(QString::fromLocal8Bit(runtime))
            && QFile::setPermissions(
                QString::fromLocal8Bit(runtime), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", runtime);
    }
#endif
    std::unique_ptr<QCoreApplication> application;
    if (command->needs == wb::Command::Needs::Core)
        application = std::make_unique<QCoreApplication>(argc, argv);
    else
        application = std::make_unique<QApplication>(argc, argv);

    try {
        return command->run(arguments);
    } catch (const wb::UsageError& error) {
        std::fprintf(stderr, "vantorix-lr %s: %s\n\n%s", argv[1], error.what(), qPrintable(command->usage));
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vantorix-lr %s: %s\n", argv[1], error.what());
        return 2;
    }
}
