#pragma once
// A small congregation for the card window's tests: two groups, a regular
// pioneer, an unassigned publisher and an unlisted one, opened on 8 December 2026.

#include <string>

#include "companion/CompanionFiles.h"
#include "platform/Clock.h"

namespace varnok::test {

// The tests write their congregations with the companion file writer.
using namespace varnok::companion;

// The window opens on 8 December 2026: November is reported, year slot 0.
constexpr LocalDate kCardWindowDate{2026, 12, 8};

// Entries of the "all publishers" list, in table order.
inline const char* const kAllEntries[] = {"Bianchi, Anna", "Romano, Luca", "Rossi, Mario",
                                          "Verdi, Paolo", "Xeri, Giulia"};

// `password`: " " for data without one.
CompanionData CardCongregation(const std::string& password = " ");

}  // namespace varnok::test
