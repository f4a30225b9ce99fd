#pragma once
// The command line's comparison of a data file with another data file or with the radio:
//   diff [--json] A.Dat B.Dat
//   diff [--json] A.Dat --port PORT
// Exit status 0 equal, 1 different, 2 usage or an unreadable file, 3 the radio could not be read.

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "comm/protocol.h"
#include "comm/serial_line.h"
#include "model/model_table.h"
#include "model/tone_table.h"
#include "storage/codeplug_diff.h"

namespace rvm46::cli {

struct DiffVerb {
    CLI::App* verb = nullptr;
    std::string a;
    std::string b;
    std::string port;
    bool json = false;
    comm::Timing timing;  // the pace of a radio read's waits

    bool Parsed() const { return verb->parsed(); }
};

// Adds the verb with its --config and --tones options bound to the given strings.
void AddDiffVerb(CLI::App& app, std::string& config, std::string& tones, DiffVerb& diff);

// Runs the parsed verb; `serial` is the machine's serial ports (nullptr: Qt's). Throws
// InputError for an unreadable file; a radio that cannot be read is told on err with status 3.
int RunDiff(const DiffVerb& diff, const std::string& config, const ModelTable& models,
            const ToneTable& tones, comm::SerialSystem* serial, std::ostream& out,
            std::ostream& err, bool progress);

// The differences as a JSON array, one object per difference:
// {"where": "channel 3" or "radio", "field": KEY, "a": VALUE, "b": VALUE}, values as `decode`
// prints them.
std::string DifferencesToJson(const std::vector<storage::Difference>& differences);

}  // namespace rvm46::cli
