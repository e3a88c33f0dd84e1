#include "presenters/DecileLoadPresenter.h"

#include "RecordingViews.h"
#include "run/Run.h"

#include <gtest/gtest.h>

using namespace wb;
using wb::test::RecordingLoadView;

namespace {

RecordingLoadView load(std::shared_ptr<lrv::IRun> run)
{
    RecordingLoadView view;
    const auto presenter = std::make_shared<DecileLoadPresenter>();
    presenter->SetView(view);
    EXPECT_TRUE(std::dynamic_pointer_cast<lrv::ILoadListener>(view.listener));
    std::dynamic_pointer_cast<lrv::ILoadListener>(view.listener)->Load(run);
    return view;
}

RunDocument documentOfKind(std::int32_t kind)
{
    RunDocument document;
    document.kind = kind;
    document.targetColumn = "target";
    document.dataSets[0] = DataSetRecord { "train.csv", {}, 0 };
    document.models.push_back({ 2, "a", {}, 0.5, 87.5, -1, -1 });
    document.models.push_back({ 5, "b", {}, -1, -1, -1, -1 });
    document.models.push_back({ 6, "c", {}, 1e-7, 100, -1, -1 });
    document.currentModel = 5;
    // Validation is stored as the dataset, but this run has none.
    document.parameters["set_lr#DataSet"] = { lrv::RunParameterInt32, lrv::Variant(2) };
    return document;
}

}

TEST(DecileLoadPresenter, DefaultsAndClassificationKinds)
{
    // A run without the window's choices (its analysis removed) gets them back, so the window can keep them.
    const auto run = std::make_shared<wb::Run>("/runs/x.run", documentOfKind(2));
    const RecordingLoadView regression = load(run);
    EXPECT_EQ(regression.calls,
        (std::vector<std::string> { "SetListener", "SetModels", "SelectDataSet", "SetBuckets", "SetDecileTable" }));
    const auto parameters = run->parameterList();
    EXPECT_EQ(parameters->integer("set_lr#SelectedChart", 0), 1129);
    EXPECT_EQ(parameters->integer("set_lr#Buckets", 0), 10);
    EXPECT_EQ(parameters->integer("set_lr#DataSet", 0), 2) << "a stored choice stays";
    EXPECT_EQ(regression.texts, (QStringList { "Model 2 - RS: 0.5", "Model 5 - RS: --", "Model 6 - RS: 0" }));
    EXPECT_EQ(regression.selectedId, 5);
    EXPECT_EQ(regression.dataSet, 1); // no validation dataset to select
    EXPECT_EQ(regression.buckets, 10);

    for (std::int32_t kind : { 1, 4 }) {
        const RecordingLoadView classification = load(std::make_shared<wb::Run>("/runs/x.run", documentOfKind(kind)));
        EXPECT_EQ(classification.texts,
            (QStringList { "Model 2 - Accuracy: 87.5%", "Model 5 - Accuracy: --", "Model 6 - Accuracy: 100%" }));
    }
}
