#include "WindowFixture.h"

#include "host/HostConfiguration.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

namespace lrv::test {

void WindowFixture::SetUp()
{
    platform = &FakePlatform::installFresh();
    configuration = TestConfiguration::install();
    configuration->set(QStringLiteral("App.Help"), QStringLiteral("file:///opt/vantorix/help/index.html?"));
    registerRecordingCharts();
    core = ScriptedHostCore::install();
    run = std::make_shared<FakeRun>(QStringLiteral("/runs/credit.run"), 3);
    run->values = { { "set_lr#SelectedChart", 1129 }, { "set_lr#DataSet", 1 }, { "set_lr#Buckets", 10 },
        { "data#train_Samples", 200 }, { "data#test_Samples", 100 } };
    core->run = run;
}

void WindowFixture::TearDown() { HostConfiguration::set(nullptr); }

std::unique_ptr<frmDecile> WindowFixture::open(
    std::int32_t selected, std::int32_t trainSampling, std::int32_t testSampling)
{
    auto window = std::make_unique<frmDecile>();
    std::shared_ptr<IRun> handle = run;
    opening = window.get();
    window->Init(handle, selected, trainSampling, testSampling);
    return window;
}

std::unique_ptr<frmDecile> WindowFixture::openShown(std::int32_t selected)
{
    auto window = open(selected);
    const int before = core->calculations;
    window->show();
    // The activation runs from the event loop right after the window shows.
    for (int i = 0; i < 10 && core->calculations == before; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(core->calculations, before + 1) << "the activation calculates once";
    return window;
}

void WindowFixture::pickFromList(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    pickFromList(combo, index);
}

void WindowFixture::pickFromList(QComboBox* combo, int index)
{
    ASSERT_TRUE(index >= 0 && index < combo->count());
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(combo->model()->index(index, combo->modelColumn()));
    // Enter in the open list takes the highlighted entry, as a click would.
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_FALSE(list->isVisible()) << "the list closes after a pick";
}

void WindowFixture::clickOption(QAbstractButton* option)
{
    ASSERT_NE(option, nullptr);
    QStyleOptionButton style;
    style.initFrom(option);
    style.text = option->text();
    const QRect caption = option->style()->subElementRect(QStyle::SE_RadioButtonClickRect, &style, option);
    QTest::mouseClick(option, Qt::LeftButton, {}, caption.center());
}

Table<double> WindowFixture::rocTable(int rows)
{
    TableBuilder<double> builder(0, rows - 1, 0, 15);
    for (int r = 0; r < rows; ++r) {
        builder.set(r, 0, r + 1);
        builder.set(r, 1, r % 2);
        builder.set(r, 2, 1.0 - double(r) / rows);
    }
    return builder.build();
}

} // namespace lrv::test
