#include "CardCongregation.h"

namespace varnok::test {
namespace {

PublisherData Publisher(const std::string& first, const std::string& last, int8_t group,
                        uint16_t id) {
    PublisherData p;
    p.firstName = first;
    p.lastName = last;
    p.group = group;
    p.publisherId = id;
    p.birthDate = "03141980";
    p.baptismDate = "06201998";
    p.personFlags = kMaleFlag;
    p.SetMonth(9, 0, 0, 12, 1, true);   // October 2026
    p.SetMonth(10, 0, 0, 15, 2, true);  // November 2026
    return p;
}

}  // namespace

CompanionData CardCongregation(const std::string& password) {
    CompanionData data;
    data.publishers.password = password;
    data.groupCount = 2;
    data.groupNames = {"Centro", "Nord"};
    auto& list = data.publishers.publishers;
    list.push_back(Publisher("Anna", "Bianchi", 2, 11));
    list.push_back(Publisher("Luca", "Romano", 1, 12));
    list.push_back(Publisher("Mario", "Rossi", 1, 13));
    list.push_back(Publisher("Paolo", "Verdi", 0, 14));
    PublisherData pioneer = Publisher("Giulia", "Xeri", 2, 15);
    pioneer.SetMonth(10, 0, 2, 70, 4, true);  // a regular pioneer in the report month
    list.push_back(pioneer);
    PublisherData hidden = Publisher("Zeno", "Zanetti", 0, 16);
    hidden.unlisted = 1;
    list.push_back(hidden);
    return data;
}

}  // namespace varnok::test
