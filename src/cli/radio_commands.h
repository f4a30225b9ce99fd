#pragma once
// The command line's radio verbs: `ports`, `read` and `write`, over the serial line of the comm
// layer. Registered on the command line's parser; run after parsing.

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "comm/protocol.h"
#include "comm/serial_line.h"
#include "model/codeplug_image.h"

namespace rvm46::cli {

// "cannot open the serial port: ..." with a hint when the user may not use serial ports.
std::string OpenMessage(const std::string& message);
// Resolves --port (COM1..COM16 or a device path) against the machine's ports and the
// configuration's pins; InputError when it names none.
std::string DeviceFor(const std::string& port, const std::string& config,
                      comm::SerialSystem& serial);
// The image the window would send for a data file: decoded into the edit state and encoded again.
// InputError when a file cannot be read or the image cannot be encoded; warnings go to `err`.
CodeplugImage Reencode(const std::string& dataFile, const std::string& config,
                       const std::string& tones, std::ostream& err);
// Reads the radio on `port` (COM1..COM16 or a device path) into an image with a read's header;
// throws InputError with the reason when the radio cannot be read.
CodeplugImage ReadRadioImage(comm::SerialSystem& serial, const std::string& port,
                             const std::string& config, std::ostream& err, bool progress,
                             const comm::Timing& timing);

class RadioCommands {
  public:
    // Adds the three verbs. `config` and `tones` are the parser's own values (defaults from the
    // program folder, overridden by --config and --tones). Transfers wait at `timing`'s pace.
    RadioCommands(CLI::App& app, std::string& config, std::string& tones,
                  const comm::Timing& timing);

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
    const comm::Timing timing_;
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
