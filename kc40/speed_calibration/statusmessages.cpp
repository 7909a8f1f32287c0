#include "statusmessages.h"

const QStringList StatusMessages::statusList{QStringLiteral("No calibration in place"),
                                             QStringLiteral("Very poor!"),
                                             QStringLiteral("Poor!"),
                                             QStringLiteral("Can be improved."),
                                             QStringLiteral("Good."),
                                             QStringLiteral("Excelent!")};

const QStringList StatusMessages::statusReasonList{
    QStringLiteral("No calibration data available."),
    QStringLiteral("Some of calibration points are still not set."),
    QStringLiteral("Too many manually calibrated points."),
    QStringLiteral("Some calibration points are still manually calibrated."),
    QStringLiteral("All points are either Sea Test obtained or autometically calculated."),
    QStringLiteral("All points have automatically calculated values.")};

const QStringList StatusMessages::suggestinList{
    QStringLiteral("Performing manual calibration for all speed zones and Sea Test calibration for "
                   "at least speed zones 2 and 4 highly recommended."),
    QStringLiteral("Performing Sea Teat calibration for remaining manuali calibrated points "
                   "recommended."),
    QStringLiteral("No action needed. All calibration points will be replaced by automatically "
                   "calculated values when sufficient number of samles is aquired."),
    QString(), QString()};

QString StatusMessages::at(const QStringList& list, int index) {
    return (index >= 0 && index < list.size()) ? list[index] : QStringLiteral("NA");
}
