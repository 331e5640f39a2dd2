// The pictures' data as bytes, which is how they cross into the plot module
// (PlotModule.h): the runner encodes, the module decodes, both with this one
// source. The bytes begin with the plot module's version and the picture's
// kind, and hold every value as it is in memory, so that a picture drawn
// from them is the picture drawn from the data.
#pragma once

#include "MeasuredPictures.h"
#include "StudyPictures.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace ppspin {

enum class TPictureKind { Profile = 1, Residuals, Summary, GridMaps, Tornado };

using TPictureBytes = std::vector<unsigned char>;

// A profile picture decoded, with the run it points to.
struct TDecodedProfile {
    std::optional<TProfileSnapshot> Profile;
    std::vector<TMeasuredMarkers> Markers;
    TProfilePicture Picture() const { return {Profile ? &*Profile : nullptr, Markers}; }
};

TPictureBytes EncodePicture(const TProfilePicture& picture);
TPictureBytes EncodePicture(const TResidualPlot& plot);
TPictureBytes EncodePicture(const TSummaryPlot& plot);
TPictureBytes EncodePicture(const TGridMaps& maps);
TPictureBytes EncodePicture(const TTornado& tornado);

// The kind of picture that bytes hold; none when they are not this
// version's.
std::optional<TPictureKind> PictureKindOf(const unsigned char* bytes, std::size_t size);

// False, data then half filled, unless bytes are the whole of one picture of
// data's kind and this version.
bool DecodePicture(const unsigned char* bytes, std::size_t size, TDecodedProfile& picture);
bool DecodePicture(const unsigned char* bytes, std::size_t size, TResidualPlot& plot);
bool DecodePicture(const unsigned char* bytes, std::size_t size, TSummaryPlot& plot);
bool DecodePicture(const unsigned char* bytes, std::size_t size, TGridMaps& maps);
bool DecodePicture(const unsigned char* bytes, std::size_t size, TTornado& tornado);

} // namespace ppspin
