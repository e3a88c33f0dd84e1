#include "run/Configuration.h"

#include "host/HostConfiguration.h"
#include "support/Error.h"
#include "workbench/Program.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

using namespace wb;

TEST(Configuration, DefaultPointsHelpAtTheBundledPages)
{
    const auto configuration = Configuration::load(QStringLiteral(LRV_SOURCE_DIR "/config/default.json"));
    // The help base becomes a file: address of the bundled pages, ready for a query.
    const auto help = configuration->setting("App.Help");
    ASSERT_TRUE(help);
    const QString address = help->text();
    EXPECT_TRUE(address.startsWith("file:")) << address.toStdString();
    EXPECT_TRUE(address.endsWith(QLatin1Char('?'))) << address.toStdString();
    const QString local = QUrl(address.chopped(1)).toLocalFile();
    EXPECT_EQ(QFileInfo(local).absolutePath(), QStringLiteral(LRV_SOURCE_DIR "/help"));
}

TEST(Configuration, ValuesOfEveryKind)
{
    QTemporaryDir dir;
    test::writeFile(
        dir.filePath("c.json"), R"({"A.R": 12, "Name": "text", "On": true, "App.Help": "https://example.org/help?",
        "Big": 3e10, "Red.R": 300, "Red.G": -5, "Red.B": 0})");
    const auto configuration = Configuration::load(dir.filePath("c.json"));
    EXPECT_EQ(configuration->setting("A.R")->toDouble(), 12);
    EXPECT_EQ(configuration->setting("Name")->text(), "text");
    EXPECT_EQ(configuration->setting("On")->toDouble(), 1);
    EXPECT_EQ(configuration->setting("App.Help")->text(), "https://example.org/help?");
    EXPECT_FALSE(configuration->setting("Missing"));

    // As the views read it: a number beyond 32 bits is no integer, a colour's parts are clamped to 0..255.
    const auto previous = lrv::HostConfiguration::get();
    lrv::HostConfiguration::set(configuration);
    EXPECT_EQ(lrv::HostConfiguration::integer("Big", 7), 7);
    EXPECT_EQ(lrv::HostConfiguration::integer("A.R", 7), 12);
    EXPECT_EQ(lrv::HostConfiguration::color("Red"), lrv::rgb(255, 0, 0));
    lrv::HostConfiguration::set(previous);
}
