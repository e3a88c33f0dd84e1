// The reliability catalogue: every bad input a user may hand the workbench, with the exact message the user
// reads, driven through the reader that meets it. A refused input writes nothing and changes no file.
#include "presenters/CalculatePresenter.h"
#include "presenters/DatasetCache.h"
#include "run/Configuration.h"
#include "run/Run.h"
#include "workbench/Program.h"
#include "workbench/presenters/RecordingViews.h"

#include <functional>

#include <QDir>
#include <QTemporaryDir>

using namespace wb::test;

namespace {

/// A scenario's run: columns "id", "target" and "score" (model 1) with the class encoding 0/1.
const QByteArray runText = R"({
  "format": 1,
  "kind": 2,
  "targetColumn": "target",
  "idColumn": "id",
  "training": "data.csv",
  "models": [ { "id": 1, "output": "score", "name": "Scored" } ],
  "currentModel": 1,
  "classEncoding": { "training": { "min": 0, "max": 1, "invert": false } },
  "parameters": { "set_lr#Buckets": { "type": 3, "value": 2 } }
}
)";

/// A run file and its training CSV in a fresh folder, calculated the way the analysis window does it.
class Scenario {
public:
    explicit Scenario(const QByteArray& csv)
    {
        writeFile(csvPath(), csv);
        writeFile(runPath(), runText);
    }

    QString runPath() const { return m_dir.filePath("bad.run"); }
    QString csvPath() const { return m_dir.filePath("data.csv"); }
    QString folder() const { return m_dir.path(); }
    bool runUnchanged() const { return readFile(runPath()) == runText; }

    /// Init, Calculate, Terminate with a recording view asking for model 1 of the training dataset.
    RecordingCalculateView calculate()
    {
        wb::DatasetCache::clear();
        RecordingCalculateView view;
        view.buckets = "2";
        std::shared_ptr<lrv::IRun> run = wb::Run::open(runPath());
        const auto presenter = std::make_shared<wb::CalculatePresenter>();
        presenter->Init(view, run);
        EXPECT_NO_THROW(presenter->Calculate());
        presenter->Terminate(true);
        wb::DatasetCache::clear();
        return view;
    }

private:
    QTemporaryDir m_dir;
};

enum class Reader {
    Window, ///< the run's training CSV, calculated through the presenter as the analysis window does
    New, ///< a scored CSV handed to `vantorix-lr new`
    RunFile,
    Configuration,
};

struct Bad {
    Reader reader;
    QByteArray input; ///< the file's bytes; null: there is no such file
    QString message; ///< PATH stands for the file's path
    QStringList extra = {}; ///< further arguments of `vantorix-lr new`
};

const QByteArray kHeader = "id,target,score\n";
const QByteArray kHuge(10 * 1024 * 1024, 'x');
const QString kNotEncoded = "PATH, line %1, column 2 (\"target\"): the target \"%2\" is neither 0 (class 0) nor 1 "
                            "(class 1) of the class encoding.";
const QString kDuplicate = "PATH, line %1, column 1 (\"id\"): the id \"%2\" is also the id of the record on line 2; "
                           "every record needs an id of its own.";
const QString kRunJson = "The run file PATH is not valid JSON%1. Correct the file or make it again with \"vantorix-lr "
                         "new\".";
const QString kRunInvalid = "The run file PATH is not a valid run: %1";
const QString kRunBase = R"("format":1,"targetColumn":"t","training":"a.csv")";

