#include "FullCongregation.h"

#include <array>
#include <cstdio>

namespace varnok::companion {
namespace {

constexpr uint16_t kFirstId = 101;
constexpr int kGroups = 30;
constexpr int kRemarksPerPublisher = 24;  // twelve months in each year slot

const std::array<const char*, 30> kFirstNames = {
    "Marco",  "Giulia", "Luca",    "Francesca", "Paolo",    "Chiara",  "Giovanni", "Sara",
    "Andrea", "Elena",  "Matteo",  "Martina",   "Davide",   "Alessia", "Stefano",  "Federica",
    "Simone", "Rosa",   "Antonio", "Anna",      "Giuseppe", "Laura",   "Roberto",  "Silvia",
    "Fabio",  "Paola",  "Enrico",  "Daniela",   "Massimo",  "Cristina"};
const std::array<const char*, 31> kLastNames = {
    "Rossi",  "Bianchi",  "Ferrari", "Esposito", "Romano",  "Colombo",    "Ricci",   "Marino",
    "Greco",  "Bruno",    "Gallo",   "Conti",    "De Luca", "Mancini",    "Costa",   "Giordano",
    "Rizzo",  "Lombardi", "Moretti", "Barbieri", "Fontana", "Santoro",    "Mariani", "Rinaldi",
    "Caruso", "Galli",    "Martini", "Leone",    "Longo",   "Martinelli", "Vitale"};

std::string DateText(int month, int day, int year) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%04d", month, day, year);
    return text;
}

PublisherData FullPublisher(int n) {
    PublisherData p;
    p.firstName = kFirstNames[n % kFirstNames.size()];
    p.lastName = kLastNames[(n / kFirstNames.size()) % kLastNames.size()];
    p.birthDate = DateText(n % 12 + 1, n % 28 + 1, 1940 + n % 60);
    p.baptismDate = n % 9 == 0 ? "" : DateText((n + 5) % 12 + 1, (n + 3) % 28 + 1, 1960 + n % 60);
    p.hope = n % 50 == 0 ? 'A' : 'O';
    p.group = static_cast<int8_t>(n % (kGroups + 1));  // some in no group
    p.publisherId = static_cast<uint16_t>(kFirstId + n);
    p.personFlags =
        static_cast<uint8_t>((n % 2 ? kFemaleFlag : kMaleFlag) | (n % 7 == 0 ? kElderFlag : 0));
    p.serviceFlags = n % 101 == 0 ? kFieldMissionaryFlag : 0;
    p.unlisted = n % 97 == 5 ? 1 : 0;
    // Two service years of figures; every tenth publisher is a regular pioneer.
    const bool pioneer = n % 10 == 0;
    for (int slot = 0; slot < 2; ++slot) {
        for (int month = 0; month < 12; ++month) {
            const uint16_t studies = static_cast<uint16_t>((n + month) % 5);
            p.SetMonth(month, slot, pioneer ? 2 : 0,
                       static_cast<uint16_t>(pioneer ? 50 + (n + month) % 30 : 0), studies, true);
        }
    }
    return p;
}

}  // namespace

CompanionData FullCongregation() {
    CompanionData data;
    data.publishers.password = " ";
    data.publishers.scrambled = true;
    data.groupCount = kGroups;
    for (int g = 1; g <= kGroups; ++g) {
        data.groupNames.push_back("Gruppo " + std::to_string(g));
    }
    for (int n = 0; n < kFullPublishers; ++n) {
        PublisherData p = FullPublisher(n);
        if (n < kFullDetails) {
            data.details.push_back({p.publisherId, p.firstName + " Maria " + p.lastName,
                                    "Via Garibaldi " + std::to_string(n) + ", Bologna", ""});
            p.detailsIndex = static_cast<uint16_t>(data.details.size());
        }
        data.publishers.publishers.push_back(p);
    }
    for (int i = 0; i < kFullRemarks; ++i) {
        const int publisher = i / kRemarksPerPublisher;
        const int slot = (i / 12) % 2;
        data.remarks.push_back({"Nota " + std::to_string(i) + " per il mese",
                                static_cast<uint8_t>(i % 12 + 1),
                                static_cast<uint8_t>((2026 + slot) % 256),
                                static_cast<uint16_t>(kFirstId + publisher)});
    }
    return data;
}

}  // namespace varnok::companion
