// Pictures of design studies: maps of a two-input grid study, and tornado
// charts of the outputs' sensitivities to the inputs. The header is Qt-free,
// so that code without Qt can call the renderers with the study's data.
#pragma once

#include "StudyPictures.h"

#include <string>

namespace ppspin {

// Draw into path (PNG or SVG by its ending, any case) a picture of width x
// height pixels. RenderGridMaps draws one map per output: the values as
// coloured cells with contour lines, failed and refused runs marked. A
// RenderTornado chart shows each input's elasticity as a bar from zero,
// largest magnitude first. On failure they return false with the reason in
// error and write nothing. Without a Qt application in the process they make
// one on Qt's offscreen platform, leaving the C locale as it was; either way
// call them from one thread only.
bool RenderGridMaps(const TGridMaps& maps, const std::string& path, int width, int height,
                    std::string& error);
bool RenderTornado(const TTornado& tornado, const std::string& path, int width, int height,
                   std::string& error);

// Deletes the Qt application the renderers made, if they made one, with what
// Qt holds for it. Call it after the last picture, before the code holding
// the renderers is unloaded; an application the caller made is left alone.
void ReleaseStudyPlots();

} // namespace ppspin
