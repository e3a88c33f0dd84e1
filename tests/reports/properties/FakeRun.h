#pragma once

#include "host/IRun.h"
#include "support/Error.h"

#include <memory>
#include <vector>

namespace lrv::test {

/// A model with the fitness figures a test gives it.
struct FakeModel : IModel {
    std::int32_t modelId = 1;
    double trainR2 = 0.5;
    double trainAccuracy = 80;
    double validR2 = 0.4;
    double validAccuracy = 75;

    std::int32_t id() const override { return modelId; }
    double trainingRSquare() const override { return trainR2; }
    double trainingAccuracy() const override { return trainAccuracy; }
    double validationRSquare() const override { return validR2; }
    double validationAccuracy() const override { return validAccuracy; }
};

/// Models 1..n with ids 101, 102, …; positions out of range throw as the host's collection does.
struct FakeModels : IModels {
    std::vector<std::shared_ptr<FakeModel>> list;
    int currentIndex = 0;
    int positionCalls = 0;
    bool failPositions = false;

    explicit FakeModels(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto model = std::make_shared<FakeModel>();
            model->modelId = 101 + i;
            list.push_back(model);
        }
    }
    int count() const override { return int(list.size()); }
    int currentPosition() const override { return currentIndex + 1; }
    void setCurrentPosition(int position) override
    {
        ++positionCalls;
        if (failPositions)
            throw Error(QStringLiteral("The run file is locked."));
        setCurrentIndex(position - 1);
    }
    void setCurrentIndex(int index) override
    {
        if (index < 0 || index >= count())
            throw Error(QStringLiteral("No model at index %1.").arg(index));
        currentIndex = index;
    }
    std::shared_ptr<IModel> current() const override { return list.empty() ? nullptr : list[currentIndex]; }
    std::shared_ptr<IModel> item(int index) const override { return list.at(std::size_t(index)); }
};

struct FakeDataSet : IDataSet {
    std::int32_t count() const override { return 100; }
};

/// A run with a training dataset and, when asked, a validation dataset.
struct FakeRun : IRun {
    std::shared_ptr<FakeModels> modelList;
    std::int32_t kind = 2;
    bool hasValidation = false;

    explicit FakeRun(int modelCount = 1, bool validation = false)
        : modelList(std::make_shared<FakeModels>(modelCount))
        , hasValidation(validation)
    {
    }
    FakeModel& model(int index = 0) { return *modelList->list.at(std::size_t(index)); }

    std::shared_ptr<IModels> models() const override { return modelList; }
    std::int32_t kindCode() const override { return kind; }
    std::shared_ptr<IRunParameters> parameters() const override { return nullptr; }
    QString filePath() const override { return QStringLiteral("/tmp/credit.run"); }
    std::shared_ptr<IDataSet> dataSet(int index) const override
    {
        if (index == 1 || (index == 2 && hasValidation))
            return std::make_shared<FakeDataSet>();
        return nullptr;
    }
};

} // namespace lrv::test