std::vector<Bad> catalogue()
{
    const auto run = [](const QString& json) { return ("{" + kRunBase + "," + json + "}").toUtf8(); };
    return {
        { Reader::Window, "", "PATH: the file is empty; a header row naming the columns is needed." },
        { Reader::Window, kHeader, "PATH has no records: below its header row there is no line of data." },
        { Reader::Window, QByteArray(), "Cannot open the file PATH: No such file or directory." },
        { Reader::Window, "id,score\n1,0.5\n",
            "PATH, line 1: the header has no column \"target\". Check the column names of the run against the file." },
        { Reader::Window, kHeader + "1,1,0.9\n2,2,0.5\n", kNotEncoded.arg(3).arg(2) },
        { Reader::Window, "id,target,score\r1,1,0.9\r\r2,2,0.5\r", kNotEncoded.arg(4).arg(2) }, // CR alone ends lines
        { Reader::Window, kHeader + "1,1,0.9\n2," + kHuge + ",0.1\n", kNotEncoded.arg(3).arg(QString(40, 'x') + "…") },
        { Reader::Window, kHeader + "1,1,0.9\n2,0\n",
            "PATH, line 3: the row has 2 fields but the header has 3; every row needs one field per column." },
        { Reader::Window, kHeader + "7,1,0.9\n8,0,0.5\n7,0,0.2\n", kDuplicate.arg(4).arg(7) },
        { Reader::Window, kHeader + "C1,1,0.9\n C1 ,0,0.5\n", kDuplicate.arg(3).arg("C1") },
        { Reader::Window, kHeader + "1,1,0.9\n,0,0.5\n",
            "PATH, line 3, column 1 (\"id\"): the id is empty; every record needs an id." },
        { Reader::Window, kHeader + "1,1,0.9\n2,1,0.5\n3,1,0.1\n4,0,\n",
            "There is nothing to analyse for model 1 in the training dataset: all 3 records with a valid output are "
            "of class 1, and the analysis needs both classes. Check the class encoding." },
        { Reader::Window, kHeader + "1,1,\n2,0,NaN\n3,1,x\n",
            "There is nothing to analyse for model 1 in the training dataset: every output is empty or not a number. "
            "Check the column \"score\" of PATH." },
        { Reader::Window, kHeader + "\"1\n",
            "PATH, line 2: a quoted field is not closed; add the closing double quote." },
        { Reader::New, kHeader + "1,bad,0.9\n2,good,0.5\n",
            "The target column \"target\" of PATH holds the texts \"bad\", \"good\": name the positive class with "
            "--positive LABEL." },
        { Reader::New, kHeader + "1,yes,0.9\n2,no,0.5\n",
            "--positive \"Yes\" is not a value of the target column \"target\", which holds \"yes\", \"no\".",
            { "--positive", "Yes" } },
        { Reader::New, kHeader + "1,yes,0.9\n2,no,0.5\n3,maybe,0.1\n",
            "The target column \"target\" of PATH holds more than two values (\"yes\", \"no\", \"maybe\"): a run "
            "needs a target of two classes.",
            { "--positive", "yes" } },
        { Reader::New, kHeader + "1,1,0.9\n2,,0.5\n",
            "PATH, line 3, column 2 (\"target\"): the target is empty; every record needs a target." },
        { Reader::RunFile, QByteArray(), "Cannot open the run file PATH: No such file or directory." },
        { Reader::RunFile, "id,target,score\n1,1,0.9\n",
            kRunJson.arg(" at line 1: syntax error while parsing value - invalid literal; last read: 'i'") },
        { Reader::RunFile, "{\n\"format\": 1,\n\"targetColumn\": \"t\"\n\"training\": \"a.csv\"\n}",
            kRunJson.arg(" at line 4: syntax error while parsing object - unexpected string literal; expected '}'") },
        { Reader::RunFile, R"({"targetColumn":"t","training":"a.csv","models":[]})",
            kRunInvalid.arg("the run lacks \"format\".") },
        { Reader::RunFile, R"({"format":2,"targetColumn":"t","training":"a.csv","models":[]})",
            kRunInvalid.arg("format 2 is not supported (only format 1).") },
        { Reader::RunFile, R"({"format":1,"targetColumn":"t","models":[]})",
            kRunInvalid.arg("the run lacks its \"training\" CSV file.") },
        { Reader::RunFile, run(R"("models":[{"id":1}])"), kRunInvalid.arg("model 1 lacks \"output\".") },
        { Reader::RunFile, run(R"("models":[{"id":1.5,"output":"x"}])"),
            kRunInvalid.arg("model 1 \"id\" must be a whole number that fits 32 bits.") },
        { Reader::RunFile, run(R"("models":[{"id":1,"output":"x"},{"id":1,"output":"y"}])"),
            kRunInvalid.arg("model id 1 is used twice.") },
        { Reader::RunFile, run(R"("models":[],"parameters":{"k":{"type":4,"value":1}})"),
            kRunInvalid.arg(
                "parameter \"k\" has type 4; the types are 3 (32-bit number), 5 (number as text) and 8 (text).") },
        { Reader::RunFile, run(R"("models":[],"parameters":{"k":{"type":5,"value":"1,5"}})"),
            kRunInvalid.arg("parameter \"k\" must hold a number as text with \".\", not \"1,5\".") },
        { Reader::RunFile, run(R"("models":[],"parameters":{"k":{"type":8,"value":2}})"),
            kRunInvalid.arg("parameter \"k\" \"value\" must be a text.") },
        { Reader::RunFile, run(R"("models":[],"classEncoding":{"training":{"min":1,"max":1}})"),
            kRunInvalid.arg("class encoding \"training\" names the same value for both classes.") },
        { Reader::RunFile, run(R"("models":[],"targetLabels":["yes"])"),
            kRunInvalid.arg("\"targetLabels\" must be a list of two texts: the classes of target values 0 and 1.") },
        { Reader::Configuration, QByteArray(), "Cannot open the configuration PATH: No such file or directory." },
        { Reader::Configuration, R"({"LogisticRegression.Charts.Background": {"R": 255, "G": 255, "B": 255}})",
            "The configuration PATH: \"LogisticRegression.Charts.Background\" must be a number or a text (a colour "
            "is three keys \"LogisticRegression.Charts.Background.R\", \"LogisticRegression.Charts.Background.G\", "
            "\"LogisticRegression.Charts.Background.B\")." },
        { Reader::Configuration, "[1, 2, 3]", "The configuration PATH must hold one JSON object of keys to values." },
    };
}

