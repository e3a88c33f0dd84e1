// Shows the analysis window of a run file, or of a scored CSV file, as a host embeds it.
#include <VNRK5LGAnViews/workbench/Workbench.h>
#include <cstdio>
#include <exception>

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 2 && arguments.size() != 4) {
        std::fprintf(stderr, "Usage: embed RUN\n       embed CSV TARGET_COLUMN OUTPUT_COLUMN\n");
        return 1;
    }
    try {
        wb::installHost();
        const auto run = arguments.size() == 2
            ? wb::openRun(arguments[1])
            : wb::runFromCsv(arguments[1], arguments[2], { arguments[3] }, QDir::temp().filePath("embed.run"));
        wb::showAnalysis(run);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "embed: %s\n", error.what());
        return 2;
    }
    return 0;
}
