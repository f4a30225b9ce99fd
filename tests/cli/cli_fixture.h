#pragma once
// The command line run in-process on a program folder that holds the delivered configuration and
// tone list, with what it prints kept for the test.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/pty_radio.h"
#include "support/temp_dir.h"

namespace rvm46::testing {

class CliTest : public ::testing::Test {
  protected:
    CliTest() {
        std::filesystem::create_directories(dir_ / "Setting");
        for (const char* name : {"Config_5100.ini", "QTDQT_5100.ini"}) {
            std::filesystem::copy_file(DeliveredFile(name), dir_ / "Setting" / name);
        }
    }

    // Runs `rvm46 args...`; what it printed is in out_ and err_.
    int Run(std::vector<std::string> args, comm::SerialSystem* serial = nullptr,
            bool progress = false, const comm::Timing& timing = kSimulatorTiming) {
        args.insert(args.begin(), "rvm46");
        std::vector<const char*> argv;
        for (const auto& a : args) argv.push_back(a.c_str());
        out_.str("");
        err_.str("");
        return cli::RunCli(static_cast<int>(argv.size()), argv.data(), dir_.path(), out_, err_,
                           serial, progress, timing);
    }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    // The data file `name` encoded from a document; its path.
    std::string Encode(const std::string& name = "in.Dat",
                       const std::string& document = kDocument) {
        const std::string dat = Path(name);
        EXPECT_EQ(Run({"encode", dir_.Write(name + ".json", document).string(), dat}), 0)
            << err_.str();
        return dat;
    }

    // The blank image's header, then `memory`: what a read of a radio holding it saves.
    static CodeplugImage WithBlankHeader(const radiosim::RadioMemory& memory) {
        CodeplugImage image = BlankImage();
        std::copy(memory.begin(), memory.end(), image.begin() + 50);
        return image;
    }

    // The simulated radio holding `image` on a pseudo-terminal, with an optional fault.
    static std::unique_ptr<PtyRadio> StartRadio(const CodeplugImage& image,
                                                const char* fault = nullptr) {
        radiosim::ServerOptions options;
        options.image = image;
        options.blankMemory = false;
        if (fault) options.fault = *radiosim::ParseFault(fault, nullptr);
        auto radio = std::make_unique<PtyRadio>(options);
        EXPECT_TRUE(radio->started()) << radio->error();
        return radio;
    }

    // Two channels, one without a transmit frequency, and the lists at their ends.
    static constexpr const char* kDocument = R"({"model": 2, "beep_tone": 1, "battery_save": 0,
      "squelch": 9, "monitor_key": 0, "time_out_timer": 10, "wide_narrow": 0, "channels": [
      {"rx": 446.00625, "tx": 446.00625, "decode_tone": 0, "encode_tone": 12, "busy_lockout": 0,
       "shift": 1}, null, null, null, null, null, null, null, null,
      {"rx": 462.5, "tx": null, "decode_tone": 150, "encode_tone": null, "busy_lockout": 1,
       "shift": 0}, null, null, null, null, null, null]})";

    TempDir dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

}  // namespace rvm46::testing
