// `rvm46 diff`: its JSON for scripts, and the comparison of a data file with a simulated radio.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_fixture.h"
#include "model/codeplug_layout.h"
#include "storage/image_file.h"

namespace rvm46 {
namespace {

using DiffCliTest = testing::CliTest;

TEST_F(DiffCliTest, JsonNamesEachDifferenceAndTheRadioIsComparedWithoutWritingAFile) {
    const std::string a = Encode("a.Dat");
    // Channel 1 changed, channel 3 added, the squelch level changed.
    nlohmann::json changed = nlohmann::json::parse(kDocument);
    changed["squelch"] = 2;
    changed["channels"][0].update({{"rx", 446.01875}, {"tx", nullptr}, {"busy_lockout", 1}});
    changed["channels"][2] = {{"rx", 433.5},      {"tx", 433.5},       {"decode_tone", 3},
                              {"encode_tone", 0}, {"busy_lockout", 0}, {"shift", 0}};
    const std::string b = Encode("b.Dat", changed.dump());
    auto image = *storage::ReadImageFile(b, nullptr);
    image[layout::kHeaderSize + 0x3E0] = 0x12;
    ASSERT_TRUE(storage::SaveImageFile(b, image, nullptr));

    EXPECT_EQ(Run({"diff", "--json", a, b}), 1) << err_.str();
    EXPECT_EQ(out_.str(), R"([
  {"where": "channel 1", "field": "rx", "a": 446.00625, "b": 446.01875},
  {"where": "channel 1", "field": "tx", "a": 446.00625, "b": null},
  {"where": "channel 1", "field": "busy_lockout", "a": 0, "b": 1},
  {"where": "channel 3", "field": "channel", "a": null, "b": {"rx": 433.50000, "tx": 433.50000, "decode_tone": 3, "encode_tone": 0, "busy_lockout": 0, "shift": 0}},
  {"where": "radio", "field": "squelch", "a": 9, "b": 2},
  {"where": "radio", "field": "address 3E0h", "a": 255, "b": 18}
]
)");

    EXPECT_EQ(Run({"diff", "--json", a, a}), 0);
    EXPECT_EQ(out_.str(), "[]\n");
    // Usage: only one second side (none at all is among the refusals of every verb).
    EXPECT_EQ(Run({"diff", a, b, "--port", "COM1"}), 2);

    // With the radio: nothing is written.
    image = *storage::ReadImageFile(a, nullptr);
    const auto files = [&] {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_.path()))
            names.insert(entry.path().string());
        return names;
    };
    const std::set<std::string> before = files();
    {
        auto same = StartRadio(image);
        EXPECT_EQ(Run({"diff", a, "--port", same->device()}), 0) << err_.str();
        EXPECT_EQ(out_.str(), "");
    }
    image[layout::kSquelch] = 3;
    {
        auto other = StartRadio(image);
        EXPECT_EQ(Run({"diff", "--json", a, "--port", other->device()}), 1) << err_.str();
        EXPECT_EQ(out_.str(),
                  "[\n  {\"where\": \"radio\", \"field\": \"squelch\", \"a\": 9, \"b\": 3}\n]\n");
    }
    {
        auto silent = StartRadio(image, "silent:5");
        EXPECT_EQ(Run({"diff", a, "--port", silent->device()}), 3);
        EXPECT_THAT(err_.str(), ::testing::StartsWith("rvm46: reading failed: no answer"));
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_EQ(Run({"diff", a, "--port", "/dev/rvm46-none"}), 3);
    EXPECT_EQ(files(), before);
}

}  // namespace
}  // namespace rvm46
