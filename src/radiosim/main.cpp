// rvm46-radiosim: a radio on a pseudo-terminal, for trying the program without a radio, for the
// tests and for the transfer benchmark.
#include <CLI/CLI.hpp>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>

#include "radiosim/pty_server.h"
#include "storage/image_file.h"

namespace {

std::atomic<bool> stopRequested{false};

void RequestStop(int) {
    stopRequested = true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace rvm46;
    CLI::App app{
        "Simulated RVM46 radio on a pseudo-terminal: prints the device to use as the "
        "serial port, then answers reads and writes until stopped"};
    std::string imageFile, saveFile, linkPath, faultSpec, traceFile;
    bool pace = false;
    int latencyMs = 0;
    app.add_option("--image", imageFile, "data file whose radio part is the radio's memory");
    app.add_option("--save", saveFile, "data file written after every completed write");
    app.add_option("--link", linkPath, "symbolic link to create to the device");
    app.add_flag("--pace", pace, "every byte takes its 9600 baud time, as on a real line");
    app.add_option("--latency", latencyMs, "turnaround before each reply, milliseconds")
        ->check(CLI::Range(0, 10000));
    app.add_option("--fault", faultSpec,
                   "one fault: nak-handshake, silent-handshake, garbage-handshake, short-ident, "
                   "silent:N, wrong:N, extra:N, hangup:N (block N), corrupt:ADDR");
    app.add_option("--trace", traceFile, "file that receives every frame with a time stamp");
    std::vector<std::string> radioArgs;
    std::string controlFile;
    bool autoSwap = false;
    app.add_option("--radio", radioArgs,
                   "a sequence of radios, one option each: blank, blank@MODELCODE or a data "
                   "file, optionally +FAULT (a --fault, or pull:N: pulled out at write block N)");
    app.add_option("--control", controlFile,
                   "FIFO (created when missing) taking the lines swap, remove, attach [RADIO]");
    app.add_flag("--auto-swap", autoSwap,
                 "a radio written and read back is removed; the next answers after one "
                 "unanswered handshake");
    CLI11_PARSE(app, argc, argv);

    radiosim::ServerOptions options;
    if (!imageFile.empty()) {
        std::string reason;
        auto image = storage::ReadImageFile(imageFile, &reason);
        if (!image) {
            std::cerr << "rvm46-radiosim: cannot read \"" << imageFile << "\": " << reason << "\n";
            return 1;
        }
        options.image = *image;
        options.blankMemory = false;
    }
    if (!saveFile.empty()) options.save = saveFile;
    if (!linkPath.empty()) options.link = linkPath;
    options.pace = pace;
    options.latency = std::chrono::milliseconds(latencyMs);
    if (!faultSpec.empty()) {
        std::string reason;
        auto fault = radiosim::ParseFault(faultSpec, &reason);
        if (!fault) {
            std::cerr << "rvm46-radiosim: " << reason << "\n";
            return 1;
        }
        options.fault = *fault;
    }
    std::FILE* trace = nullptr;
    if (!traceFile.empty()) {
        trace = std::fopen(traceFile.c_str(), "w");
        if (!trace) {
            std::cerr << "rvm46-radiosim: cannot write \"" << traceFile << "\"\n";
            return 1;
        }
        options.trace = trace;
    }

    std::vector<radiosim::RackRadio> rackRadios;
    for (const std::string& described : radioArgs) {
        std::string reason;
        auto radio = radiosim::ParseRackRadio(described, &reason);
        if (!radio) {
            std::cerr << "rvm46-radiosim: " << reason << "\n";
            return 1;
        }
        rackRadios.push_back(*radio);
    }
    std::optional<radiosim::RadioRack> rack;
    if (!rackRadios.empty() || !controlFile.empty()) {
        rack.emplace(std::move(rackRadios), autoSwap);
        std::string reason;
        if (!controlFile.empty() && !rack->OpenControl(controlFile, &reason)) {
            std::cerr << "rvm46-radiosim: " << reason << "\n";
            return 1;
        }
        options.rack = &*rack;
    }

    radiosim::PtyServer server(options);
    std::string error;
    if (!server.Start(&error)) {
        std::cerr << "rvm46-radiosim: " << error << "\n";
        return 1;
    }
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    std::signal(SIGPIPE, SIG_IGN);
    std::cout << server.device() << std::endl;
    server.Serve(stopRequested,
                 [](const std::string& device) { std::cout << device << std::endl; });
    if (trace) std::fclose(trace);
    return 0;
}
