#pragma once

#include "host/HostObject.h"

#include <QString>

namespace lrv {

/// How a dataset's target represents the two classes.
struct ClassEncoding {
    double min = 0; ///< target value of class 0
    double max = 1; ///< target value of class 1
    bool invert = false; ///< the model represents class 1 by low outputs
};

/// The host's store of runs: removing a stored analysis and the class encoding of a dataset.
/// Failures throw lrv::Error with a message that names the file.
class RunStore : public virtual HostObject {
public:
    virtual void Remove(const QString& runPath) = 0;
    /// Encoding of dataset 1 (training) or 2 (validation).
    virtual ClassEncoding GetClassEncoding(const QString& runPath, int dataSet) = 0;
    virtual void SetClassEncoding(double min, double max, const QString& runPath, int dataSet, bool invert) = 0;
};

} // namespace lrv