std::string errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const lrv::Error& error) {
        return error.what();
    }
    return "(no error)";
}

} // namespace

TEST(Catalogue, EveryBadInputGetsItsMessageAndChangesNothing)
{
    for (const Bad& bad : catalogue()) {
        SCOPED_TRACE(bad.message.toStdString());
        Scenario scenario(bad.reader == Reader::Window ? bad.input : kHeader + "1,1,0.9\n2,0,0.1\n");
        const QString path = bad.reader == Reader::Window ? scenario.csvPath()
            : bad.reader == Reader::New                   ? scenario.folder() + "/scored.csv"
            : bad.reader == Reader::RunFile               ? scenario.runPath()
                                                          : scenario.folder() + "/config.json";
        if (bad.input.isNull())
            QFile::remove(path);
        else if (bad.reader != Reader::Window)
            writeFile(path, bad.input);
        const QString expected = QString(bad.message).replace("PATH", path);
        switch (bad.reader) {
        case Reader::Window: {
            const RecordingCalculateView view = scenario.calculate();
            EXPECT_EQ(view.errors, std::vector<QString> { expected });
            EXPECT_EQ(view.count("SetCalculationMode"), 0);
            EXPECT_EQ(view.count("ShowROC"), 0);
            EXPECT_TRUE(scenario.runUnchanged());
            break;
        }
        case Reader::New: {
            const QString made = scenario.folder() + "/made.run";
            const Outcome outcome = runProgram(QStringList { "new", "--training", path, "--target", "target", "--id",
                                                   "id", "--models", "score", "--out", made }
                + bad.extra);
            EXPECT_EQ(outcome.status, 2);
            EXPECT_EQ(outcome.err, "vantorix-lr new: " + expected + "\n");
            EXPECT_FALSE(QFileInfo::exists(made));
            break;
        }
        case Reader::RunFile: {
            EXPECT_EQ(errorOf([&] { wb::Run::open(path); }), expected.toStdString());
            // The program says the same on its error stream and writes nothing.
            const QString out = scenario.folder() + "/out";
            const Outcome outcome = runProgram({ "export", path, "--out", out });
            EXPECT_EQ(outcome.status, 2);
            EXPECT_EQ(outcome.err, "vantorix-lr export: " + expected + "\n");
            EXPECT_FALSE(QFileInfo::exists(out));
            break;
        }
        case Reader::Configuration:
            EXPECT_EQ(errorOf([&] { wb::Configuration::load(path); }), expected.toStdString());
            break;
        }
        if (!bad.input.isNull()) {
            EXPECT_EQ(readFile(path), bad.input) << "the file is left as it was";
        }
    }
}

