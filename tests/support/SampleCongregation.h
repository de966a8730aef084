#pragma once
// The sample congregation that the run command opens: about forty Italian
// publishers in four groups, with figures for the current and the previous
// service year around a given date.

#include "platform/Clock.h"
#include "support/CompanionFiles.h"

namespace varnok::test {

CompanionData SampleCongregation(const LocalDate& today);

}  // namespace varnok::test
