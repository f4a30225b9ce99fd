#pragma once
// `rvm46 ports --check [PORT]`: what stands between the user and the port (or, without a port,
// every programming cable plugged in), each finding with its fix. 0 when the port can be opened.

#include <ostream>
#include <string>

#include "comm/serial_line.h"
#include "comm/system_files.h"

namespace rvm46::cli {

// `device` is the resolved device, or empty to check every cable. With `tryOpening`, a port the
// files show no obstacle for is also opened once, and a failure there is the answer.
int CheckPortsVerb(const comm::SystemFiles& files, const std::string& device,
                   const std::string& name, comm::SerialSystem* serial, std::ostream& out);

}  // namespace rvm46::cli
