#include "reports/ReportTexts.h"

#include "host/ResultLayout.h"
#include "support/NumberText.h"

#include <cmath>

namespace lrv::ReportTexts {

namespace {
    const QString kTruePositive = QStringLiteral("True Pos.");
    const QString kTrueNegative = QStringLiteral("True Neg.");
    const QString kFalsePositive = QStringLiteral("False Pos.");
    const QString kFalseNegative = QStringLiteral("False Neg.");
    const QString kCalculationError = QStringLiteral("Calculation Error");
}

QString matchText(double matchFlag, bool calculationError)
{
    if (calculationError)
        return {};
    return matchFlag == 1 ? QStringLiteral("OK") : QStringLiteral("Wrong");
}

QString outcomeText(double matchFlag, double target, bool calculationError)
{
    if (calculationError)
        return kCalculationError;
    if (matchFlag == 1)
        return target != 0 ? kTruePositive : kTrueNegative;
    return target != 0 ? kFalseNegative : kFalsePositive;
}

QString outcomeCodeText(double code, bool calculationError)
{
    if (calculationError)
        return kCalculationError;
    if (code == index(Outcome::TruePositive))
        return kTruePositive;
    if (code == index(Outcome::TrueNegative))
        return kTrueNegative;
    if (code == index(Outcome::FalsePositive))
        return kFalsePositive;
    if (code == index(Outcome::FalseNegative))
        return kFalseNegative;
    return {};
}

QString calculationErrorText() { return kCalculationError; }

QString expSlopeText(double slope)
{
    const double power = std::exp(slope);
    if (slope == kUndefinedFit || !std::isfinite(slope) || !std::isfinite(power))
        return QStringLiteral("UNDEFINED");
    return defaultNumberText(power);
}

} // namespace lrv::ReportTexts
