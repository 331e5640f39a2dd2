#include "RunTable.h"

#include "InputCatalogue.h"
#include "Measured.h"
#include "NumberText.h"

namespace ppspin {

namespace {

QString Heading(const QString& quantity, const QString& unit) {
    return quantity + "\n(" + unit + ")";
}

} // namespace

QString RunNumber(int index) {
    return QString("#%1").arg(index + 1);
}

TRunTableTexts RunTableTexts(const std::vector<const TProfileSnapshot*>& runs,
                             const QLocale& userLocale, const TMeasuredData* measured) {
    QLocale locale = userLocale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const auto fixed = [&](double x, int decimals) { return locale.toString(x, 'f', decimals); };
    // An input to the decimals the report prints it with at most, never
    // in an exponent: 100000 is "100000", 2639.6354 "2639.6".
    const auto printed = [&](double x, const TInputField& input) {
        QString text = fixed(x, input.D);
        if (input.D > 0) {
            while (text.endsWith(locale.zeroDigit()))
                text.chop(1);
            if (text.endsWith(locale.decimalPoint()))
                text.chop(locale.decimalPoint().size());
        }
        return text == locale.negativeSign() + locale.zeroDigit() ? locale.zeroDigit() : text;
    };
    // As many decimals as 3 significant digits take, as ppspin-cli prints an RMS.
    const auto significant = [&](double x) {
        const std::string text = SignificantText(x, 3, '.');
        const auto point = text.find('.');
        return fixed(x, point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1));
    };
    const TInputField& speed = *FindEditableInput("take-up-speed");

    std::vector<const TInputField*> inputs;
    for (const TInputField& input : EditableInputs()) {
        for (const TProfileSnapshot* run : runs) {
            if (run->Input.*input.Value != runs.front()->Input.*input.Value) {
                inputs.push_back(&input);
                break;
            }
        }
    }
    if (inputs.empty())
        inputs.push_back(&speed); // names a run best

    TRunTableTexts table;
    table.Headings << "Run";
    for (const TInputField* input : inputs)
        table.Headings << Heading(input->Symbol, input->Unit);
    table.Headings << "Trials" << Heading("F0", "dyn") << Heading("v end / VL", "m/min")
                   << Heading("D end", "\u00b5m") << Heading("T end", "\u2103")
                   << Heading("Freeze at", "cm") << Heading("TEN(AP) end", "g/den");
    if (measured != nullptr)
        for (const TMeasuredSeries& series : measured->Series)
            table.Headings << Heading(QString("RMS ") + series.Column->Name,
                                      QString::fromUtf8(series.Column->Unit));

    for (std::size_t r = 0; r < runs.size(); ++r) {
        const TProfileSnapshot& run = *runs[r];
        QStringList row{RunNumber(static_cast<int>(r))};
        for (const TInputField* input : inputs)
            row << printed(run.Input.*input->Value, *input);
        row << locale.toString(run.Trials) << fixed(run.F0, 4);
        if (run.Points.empty()) {
            row << QString() << QString() << QString();
        } else {
            const TProfilePoint& end = run.Points.back();
            row << fixed(end.VM, 1) + " / " + printed(run.Input.VL, speed) << fixed(end.DUm, 2)
                << fixed(end.T, 1);
        }
        row << (run.ZFreeze ? fixed(*run.ZFreeze, 1) : QString());
        row << (run.Points.empty() ? QString() : fixed(run.Points.back().TenAp, 4));
        if (measured != nullptr) {
            // The model is not extended past the spinline's end to meet a point.
            const bool onSpinline = MeasuredRangeRefusal(*measured, run.Input.Z3).empty();
            for (const TQuantityComparison& q : Compare(run, *measured))
                row << (onSpinline ? significant(q.Rms) : QString());
        }
        table.Rows << row;
    }
    return table;
}

} // namespace ppspin
