#include "run/Run.h"

#include "run/RunFile.h"
#include "run/RunStore.h"
#include "support/Error.h"
#include "workbench/Program.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace wb;

namespace {

const QString dataDir = QStringLiteral(LRV_TEST_DATA "/workbench");

}

TEST(Run, OpensModelsDataSetsAndParameters)
{
    const auto run = Run::open(dataDir + "/small.run");
    const auto models = run->models();
    EXPECT_EQ(models->current()->id(), 7);
    EXPECT_EQ(run->modelList()->model(1)->name(), "errors"); // no name: the output column

    models->setCurrentPosition(1);
    EXPECT_EQ(models->current()->id(), 1);
    EXPECT_THROW(models->setCurrentIndex(2), lrv::Error);
    EXPECT_THROW(models->setCurrentPosition(0), lrv::Error);
    EXPECT_EQ(models->current()->id(), 1);

    // CSV paths are relative to the run file; counts are records after the header.
    ASSERT_TRUE(run->dataSet(1) && run->dataSet(2));
    EXPECT_EQ(run->dataSetAt(1)->csvPath(), QDir::cleanPath(dataDir + "/train.csv"));
    EXPECT_EQ(run->dataSet(1)->count(), 12);
    EXPECT_FALSE(run->dataSet(3));

    const auto only = Run::open(dataDir + "/training-only.run");
    EXPECT_FALSE(only->dataSet(2));
    EXPECT_EQ(only->models()->current()->id(), 1); // no currentModel: the first
}

TEST(Run, ParameterSetChangesExistingKeysOnly)
{
    QTemporaryDir dir;
    const auto run = Run::open(test::copyFixtureRun(dir.path(), "small.run"));
    const auto parameters = run->parameters();

    parameters->set("set_lr#NoSuchKey", lrv::RunParameterInt32, lrv::Variant(5));
    EXPECT_FALSE(parameters->FindOrdinal("set_lr#NoSuchKey"));
    EXPECT_THROW(parameters->item("set_lr#NoSuchKey"), lrv::Error);

    parameters->set("set_lr#Buckets", lrv::RunParameterInt32, lrv::Variant(25.4));
    EXPECT_EQ(parameters->item("set_lr#Buckets").value.toDouble(), 25);
    EXPECT_THROW(parameters->set("set_lr#Buckets", 3, lrv::Variant("abc")), lrv::Error);
    EXPECT_THROW(parameters->set("set_lr#Buckets", 3, lrv::Variant(3e10)), lrv::Error);
    EXPECT_THROW(parameters->set("set_lr#Buckets", 4, lrv::Variant(3)), lrv::Error);
    EXPECT_EQ(run->parameterList()->integer("set_lr#Buckets", 10), 25);
    EXPECT_EQ(run->parameterList()->integer("set_lr#Missing", 10), 10);

    run->modelList()->setCurrentIndex(0);
    run->save();
    const auto again = Run::open(run->filePath());
    EXPECT_EQ(again->parameters()->item("set_lr#Buckets").value.toDouble(), 25);
    EXPECT_FALSE(again->parameters()->FindOrdinal("set_lr#NoSuchKey"));
    EXPECT_EQ(again->models()->current()->id(), 1);
    EXPECT_EQ(again->parameters()->item("data#Threshold").value.text(), "0.25");
    // A number beyond 32 bits is no integer: the caller's fallback.
    again->parameters()->set("data#Threshold", lrv::RunParameterNumberText, lrv::Variant(3e10));
    EXPECT_EQ(again->parameterList()->integer("data#Threshold", 10), 10);
}

TEST(DataSet, CountsRecordsNotLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("q.csv");
    // A quoted line break stays in its record; blank lines and a missing final newline count nothing extra.
    test::writeFile(path, "id,name,target\r\n1,\"two\nlines\",1\r\n\r\n2,b,0\n   \n3,c,1");
    EXPECT_EQ(DataSet::countRecords(path), 3);
    EXPECT_THROW(DataSet::countRecords(dir.filePath("none.csv")), lrv::Error);
    EXPECT_EQ(DataSet(dir.filePath("none.csv"), {}, 0).count(), 0);
}

TEST(RunStore, RemoveDropsTheStoredAnalysisOnly)
{
    QTemporaryDir dir;
    const QString path = test::copyFixtureRun(dir.path(), "small.run");
    RunStore().Remove(path);
    const RunDocument document = RunFile::load(path);
    for (const auto& [key, parameter] : document.parameters)
        EXPECT_FALSE(key.startsWith("set_lr#")) << key.toStdString();
    EXPECT_EQ(document.parameters.count("data#train_Samples"), 1u);
    EXPECT_EQ(document.parameters.count("data#Threshold"), 1u);
    EXPECT_EQ(document.models.size(), 2u);
}

TEST(RunStore, ClassEncodingIsReadAndWrittenPerDataSet)
{
    QTemporaryDir dir;
    const QString path = test::copyFixtureRun(dir.path(), "small.run");
    RunStore store;
    store.SetClassEncoding(2, 5, path, 2, true);
    const lrv::ClassEncoding validation = store.GetClassEncoding(path, 2);
    EXPECT_EQ(validation.min, 2);
    EXPECT_EQ(validation.max, 5);
    EXPECT_TRUE(validation.invert);
    const lrv::ClassEncoding training = store.GetClassEncoding(path, 1);
    EXPECT_EQ(training.min, 0);
    EXPECT_FALSE(training.invert);

    const QByteArray before = test::readFile(path);
    EXPECT_THROW(store.SetClassEncoding(3, 3, path, 1, false), lrv::Error);
    EXPECT_THROW(store.GetClassEncoding(path, 3), lrv::Error);
    EXPECT_EQ(test::readFile(path), before);
    EXPECT_THROW(store.Remove(dir.filePath("missing.run")), lrv::Error);
}
