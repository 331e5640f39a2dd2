#include "RunState.h"

#include "InputCatalogue.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace ppspin::python {

namespace {

// The points travel as their bytes: exact and a single copy. A state is
// read back on a machine of the same byte order, as every worker of a
// cluster of this build is.
static_assert(std::is_trivially_copyable_v<TProfilePoint>);
static_assert(sizeof(TProfilePoint) == 10 * sizeof(double));

constexpr std::size_t StateSize = 6;

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace

py::tuple RunState(const TConvergedRun& run) {
    py::tuple texts(CatalogueSize);
    py::list values;
    for (const TInputField& input : InputCatalogue()) {
        const auto at = static_cast<std::size_t>(input.Field);
        texts[at] = py::str(run.Texts[at]);
        if (input.Value != nullptr)
            values.append(run.Profile.Input.*input.Value);
    }
    const TProfileSnapshot& p = run.Profile;
    const py::bytes points(reinterpret_cast<const char*>(p.Points.data()),
                           static_cast<py::ssize_t>(p.Points.size() * sizeof(TProfilePoint)));
    return py::make_tuple(texts, py::tuple(values), p.Trials, p.F0,
                          p.ZFreeze ? py::object(py::float_(*p.ZFreeze)) : py::none(), points);
}

TConvergedRun RunOfState(const py::tuple& state) {
    const auto refuse = [] { throw py::value_error("not the state of a ppspin run"); };
    if (state.size() != StateSize)
        refuse();
    const auto texts = state[0].cast<py::tuple>();
    const auto values = state[1].cast<py::tuple>();
    const std::string points = state[5].cast<py::bytes>();
    if (texts.size() != CatalogueSize || points.size() % sizeof(TProfilePoint) != 0)
        refuse();
    TConvergedRun run;
    std::size_t next = 0;
    for (const TInputField& input : InputCatalogue()) {
        const auto at = static_cast<std::size_t>(input.Field);
        run.Texts[at] = texts[at].cast<std::string>();
        if (input.Value == nullptr)
            run.Profile.Input.FileName = run.Texts[at];
        else if (next < values.size())
            run.Profile.Input.*input.Value = values[next++].cast<double>();
        else
            refuse();
    }
    if (next != values.size())
        refuse();
    run.Profile.Trials = state[2].cast<int>();
    run.Profile.F0 = state[3].cast<double>();
    if (!state[4].is_none())
        run.Profile.ZFreeze = state[4].cast<double>();
    run.Profile.Points.resize(points.size() / sizeof(TProfilePoint));
    if (!points.empty())
        std::memcpy(run.Profile.Points.data(), points.data(), points.size());
    return run;
}

bool SameRun(const TConvergedRun& a, const TConvergedRun& b) {
    const TProfileSnapshot &p = a.Profile, &q = b.Profile;
    if (a.Texts != b.Texts || p.Trials != q.Trials || !SameBits(p.F0, q.F0) ||
        p.ZFreeze.has_value() != q.ZFreeze.has_value() ||
        (p.ZFreeze && !SameBits(*p.ZFreeze, *q.ZFreeze)) || p.Points.size() != q.Points.size() ||
        p.Input.FileName != q.Input.FileName)
        return false;
    for (const TInputField& input : InputCatalogue())
        if (input.Value != nullptr && !SameBits(p.Input.*input.Value, q.Input.*input.Value))
            return false;
    return p.Points.empty() || std::memcmp(p.Points.data(), q.Points.data(),
                                           p.Points.size() * sizeof(TProfilePoint)) == 0;
}

} // namespace ppspin::python
