#pragma once
// The sample congregation that the run command opens: about forty Italian
// publishers in four groups, with figures for the current and the previous
// service year around a given date.

#include "companion/CompanionFiles.h"
#include "platform/Clock.h"

namespace varnok::companion {

CompanionData SampleCongregation(const LocalDate& today);

}  // namespace varnok::companion
