#pragma once

#include "RecordingCharts.h"
#include "common/FakePlatform.h"
#include "common/ScriptedHost.h"
#include "common/TestConfiguration.h"
#include "window/frmDecile.h"

#include <gtest/gtest.h>
#include <memory>

class QAbstractButton;
class QComboBox;

namespace lrv::test {

/// The analysis window over a scripted host core and a run of three models, with recording doubles for the
/// charts whose state the window's commands change.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// A window after Init with the run; not yet shown.
    std::unique_ptr<frmDecile> open(
        std::int32_t selected = 1129, std::int32_t trainSampling = 0, std::int32_t testSampling = 0);
    /// A window shown and activated: its first calculation has run.
    std::unique_ptr<frmDecile> openShown(std::int32_t selected = 1129);

    template <typename T> static T* find(QWidget& window, const QString& name)
    {
        T* control = window.findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }

    /// Picks the entry with this text (or at this position) from the combo box's open list, as a user does.
    static void pickFromList(QComboBox* combo, const QString& text);
    static void pickFromList(QComboBox* combo, int index);
    /// Clicks an option button on its caption, where a user clicks.
    static void clickOption(QAbstractButton* option);

    /// ROC results of `rows` records: ids 1.., targets alternating, outputs falling from 1.
    static Table<double> rocTable(int rows);

    /// The window whose Init runs, for the load presenter's hooks.
    frmDecile* opening = nullptr;
    FakePlatform* platform = nullptr;
    std::shared_ptr<TestConfiguration> configuration;
    std::shared_ptr<ScriptedHostCore> core;
    std::shared_ptr<FakeRun> run;
};

} // namespace lrv::test
