#include "reports/ReportTexts.h"

namespace lrv::ReportTexts {

namespace {
    const QString kTruePositive = QStringLiteral("True Pos.");
    const QString kTrueNegative = QStringLiteral("True Neg.");
    const QString kFalsePositive = QStringLiteral("False Pos.");
    const QString kFalseNegative = QStringLiteral("False Neg.");
}

QString matchText(double matchFlag) { return matchFlag == 1 ? QStringLiteral("OK") : QStringLiteral("Wrong"); }

QString outcomeText(double matchFlag, double target)
{
    if (matchFlag == 1)
        return target != 0 ? kTruePositive : kTrueNegative;
    return target != 0 ? kFalseNegative : kFalsePositive;
}

QString outcomeCodeText(double code)
{
    if (code == 0)
        return kTruePositive;
    if (code == 1)
        return kTrueNegative;
    if (code == 2)
        return kFalsePositive;
    if (code == 3)
        return kFalseNegative;
    return {};
}

} // namespace lrv::ReportTexts
