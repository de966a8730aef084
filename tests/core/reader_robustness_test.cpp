#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

#include "companion/CompanionFiles.h"
#include "data/DateFormat.h"
#include "data/DetailsFile.h"
#include "data/PublisherTable.h"
#include "data/RemarksTable.h"
#include "support/TempFolder.h"
#include "support/TimeBound.h"

using namespace varnok;
using namespace varnok::companion;
using namespace varnok::test;

namespace {

class FileMaker {
public:
    explicit FileMaker(uint32_t seed) : random_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // Any bytes; sometimes without a single zero byte, sometimes rich in 0xCC.
    std::string Bytes(size_t length) {
        const int flavour = Below(3);
        std::string bytes(length, '\0');
        for (char& c : bytes) {
            int b = Below(256);
            if (flavour == 1 && b == 0) {
                b = 0x70;
            } else if (flavour == 2 && Below(4) == 0) {
                b = 0xCC;
            }
            c = static_cast<char>(b);
        }
        return bytes;
    }

    // A length around a whole number of records, or anything up to `limit`.
    size_t Length(int recordSize, int maxRecords) {
        if (Below(3) == 0) {
            return static_cast<size_t>(Below(recordSize * maxRecords + 1));
        }
        const int records = Below(maxRecords + 1);
        return static_cast<size_t>(std::max(0, records * recordSize + Below(5) - 2));
    }

    std::string PublisherFile() {
        std::string bytes = Bytes(Length(kPublisherRecordSize, 6));
        if (bytes.size() > 23 && Below(2) == 0) {
            bytes[23] = 'A';
        }
        // Ids that the remarks and the details can find.
        for (size_t at = 182; at + 1 < bytes.size(); at += kPublisherRecordSize) {
            if (Below(2) == 0) {
                bytes[at] = static_cast<char>(11 + Below(5));
                bytes[at + 1] = 0;
            }
        }
        return bytes;
    }

    std::string DetailsFile() {
        std::string bytes = Bytes(Length(kDetailsRecordSize, 8));
        for (size_t at = 0; at + 1 < bytes.size(); at += kDetailsRecordSize) {
            if (Below(2) == 0) {
                bytes[at] = static_cast<char>(11 + Below(5));
                bytes[at + 1] = 0;
            }
        }
        return bytes;
    }

    std::string RemarksFile() {
        std::string bytes = Bytes(Length(kRemarksRecordSize, 40));
        for (size_t at = 44; at + 3 < bytes.size(); at += kRemarksRecordSize) {
            if (Below(2) == 0) {
                bytes[at] = static_cast<char>(1 + Below(12));
                bytes[at + 2] = static_cast<char>(11 + Below(5));
                bytes[at + 3] = 0;
            }
        }
        return bytes;
    }

    // A well-formed congregation cut at an arbitrary point.
    std::string Truncated(const std::string& bytes) {
        return bytes.substr(0, static_cast<size_t>(Below(static_cast<int>(bytes.size()) + 1)));
    }

private:
    std::mt19937 random_;
};

CompanionData SmallCongregation() {
    CompanionData data;
    data.publishers.scrambled = true;
    data.publishers.password = "chiave";
    for (uint16_t id = 11; id <= 15; ++id) {
        PublisherData p;
        p.firstName = "Nome" + std::to_string(id);
        p.lastName = "Cognome";
        p.text3 = std::string(40, 'x');
        p.baptismDate = "01312013";
        p.birthDate = "12052001";
        p.publisherId = id;
        p.detailsIndex = static_cast<uint16_t>(id - 10);
        p.SetMonth(id % 12, id % 2, id % 4, id, 3, true);
        data.publishers.publishers.push_back(p);
        data.details.push_back({id, "Nome Lungo", "Extra", "Altro"});
        data.remarks.push_back({"nota", static_cast<uint8_t>(id % 12 + 1), 24, id});
    }
    data.groupCount = 3;
    return data;
}

size_t FileSize(const TempFolder& folder, const char* name) {
    return folder.Exists(name) ? folder.ReadFile(name).size() : 0;
}

// Runs every reader over the folder's files, as the card window would, and
// checks what they report against the file lengths.
void ReadEverything(const TempFolder& folder) {
    PublisherTable table;
    ASSERT_TRUE(table.AllocatePublisherTable());
    table.ReadPublisherFiles();
    const int wholeRecords = static_cast<int>(FileSize(folder, "tdat9.bin") / kPublisherRecordSize);
    ASSERT_EQ(table.recordCount(), std::clamp(wholeRecords, 1, kPublisherTableCapacity));
    EXPECT_LE(table.Password().size(), 21u);

    DetailsFile details;
    details.CountDetailsRecords();
    ASSERT_EQ(details.detailsCount(),
              std::min<int>(FileSize(folder, "xten7.dat") / kDetailsRecordSize, kMaxDetailsCount));

    RemarksTable remarks;
    remarks.LoadRemarks(table);
    ASSERT_GE(remarks.remarkCount(), 1);
    ASSERT_LE(remarks.remarkCount(), kRemarksTableSize - 1);

    for (int pub = 0; pub <= table.recordCount(); ++pub) {
        EXPECT_LE(table.FirstName(pub).size(), 21u);
        EXPECT_LE(details.LoadPublisherDetails(table, pub), 3);
        EXPECT_LE(details.LongName().size(), 64u);
        for (int which = 0; which < 2; ++which) {
            for (int format = 0; format < 4; ++format) {
                const std::string date = FormatPublisherDate(table, pub, which, format, "Ita");
                EXPECT_TRUE(date.empty() || date.size() >= 8u) << date;
            }
        }
        for (int month = 0; month < 12; ++month) {
            for (int slot = 0; slot < 3; ++slot) {
                EXPECT_LE(remarks.GetRemarkText(table, pub, month, slot).size(), 43u);
                EXPECT_LE(table.GetMonthStatus(pub, month, slot), 3);
                EXPECT_LE(table.GetActivity(pub, month, 4, slot), 0x03FF);
                table.HasParticipated(pub, month, slot);
            }
        }
        table.IsFieldMissionary(pub);
    }
    table.ReleasePublisherTable();
}

}  // namespace

