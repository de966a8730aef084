#pragma once
// A congregation that fills every table to the brim, for measuring the program
// at its largest: 909 publishers in 30 groups (some in none, some unlisted),
// 600 with a details record, 898 remarks, the first 37 publishers with a remark
// in every month of both year slots (the years 2026 and 2027), figures in every
// month of both slots.

#include "companion/CompanionFiles.h"

namespace varnok::companion {

constexpr int kFullPublishers = 909;  // the table's 910 records, header included
constexpr int kFullDetails = 600;     // record numbers 1 .. 600, the most that count
constexpr int kFullRemarks = 898;     // the remarks table's entries 1 .. 898

CompanionData FullCongregation();

}  // namespace varnok::companion
