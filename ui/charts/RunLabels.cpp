#include "RunLabels.h"

#include <QHash>

#include <array>
#include <functional>

namespace ppspin {

namespace {

struct TNamedInput {
    std::function<std::array<double, 3>(const TRunInput&)> Values;
    int Count; // how many of Values are used
    const char* Prefix;
    const char* Unit;
};

const TNamedInput NamedInputs[] = {
    {[](const TRunInput& in) { return std::array<double, 3>{in.VL}; }, 1, "VL ", " m/min"},
    {[](const TRunInput& in) { return std::array<double, 3>{in.Dz}; }, 1, "\u0394z ", " cm"},
    {[](const TRunInput& in) {
         return std::array<double, 3>{in.Va1, in.Va2, in.Va3};
     },
     3, "Va ", " cm/s"},
    {[](const TRunInput& in) { return std::array<double, 3>{in.D0}; }, 1, "D0 ", " cm"},
    {[](const TRunInput& in) {
         return std::array<double, 3>{in.Z1, in.Z2, in.Z3};
     },
     3, "Z ", " cm"},
};

QString Describe(const TNamedInput& input, const TRunInput& run, const QLocale& locale) {
    const std::array<double, 3> values = input.Values(run);
    QString text = input.Prefix;
    for (int i = 0; i < input.Count; ++i) {
        if (i > 0)
            text += '/';
        text += locale.toString(values[i], 'g', QLocale::FloatingPointShortest);
    }
    return text + input.Unit;
}

} // namespace

QStringList RunLabels(const std::vector<TRunInput>& runs, const QLocale& userLocale) {
    QLocale locale = userLocale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);

    QStringList labels;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        QStringList parts;
        for (const TNamedInput& input : NamedInputs) {
            bool differs = false;
            for (const TRunInput& other : runs)
                differs = differs || input.Values(other) != input.Values(runs[0]);
            if (differs)
                parts << Describe(input, runs[r], locale);
        }
        if (parts.isEmpty())
            parts << Describe(NamedInputs[0], runs[r], locale);
        labels << parts.join(", ");
    }

    QHash<QString, int> uses;
    for (const QString& label : labels)
        ++uses[label];
    for (int r = 0; r < labels.size(); ++r) {
        if (uses[labels[r]] > 1)
            labels[r] += QString(" (run %1)").arg(r + 1);
    }
    return labels;
}

} // namespace ppspin
