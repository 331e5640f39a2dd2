// The spinline model in one include.
#pragma once

#include "AdjustTension.h"
#include "AirCondition.h"
#include "Constants.h"
#include "FloatingPoint.h"
#include "MarchSpinline.h"
#include "PPProperty.h"
#include "RKGStep.h"
#include "RunError.h"
#include "RunRecords.h"
#include "SetUpRun.h"
#include "SpinDerivatives.h"