TEST(Catalogue, OddButReadableInputsAreCalculated)
{
    const struct {
        const char* what;
        QByteArray csv;
        int rows, errors;
        double auc;
    } cases[] = {
        { "semicolons", "id;target;score\n1;1;0.9\n2;0;0.2\n", 2, 0, 1 },
        { "tabs, quoted names", "\"id\"\t\"target\"\tscore\n1\t1\t0.9\n2\t0\t0.2\n", 2, 0, 1 },
        { "quoted comma decimal and non-finite outputs",
            kHeader + "1,1,\"0,95\"\n2,1,nan\n3,0,inf\n4,0,\n5,1,-inf\n6,1,0.8\n7,0,0.3\n8,0,NaN\n", 2, 6, 1 },
        { "quotes, BOM and CR LF",
            "\xEF\xBB\xBFid,note,target,score\r\n1,\"a, b\",1,0.9\r\n2,\"say \"\"hi\"\", then\r\nleave\",0,0.2\r\n"
            "\r\n3,plain,1,\" 0.7 \"\r\n4,\"\",0,0.4",
            4, 0, 1 },
        { "a ten-megabyte output", kHeader + "1,1,0.9\n2,0," + kHuge + "\n3,0,0.2\n", 2, 1, 1 },
        { "equal outputs rank no better than chance", kHeader + "1,1,0.5\n2,0,0.5\n3,1,0.5\n4,0,0.5\n", 4, 0, 0.5 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Scenario scenario(c.csv);
        const RecordingCalculateView view = scenario.calculate();
        EXPECT_TRUE(view.errors.empty()) << (view.errors.empty() ? "" : view.errors.front().toStdString());
        EXPECT_EQ(view.count("SetIdleMode"), 1);
        EXPECT_EQ(view.totalRows, c.rows);
        EXPECT_EQ(view.calculationErrors, c.errors);
        EXPECT_DOUBLE_EQ(view.auc, c.auc);
        EXPECT_TRUE(scenario.runUnchanged());
    }

    // Text ids rank ties by their text ("C10" before "C9") and reach the views as written.
    Scenario textIds(kHeader + "C9,1,0.5\nC10,0,0.5\nA1,1,0.9\n");
    const RecordingCalculateView view = textIds.calculate();
    EXPECT_EQ(QStringList({ view.roc.text(0, 0).value_or(""), view.roc.text(1, 0).value_or(""),
                  view.roc.text(2, 0).value_or("") }),
        QStringList({ "A1", "C10", "C9" }));
    EXPECT_EQ(view.probabilities.text(0, 0), "C10");
}

// Tests run as root, for whom permissions stop nothing; a run whose folder is gone cannot be written by anyone,
// which is what a read-only run file means to the save.
TEST(Catalogue, ASaveThatCannotWriteSaysSoAndKeepsTheFile)
{
    Scenario scenario(kHeader + "1,1,0.9\n2,0,0.1\n");
    const auto run = wb::Run::open(scenario.runPath());
    run->parameters()->set("set_lr#Buckets", lrv::RunParameterInt32, 7);

    // The folder vanishes while the window is open (moved away by the user).
    const QString moved = scenario.folder() + "-moved";
    ASSERT_TRUE(QDir().rename(scenario.folder(), moved));
    EXPECT_EQ(errorOf([&] { run->save(); }),
        "Cannot write " + scenario.runPath().toStdString()
            + ": cannot create a file beside it: No such file or directory. The old file, if any, is unchanged; check "
              "that the folder exists and has room.");
    ASSERT_TRUE(QDir().rename(moved, scenario.folder()));
    EXPECT_TRUE(scenario.runUnchanged());
    EXPECT_EQ(QDir(scenario.folder()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary left
}
