// The programming station of the command line against a rack of simulated radios on a real
// pseudo-terminal: radios are swapped by a helper thread as a dealer would, once a radio's row is
// in the log.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <thread>

#include "cli/cli_fixture.h"
#include "storage/csv_text.h"
#include "storage/image_file.h"
#include "support/simulated_line.h"

namespace rvm46 {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
using namespace std::chrono_literals;

constexpr std::uint8_t kCode5100 = 81;
constexpr std::uint8_t kCode5100x446 = 82;

radiosim::RackRadio Radio(int seed, std::uint8_t model, const std::string& fault = "") {
    auto radio = *radiosim::ParseRackRadio(fault.empty() ? "blank" : "blank+" + fault, nullptr);
    radio.memory = testing::PatternMemory(seed);
    radio.memory[0x3D2] = model;
    return radio;
}

class ProgramCliTest : public testing::CliTest {
  protected:
    void StartRack(std::vector<radiosim::RackRadio> radios, bool autoSwap = false) {
        sequence_ = radios;
        rack_ = std::make_unique<radiosim::RadioRack>(std::move(radios), autoSwap);
        radiosim::ServerOptions options;
        options.rack = rack_.get();
        server_ = std::make_unique<testing::PtyRadio>(options);
        ASSERT_TRUE(server_->started()) << server_->error();
    }

    // Swaps the radio each time a row reaches the log, until `rows` rows are there.
    void SwapAfterEachRow(int rows) {
        dealer_ = std::thread([this, rows] {
            for (int seen = 0; seen < rows;) {
                const std::string log = testing::FileBytes(Path("job/log.csv"));
                const int now = static_cast<int>(std::count(log.begin(), log.end(), '\n')) - 1;
                if (now > seen) {
                    seen = now;
                    rack_->Swap();
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }

    std::vector<std::vector<std::string>> LogRows() {
        std::string error;
        const std::string log = testing::FileBytes(Path("job/log.csv"));
        EXPECT_TRUE(
            log.starts_with("\xEF\xBB\xBFradio,started,finished,port,result,reason,"
                            "model_before,backup\r\n"));
        auto table = storage::ParseCsv(log, &error);
        EXPECT_TRUE(table) << error;
        return table ? table->rows : std::vector<std::vector<std::string>>{};
    }

    ~ProgramCliTest() override {
        if (dealer_.joinable()) dealer_.join();
    }

    std::vector<radiosim::RackRadio> sequence_;
    std::unique_ptr<radiosim::RadioRack> rack_;
    std::unique_ptr<testing::PtyRadio> server_;
    std::thread dealer_;
};

TEST_F(ProgramCliTest, FiveRadiosEachBackedUpCheckedWrittenVerifiedAndLogged) {
    const std::string in = Encode();
    StartRack({Radio(1, kCode5100), Radio(2, kCode5100x446), Radio(3, kCode5100, "pull:40"),
               Radio(4, kCode5100, "corrupt:0x123"), Radio(5, kCode5100)});
    SwapAfterEachRow(4);
    EXPECT_EQ(
        Run({"program", "--port", server_->device(), "--count", "5", "--job-dir", Path("job"), in}),
        1)
        << err_.str();
    dealer_.join();
    const auto sent = storage::ReadImageFile(in, nullptr);
    ASSERT_TRUE(sent);

    const std::string backup = Path("job/radio-00");
    char verify[160];
    std::snprintf(verify, sizeof verify,
                  "radio 4: fail at verify read: 1 address differs: 123h wrote %02Xh, the radio "
                  "holds %02Xh; backup %s4.Dat",
                  (*sent)[50 + 0x123], (*sent)[50 + 0x123] ^ 1, backup.c_str());
    std::istringstream lines(out_.str());
    std::vector<std::string> said;
    for (std::string line; std::getline(lines, line);) said.push_back(line);
    EXPECT_THAT(said,
                ::testing::ElementsAre(
                    StartsWith("radio 1: pass ("),
                    "radio 2: other-model: radio: 5100-446, file: 5100; backup " + backup + "2.Dat",
                    "radio 3: fail at write: no answer from the radio at block 40 (address 140h): "
                    "waited for 1 byte, 0 came; backup " +
                        backup + "3.Dat",
                    std::string(verify), StartsWith("radio 5: pass (")));

    const auto rows = LogRows();
    ASSERT_EQ(rows.size(), 6u);
    const char* results[] = {"pass", "other-model", "fail", "fail", "pass"};
    const char* models[] = {"5100", "5100-446", "5100", "5100", "5100"};
    for (int r = 1; r <= 5; ++r) {
        SCOPED_TRACE(r);
        const auto& row = rows[static_cast<std::size_t>(r)];
        ASSERT_EQ(row.size(), 8u);
        EXPECT_EQ(row[0], std::to_string(r));
        EXPECT_THAT(row[1], ::testing::MatchesRegex("20[0-9-]+T[0-9:]+[+-][0-9][0-9]:[0-9][0-9]"));
        EXPECT_LE(row[1], row[2]);
        EXPECT_EQ(row[3], server_->device());
        EXPECT_EQ(row[4], results[r - 1]);
        EXPECT_EQ(row[6], models[r - 1]);
        EXPECT_EQ(row[7], backup + std::to_string(r) + ".Dat");
        // The backup: the blank header, then what the radio held before.
        EXPECT_EQ(storage::ReadImageFile(row[7], nullptr),
                  WithBlankHeader(sequence_[static_cast<std::size_t>(r - 1)].memory));
    }
    EXPECT_EQ(rows[2][5], "radio: 5100-446, file: 5100");
    EXPECT_EQ(testing::FileBytes(Path("job/template.Dat")), testing::FileBytes(in));
}

TEST_F(ProgramCliTest, ARefusedTemplateTouchesNoRadio) {
    std::string document = kDocument;
    document.replace(document.find("462.5"), 5, "480");
    const std::string in = Encode("in.Dat", document);
    StartRack({Radio(1, kCode5100)});
    EXPECT_EQ(
        Run({"program", "--port", server_->device(), "--no-wait", "--job-dir", Path("job"), in}),
        1);
    EXPECT_EQ(err_.str(), "rvm46: the template \"" + in +
                              "\" is refused; no radio was touched:\n  channel 10: receive "
                              "480.00000 MHz is outside 400-470MHz\n");
    EXPECT_FALSE(std::filesystem::exists(Path("job")));
    server_->Stop();
    EXPECT_EQ(rack_->AttachedMemory(), sequence_[0].memory);
}

// A radio of another model passes when allowed. Left on the cable, it answers every poll but is
// not programmed again; Ctrl+C between radios ends the job at once.
TEST_F(ProgramCliTest, OtherModelPassesWhenAllowedAndARadioLeftAttachedIsNotProgrammedTwice) {
    const std::string in = Encode();
    StartRack({Radio(1, kCode5100x446)});
    dealer_ = std::thread([this] {
        while (testing::FileBytes(Path("job/log.csv")).find("\n1,") == std::string::npos) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::this_thread::sleep_for(testing::kSimulatorTiming.presencePeriod * 3 + 100ms);
        std::raise(SIGINT);
    });
    EXPECT_EQ(Run({"program", "--port", server_->device(), "--allow-other-model", "--job-dir",
                   Path("job"), in}),
              0)
        << out_.str() << err_.str();
    EXPECT_THAT(out_.str(), StartsWith("radio 1: pass"));
    EXPECT_THAT(out_.str(), ::testing::Not(HasSubstr("radio 2")));
    const auto rows = LogRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][6], "5100-446");
}

}  // namespace
}  // namespace rvm46
