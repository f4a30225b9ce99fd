// The station's cycle over the in-memory line: where a stop lands, what a refused backup or model
// prevents, and the template checks.
#include "comm/station_cycle.h"

#include <gtest/gtest.h>

#include "model/image_codec.h"
#include "storage/delivered_tables.h"
#include "support/simulated_line.h"

namespace rvm46::comm {
namespace {

using testing::DeliveredModels;
using testing::DeliveredTones;

CodeplugImage Template(double rx, int model = testing::kModel4100) {
    ChannelTable channels = EmptyChannelTable();
    channels[0] = {rx, 462.5, 0, 0, 0, 0, -1, -1};
    channels[3] = {440, -1, 0, -1, 1, 0, -1, -1};
    CodeplugImage image = BlankImage();
    EncodeImage(image, channels, {0, 0, 3, 0, 0, 0, model}, DeliveredModels(), DeliveredTones());
    return image;
}

radiosim::RadioMemory RadioOfModel(std::uint8_t code) {
    radiosim::RadioMemory memory = radiosim::Radio::BlankMemory();
    memory[0x3D2] = code;
    memory[0x3F0] = 0x42;  // beyond the written part
    return memory;
}

struct CycleRun {
    CycleReport report;
    radiosim::RadioMemory after;
    int saved = 0;
};

CycleRun Cycle(const radiosim::RadioMemory& radio, const CycleSetup& base, int stopAfter = -1,
               const std::string& refuseBackup = "") {
    testing::SimulatedLine line(radio);
    EXPECT_TRUE(line.Open("sim").ok());
    CycleRun run;
    CycleSetup setup = base;
    setup.models = &DeliveredModels();
    setup.saveBackup = [&](const CodeplugImage& backup) {
        ++run.saved;
        EXPECT_TRUE(std::equal(backup.begin() + 50, backup.end(), radio.begin()));
        return refuseBackup;
    };
    StationCycle cycle(line, setup);
    for (int n = 0; cycle.Advance(); ++n)
        if (n + 1 == stopAfter) cycle.Stop();
    run.report = cycle.report();
    run.after = line.radio().memory();
    return run;
}

// A pass writes the template and keeps the radio's tail; then what stops a radio.
TEST(StationCycleTest, PassAndWhatStopsARadioBeforeOrWhileItIsWritten) {
    CycleSetup setup;
    setup.image = Template(450);
    const CycleRun pass = Cycle(RadioOfModel(65), setup);
    EXPECT_EQ(pass.report.result, RadioResult::kPass) << pass.report.reason;
    EXPECT_EQ(pass.report.modelBefore, "4100");
    EXPECT_EQ(pass.saved, 1);
    radiosim::RadioMemory written = RadioOfModel(65);  // 42h at 3F0h, beyond the written part
    std::copy_n(setup.image.begin() + 50, 0x3D8, written.begin());
    EXPECT_EQ(pass.after, written);

    const radiosim::RadioMemory other = RadioOfModel(81);
    struct Case {
        const char* name;
        radiosim::RadioMemory radio;
        int stopAfter;
        std::string refuseBackup;
        RadioResult result;
        std::string reason;
        bool written;
    };
    const std::vector<Case> cases = {
        {"stop in the backup", RadioOfModel(65), 10, "", RadioResult::kFail,
         "stopped by the user during the backup read; the radio was not written", false},
        {"stop in the write", RadioOfModel(65), 200, "", RadioResult::kFail,
         "stopped by the user during the write; the radio may be half-written", true},
        {"stop in the verify", RadioOfModel(65), 300, "", RadioResult::kFail,
         "stopped by the user during the verify read; the radio was written but not checked", true},
        {"backup not stored", RadioOfModel(65), -1, "disk full", RadioResult::kFail,
         "the backup cannot be stored, so the radio was not written: disk full", false},
        {"other model", other, -1, "", RadioResult::kOtherModel, "radio: 5100, file: 4100", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CycleRun run = Cycle(c.radio, setup, c.stopAfter, c.refuseBackup);
        EXPECT_EQ(run.report.result, c.result);
        EXPECT_EQ(run.report.reason, c.reason);
        EXPECT_EQ(run.after != c.radio, c.written);
    }
}

TEST(StationCycleTest, TemplateNeedsAModelAndEveryChannelInItsBand) {
    const auto& models = DeliveredModels();
    const auto& tones = DeliveredTones();
    EXPECT_TRUE(CheckTemplate(Template(450), models, tones).empty());
    EXPECT_EQ(CheckTemplate(Template(446.00625, testing::kModel4100446), models, tones),
              (std::vector<std::string>{
                  "channel 1: transmit 462.50000 MHz is outside 446.00625-446.09375MHz",
                  "channel 4: receive 440.00000 MHz is outside 446.00625-446.09375MHz"}));
    EXPECT_EQ(
        CheckTemplate(BlankImage(), models, tones),
        std::vector<std::string>{"the file names no model of the configuration (model code FFh)"});
}

}  // namespace
}  // namespace rvm46::comm
