#pragma once
// The command line's radio verbs: `ports`, `read` and `write`, over the serial line of the comm
// layer. Registered on the command line's parser; run after parsing.

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "comm/serial_line.h"
#include "model/codeplug_image.h"

namespace rvm46::cli {

// Reads the radio on `port` (COM1..COM16 or a device path) into an image with a read's header;
// throws InputError with the reason when the radio cannot be read.
CodeplugImage ReadRadioImage(comm::SerialSystem& serial, const std::string& port,
                             const std::string& config, std::ostream& err, bool progress);

class RadioCommands {
  public:
    // Adds the three verbs. `config` and `tones` are the parser's own values (defaults from the
    // program folder, overridden by --config and --tones).
    RadioCommands(CLI::App& app, std::string& config, std::string& tones);

    // True when one of the verbs was given.
    bool Parsed() const;
    // Runs the verb given; 0 on success, 1 with one message on err otherwise. `progress` shows a
    // progress bar on err during transfers.
    int Run(comm::SerialSystem& serial, std::ostream& out, std::ostream& err, bool progress);

  private:
    int Ports(comm::SerialSystem& serial, std::ostream& out);
    int Read(comm::SerialSystem& serial, std::ostream& err, bool progress);
    int Write(comm::SerialSystem& serial, std::ostream& err, bool progress);

    std::string& config_;
    std::string& tones_;
    CLI::App* ports_ = nullptr;
    CLI::App* read_ = nullptr;
    CLI::App* write_ = nullptr;
    std::string port_;
    bool check_ = false;
    std::string checkPort_;
    std::string systemRoot_ = "/";
    std::string dataFile_;
    std::string backup_;
    bool verify_ = false;
};

}  // namespace rvm46::cli