TEST(ReaderRobustness, RandomFilesOfAnyLengthAndContent) {
    FileMaker maker(20240521);
    TempFolder folder;
    for (int round = 0; round < 600; ++round) {
        folder.WriteFile("tdat9.bin", maker.PublisherFile());
        folder.WriteFile("bkstudy.dat", maker.Bytes(static_cast<size_t>(maker.Below(2000))));
        folder.WriteFile("xten7.dat", maker.DetailsFile());
        folder.WriteFile("remark9.dat", maker.RemarksFile());
        ReadEverything(folder);
        if (HasFatalFailure()) {
            FAIL() << "round " << round;
        }
    }
}

TEST(ReaderRobustness, TruncatedWellFormedFiles) {
    FileMaker maker(7);
    const CompanionData data = SmallCongregation();
    const std::string publishers = PublisherFileBytes(data.publishers);
    const std::string groups = GroupFileBytes(data.groupCount);
    const std::string details = DetailsFileBytes(data.details);
    const std::string remarks = RemarksFileBytes(data.remarks);
    TempFolder folder;
    for (int round = 0; round < 400; ++round) {
        folder.WriteFile("tdat9.bin", maker.Truncated(publishers));
        folder.WriteFile("bkstudy.dat", maker.Truncated(groups));
        folder.WriteFile("xten7.dat", maker.Truncated(details));
        folder.WriteFile("remark9.dat", maker.Truncated(remarks));
        ReadEverything(folder);
        if (HasFatalFailure()) {
            FAIL() << "round " << round;
        }
    }
}

TEST(ReaderRobustness, MissingFiles) {
    TempFolder folder;
    ReadEverything(folder);
}

// Odd files planted in the data folder: a FIFO would hang the open, a link to
// /dev/zero would feed the remarks loop forever with empty records. Each reads
// as missing, at once.
TEST(ReaderRobustness, FifosAndEndlessDevicesReadAsMissing) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no FIFOs and no /dev/zero; device names are tested in SafeFile";
#else
    for (const char* name : {"tdat9.bin", "bkstudy.dat", "xten7.dat", "remark9.dat"}) {
        for (bool fifo : {true, false}) {
            TempFolder folder;
            WriteCompanionFiles(folder.path(), SmallCongregation());
            std::filesystem::remove(name);
            if (fifo) {
                ASSERT_EQ(mkfifo(name, 0600), 0);
            } else {
                std::filesystem::create_symlink("/dev/zero", name);
            }
            const auto load = [] {
                PublisherTable table;
                table.AllocatePublisherTable();
                table.ReadPublisherFiles();
                DetailsFile details;
                details.CountDetailsRecords();
                details.LoadPublisherDetails(table, 1);
                RemarksTable remarks;
                remarks.LoadRemarks(table);
            };
            ASSERT_TRUE(FinishesWithin(std::chrono::seconds(10), load)) << name << " " << fifo;
            std::filesystem::remove(name);
            PublisherTable expected;
            ASSERT_TRUE(expected.AllocatePublisherTable());
            expected.ReadPublisherFiles();
            if (fifo) {
                ASSERT_EQ(mkfifo(name, 0600), 0);
            } else {
                std::filesystem::create_symlink("/dev/zero", name);
            }
            PublisherTable table;
            ASSERT_TRUE(table.AllocatePublisherTable());
            table.ReadPublisherFiles();
            EXPECT_EQ(table.recordCount(), expected.recordCount()) << name;
            EXPECT_EQ(table.groupCount(), expected.groupCount()) << name;
            DetailsFile details;
            details.CountDetailsRecords();
            RemarksTable remarks;
            remarks.LoadRemarks(table);
            if (std::string(name) == "xten7.dat") {
                EXPECT_EQ(details.detailsCount(), 0);
            }
            if (std::string(name) == "remark9.dat") {
                EXPECT_EQ(remarks.remarkCount(), 1);
            }
        }
    }
#endif
}
