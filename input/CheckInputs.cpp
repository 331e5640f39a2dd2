#include "CheckInputs.h"

#include "FieldTexts.h"
#include "SetUpRun.h"

namespace ppspin {

TRefusal CheckInputs(const TRunInput& in) {
    const struct {
        bool Passes;
        int Edit;
        const char* Message;
    } checks[] = {
        {in.D0 > 0, 1, "Value of Hole Diameter is not correct"},
        {in.Q > 0, 2, "Value of Output is not correct"},
        {in.VL > 0, 3, "Value of Take-up Speed is not correct"},
        {in.T0 > 0, 4, "Value of Polymer Melt Temperature is not correct"},
        {in.Z1 > 0, 5, "Value of 1st Zone End Position is not correct"},
        {in.Z2 > 0, 10, "Value of 2nd Zone End Position is not correct"},
        {in.Z3 > 0, 15, "Value of 3rd Zone End Position is not correct"},
        {in.Va1 >= 0, 9, "Value of 1st Zone Air Velocity is not correct"},
        {in.Va2 >= 0, 14, "Value of 2nd Zone Air Velocity is not correct"},
        {in.Va3 >= 0, 16, "Value of 3rd Zone Air Velocity is not correct"},
        {in.Eta0 > 0, 17, "Value of Zero Shear Viscosity at Ref. Temp. is not correct"},
        {in.Tref > 0, 18, "Value of Reference Temperature is not correct"},
        {in.Dz > 0, 19, "Value of Increment is not correct"},
        {!in.FileName.empty(), 20, "Save File Name is not correct"},
    };
    for (const auto& c : checks)
        if (!c.Passes)
            return {c.Message, FieldIndex(c.Edit)};
    // The grid must fit the point tables and hold one step at least.
    const double n3 = GridPoint(in.Z3, in.Dz);
    if (!(n3 <= MaxPoints))
        return {IncrementTooSmallMessage, FieldIndex(19)};
    if (n3 < 2)
        return {ZoneEndTooSmallMessage, FieldIndex(15)};
    if (in.FileName.size() > 259)
        return {"Save File Name is not correct", FileNameField};
    return {};
}

} // namespace ppspin
