#include "companion/SampleCongregation.h"

#include <string>
#include <vector>

namespace varnok::companion {

namespace {

enum class Role { publisher, auxiliary, regular, special, missionary };

struct Person {
    const char* first;
    const char* last;
    bool male;
    int8_t group;
    Role role;
    uint8_t appointment;  // kServantFlag, kElderFlag or 0
    bool anointed;
    const char* birth;               // MMDDYYYY
    const char* baptism;             // MMDDYYYY or "" when not baptised
    const char* longName = nullptr;  // in the details file
    const char* address = nullptr;
};

// Texts in Windows-1252: \xf2 is o grave, \xec i grave.
// clang-format off
const std::vector<Person> kPeople = {
    {"Marco", "Rossi", true, 1, Role::regular, kElderFlag, false, "03141968", "06201985"},
    {"Giulia", "Rossi", false, 1, Role::regular, 0, false, "11021971", "06201985"},
    {"Luca", "Bianchi", true, 1, Role::publisher, kServantFlag, false, "07231990", "04122008"},
    {"Francesca", "Bianchi", false, 1, Role::publisher, 0, false, "01191992", "04122008"},
    {"Niccol\xf2", "Ferrari", true, 1, Role::publisher, kElderFlag, false, "09051955", "12011974",
     "Niccol\xf2 Giuseppe Ferrari", "Via Garibaldi 7, Bologna"},
    {"Chiara", "Esposito", false, 1, Role::auxiliary, 0, false, "05301983", "08152001"},
    {"Giovanni", "Romano", true, 1, Role::publisher, 0, false, "02281979", "07071999"},
    {"Sara", "Colombo", false, 1, Role::auxiliary, 0, false, "10101995", "03282012"},
    {"Paolo", "Ricci", true, 1, Role::publisher, kElderFlag, true, "12121948", "05301966",
     "Paolo Maria Ricci", "Via Mazzini 21, Bologna"},
    {"Elena", "Marino", false, 1, Role::publisher, 0, false, "04041987", "09092005"},
    {"Andrea", "Greco", true, 2, Role::publisher, kElderFlag, false, "08171966", "02141984"},
    {"Martina", "Bruno", false, 2, Role::regular, 0, false, "06061993", "11192011"},
    {"Matteo", "Gallo", true, 2, Role::publisher, kServantFlag, false, "03031997", "07242015"},
    {"Alessia", "Conti", false, 2, Role::publisher, 0, false, "12251989", "10102007"},
    {"Davide", "De Luca", true, 2, Role::publisher, 0, false, "09191985", "04042003"},
    {"Federica", "Mancini", false, 2, Role::auxiliary, 0, false, "02021991", "06062010"},
    {"Stefano", "Costa", true, 2, Role::missionary, kElderFlag, false, "05151975", "01201993",
     "Stefano Costa (missionario)", "Casa missionaria, Bologna"},
    {"Valentina", "Giordano", false, 2, Role::publisher, 0, false, "07071994", ""},
    {"Simone", "Rizzo", true, 2, Role::publisher, kServantFlag, false, "11111986", "05202004"},
    {"Rosa", "Nard\xec", false, 2, Role::publisher, 0, true, "01011945", "08081962",
     "Rosa Maria Nard\xec", "Piazza Maggiore 3, Bologna"},
    {"Antonio", "Lombardi", true, 3, Role::publisher, kElderFlag, false, "10301962", "03121980"},
    {"Anna", "Moretti", false, 3, Role::special, 0, false, "04221970", "09301988",
     "Anna Moretti in Fontana", "Via dell'Indipendenza 40, Bologna"},
    {"Giuseppe", "Moretti", true, 3, Role::special, kElderFlag, false, "06121968", "09301988",
     "Giuseppe Antonio Moretti", "Via dell'Indipendenza 40, Bologna"},
    {"Laura", "Barbieri", false, 3, Role::publisher, 0, false, "08081982", "12122000"},
    {"Roberto", "Fontana", true, 3, Role::publisher, kServantFlag, false, "02141977", "06161995"},
    {"Silvia", "Santoro", false, 3, Role::auxiliary, 0, false, "03251988", "10222006"},
    {"Fabio", "Mariani", true, 3, Role::publisher, 0, false, "09091999", ""},
    {"Paola", "Rinaldi", false, 3, Role::regular, 0, false, "12011976", "04171994"},
    {"Enrico", "Caruso", true, 3, Role::publisher, 0, false, "05051960", "11111978"},
    {"Alberto", "Galli", true, 4, Role::publisher, kElderFlag, false, "01171958", "07211976"},
    {"Daniela", "Martini", false, 4, Role::publisher, 0, false, "10041984", "02242002"},
    {"Massimo", "Leone", true, 4, Role::publisher, kServantFlag, false, "06301981", "08311999"},
    {"Cristina", "Longo", false, 4, Role::regular, 0, false, "03031973", "05151991"},
    {"Tommaso", "Gentile", true, 4, Role::publisher, 0, false, "11221996", "01292014"},
    {"Beatrice", "Martinelli", false, 4, Role::auxiliary, 0, false, "07191990", "09172009"},
    {"Riccardo", "Vitale", true, 4, Role::publisher, 0, false, "04141972", "10151990"},
    {"Ilaria", "Lombardo", false, 4, Role::publisher, 0, true, "02091950", "03031968"},
    {"Filippo", "Serra", true, 4, Role::publisher, kServantFlag, false, "08281988", "12062006"},
    {"Vittorio", "Mazza", true, 0, Role::publisher, 0, false, "05201965", "06221983",
     "Vittorio Mazza (da altra congregazione)", "Via Zamboni 9, Bologna"},
    {"Giorgia", "Villa", false, 2, Role::publisher, 0, false, "09121998", "07042016"},
};
// clang-format on
constexpr size_t kUnlistedPerson = 39;
constexpr uint16_t kFirstId = 101;

// A repeatable spread of small figures, so that the months differ.
int Spread(size_t person, int month, int range) {
    return static_cast<int>((person * 7 + static_cast<size_t>(month) * 13 + 3) % range);
}

bool IsAuxiliaryMonth(size_t person, int month) {
    return month == 2 || month == 3 || month == static_cast<int>(person % 12);
}

void FillMonth(PublisherData& p, size_t person, Role role, int month, int slot) {
    const int studies = Spread(person, month, 4);
    switch (role) {
        case Role::regular:
            p.SetMonth(month, slot, 2, static_cast<uint16_t>(50 + Spread(person, month, 25)),
                       static_cast<uint16_t>(studies + 1), true);
            return;
        case Role::special:
        case Role::missionary:
            p.SetMonth(month, slot, 3, static_cast<uint16_t>(100 + Spread(person, month, 30)),
                       static_cast<uint16_t>(studies + 2), true);
            return;
        case Role::auxiliary:
            if (IsAuxiliaryMonth(person, month)) {
                p.SetMonth(month, slot, 1, static_cast<uint16_t>(month == 3 ? 15 : 30),
                           static_cast<uint16_t>(studies), true);
                return;
            }
            break;
        case Role::publisher:
            break;
    }
    // Publishers report participation only; a few months go without it.
    const bool shared = Spread(person, month, 17) != 0;
    p.SetMonth(month, slot, 0, 0, static_cast<uint16_t>(shared ? studies / 2 : 0), shared);
}

PublisherData MakePublisher(size_t person, const LocalDate& today) {
    const Person& who = kPeople[person];
    PublisherData p;
    p.firstName = who.first;
    p.lastName = who.last;
    p.birthDate = who.birth;
    p.baptismDate = who.baptism;
    p.hope = who.anointed ? 'A' : 'O';
    p.group = who.group;
    p.publisherId = static_cast<uint16_t>(kFirstId + person);
    p.personFlags = static_cast<uint8_t>((who.male ? kMaleFlag : kFemaleFlag) | who.appointment);
    p.serviceFlags = who.role == Role::missionary ? kFieldMissionaryFlag : 0;
    p.unlisted = person == kUnlistedPerson ? 1 : 0;
    // The previous and the current service year, September to August; a
    // month's slot is the parity of its calendar year.
    const int currentStart = today.month >= 9 ? today.year : today.year - 1;
    for (int start = currentStart - 1; start <= currentStart; ++start) {
        for (int row = 0; row < 12; ++row) {
            const int month = (8 + row) % 12;
            const int year = row < 4 ? start : start + 1;
            FillMonth(p, person, who.role, month, year % 2);
        }
    }
    return p;
}

// Remarks in several months of the last two service years.
std::vector<RemarkData> SampleRemarks(const LocalDate& today) {
    const int currentStart = today.month >= 9 ? today.year : today.year - 1;
    auto remark = [](const char* text, int month, int year, size_t person) {
        return RemarkData{text, static_cast<uint8_t>(month), static_cast<uint8_t>(year % 256),
                          static_cast<uint16_t>(kFirstId + person)};
    };
    return {
        remark("Pioniere ausiliario", 3, currentStart, 7),
        remark("Ricoverata in ospedale", 11, currentStart, 19),
        remark("Rapporto consegnato in ritardo", 1, currentStart, 28),
        remark("In viaggio all'estero", 7, currentStart, 6),
        remark("Assemblea di circoscrizione", 10, currentStart - 1, 0),
        remark("Trasferito da altra congregazione", 9, currentStart - 1, 38),
        remark("  Corso per pionieri  ", 2, currentStart, 11),
        remark("Non ha riferito", 12, currentStart - 1, 28),
    };
}

}  // namespace

CompanionData SampleCongregation(const LocalDate& today) {
    CompanionData data;
    data.publishers.password.assign(1, ' ');
    data.publishers.scrambled = true;
    data.groupCount = 4;
    data.groupNames = {"Centro", "San Donato", "Navile", "Borgo Panigale"};
    for (size_t person = 0; person < kPeople.size(); ++person) {
        PublisherData p = MakePublisher(person, today);
        const Person& who = kPeople[person];
        if (who.longName != nullptr) {
            data.details.push_back({p.publisherId, who.longName, who.address, ""});
            p.detailsIndex = static_cast<uint16_t>(data.details.size());
        }
        data.publishers.publishers.push_back(p);
    }
    data.remarks = SampleRemarks(today);
    return data;
}

}  // namespace varnok::companion
