// Runs one scenario through rvm46-script in a fresh copy of the program folder and checks the
// outcome against the scenario's expectation file.
//
//     scenario_check DRIVER SETTING_DIR WORK_DIR NAME.script NAME.expect
//
// Expectation lines ('#' starts a comment line):
//     exit N                      the driver's exit status (0 when not given)
//     stderr TEXT                 standard error contains TEXT
//     dumps N                     number of dump lines printed
//     [@K] /json/pointer = JSON   in dump K (1-based; default: the last dump)
//     [@K] /json/pointer absent   the dump has no such member
//     ini SECTION KEY = VALUE     Setting/Config_5100.ini afterwards ("ini SECTION KEY absent")
//     file PATH size N            a file in the program folder afterwards ("file PATH absent")
//     files DIR/PREFIX count N    number of files in DIR whose names start with PREFIX
// and set-up lines, acted on before the driver runs:
//     pin COMn PATH               COMn of the copied configuration's "Ports" section names PATH
//     radiosim COMn [ARGS...]     starts the simulated radio (the optional RADIOSIM argument)
//                                 with ARGS at WORK_DIR/radio-COMn, pins COMn to it, and stops it
//                                 when the driver has ended
//
// The driver runs in the program folder, so a script names files there by relative paths
// ("filename Data/radio.Dat"); in expectations $PROGRAM stands for the program folder's full path.
// NAME.ini, when present, replaces the delivered Setting/Config_5100.ini before the run; NAME.csv,
// when present, is copied to Data/NAME.csv. The built program's Channels/ folder (beside
// SETTING_DIR) is copied as the program delivers it.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "storage/profile.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string Quote(const fs::path& path) {
    std::string quoted = "'";
    for (char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::vector<std::string> Split(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// The simulated radio, running while the driver runs.
class Radiosim {
  public:
    Radiosim() = default;
    Radiosim(const Radiosim&) = delete;
    Radiosim& operator=(const Radiosim&) = delete;
    ~Radiosim() { Stop(); }

    // Starts `program ARGS --link LINK` and waits until the link is there.
    bool Start(const fs::path& program, std::vector<std::string> args, const fs::path& link,
               const fs::path& log) {
        args.insert(args.begin(), program.string());
        args.push_back("--link");
        args.push_back(link.string());
        pid_ = fork();
        if (pid_ == 0) {
            std::freopen(log.c_str(), "w", stdout);
            std::freopen(log.c_str(), "a", stderr);
            std::vector<char*> argv;
            for (std::string& arg : args) argv.push_back(arg.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        for (int i = 0; i < 200 && pid_ > 0; ++i) {
            std::error_code ec;
            if (fs::exists(fs::symlink_status(link, ec))) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        return false;
    }
    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6 && argc != 7) {
        std::cerr << "usage: scenario_check DRIVER SETTING_DIR WORK_DIR SCRIPT EXPECT [RADIOSIM]\n";
        return 2;
    }
    const fs::path driver = argv[1], setting = argv[2], work = argv[3], script = argv[4],
                   expect = argv[5];
    const fs::path radiosimProgram = argc == 7 ? fs::path(argv[6]) : fs::path();
    const fs::path program = work / "program";
    fs::remove_all(work);
    fs::create_directories(program);
    fs::copy(setting, program / "Setting", fs::copy_options::recursive);
    // NAME.ini beside the script, when there is one, stands in for the delivered configuration.
    if (fs::path config = fs::path(script).replace_extension(".ini"); fs::exists(config)) {
        fs::copy_file(config, program / "Setting" / "Config_5100.ini",
                      fs::copy_options::overwrite_existing);
    }
    if (fs::path list = fs::path(script).replace_extension(".csv"); fs::exists(list)) {
        fs::create_directories(program / "Data");
        fs::copy_file(list, program / "Data" / list.filename());
    }
    if (const fs::path channels = setting.parent_path() / "Channels"; fs::exists(channels)) {
        fs::copy(channels, program / "Channels", fs::copy_options::recursive);
    }

    // Set-up lines of the expectation file: pins and simulated radios.
    std::vector<std::unique_ptr<Radiosim>> radios;
    {
        std::ifstream setup(expect);
        std::string pins;
        for (std::string line; std::getline(setup, line);) {
            std::vector<std::string> words = Split(line);
            if (words.size() >= 3 && words[0] == "pin") {
                pins += words[1] + "=" + words[2] + "\r\n";
            } else if (words.size() >= 2 && words[0] == "radiosim") {
                const fs::path link = work / ("radio-" + words[1]);
                radios.push_back(std::make_unique<Radiosim>());
                if (radiosimProgram.empty() ||
                    !radios.back()->Start(radiosimProgram, {words.begin() + 2, words.end()}, link,
                                          work / ("radiosim-" + words[1] + ".log"))) {
                    std::cerr << "the simulated radio did not start: " << line << "\n";
                    return 1;
                }
                pins += words[1] + "=" + link.string() + "\r\n";
            }
        }
        if (!pins.empty()) {
            std::ofstream config(program / "Setting" / "Config_5100.ini",
                                 std::ios::binary | std::ios::app);
            config << "\r\n[Ports]\r\n" << pins;
        }
    }

    const std::string command = "cd " + Quote(program) + " && " + Quote(driver) + " --folder " +
                                Quote(program) + " " + Quote(script) + " > " +
                                Quote(work / "stdout") + " 2> " + Quote(work / "stderr");
    const int raw = std::system(command.c_str());
    for (auto& radio : radios) radio->Stop();
    if (raw == -1 || !WIFEXITED(raw)) {
        std::cerr << "driver did not run to an exit: " << command << "\n";
        return 1;
    }
    const std::string err = ReadAll(work / "stderr");
    std::vector<json> dumps;
    std::istringstream lines(ReadAll(work / "stdout"));
    for (std::string line; std::getline(lines, line);) {
        dumps.push_back(json::parse(line, nullptr, false));
        if (dumps.back().is_discarded()) {
            std::cerr << "driver printed a line that is not JSON: " << line << "\n";
            return 1;
        }
    }

    int failures = 0;
    int expectedExit = 0;
    std::ifstream in(expect);
    if (!in) {
        std::cerr << "no expectation file " << expect << "\n";
        return 1;
    }
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        line = Trim(line);
        for (auto at = line.find("$PROGRAM"); at != std::string::npos; at = line.find("$PROGRAM")) {
            line.replace(at, 8, program.string());
        }
        if (line.empty() || line[0] == '#') continue;
        const auto fail = [&](const std::string& what) {
            std::cerr << expect.filename().string() << ":" << number << ": " << what << "\n";
            ++failures;
        };
        std::istringstream words(line);
        std::string word, op, rest;
        words >> word;
        try {
            if (word == "exit") {
                words >> expectedExit;
            } else if (word == "stderr") {
                if (err.find(Trim(line.substr(6))) == std::string::npos) fail("stderr lacks it");
            } else if (word == "dumps") {
                std::size_t count = 0;
                words >> count;
                if (dumps.size() != count) fail("got " + std::to_string(dumps.size()) + " dumps");
            } else if (word == "file") {
                std::string path;
                std::size_t size = 0;
                words >> path >> op >> size;
                const fs::path file = program / path;
                const std::string actual =
                    fs::exists(file) ? std::to_string(fs::file_size(file)) + " bytes" : "absent";
                if (op == "absent" ? fs::exists(file) : actual != std::to_string(size) + " bytes") {
                    fail(path + " is " + actual);
                }
            } else if (word == "files") {
                std::string path;
                std::size_t count = 0;
                words >> path >> op >> count;
                const fs::path pattern = program / path;
                const std::string prefix = pattern.filename().string();
                std::size_t actual = 0;
                std::error_code ec;
                for (const auto& entry : fs::directory_iterator(pattern.parent_path(), ec)) {
                    if (entry.path().filename().string().rfind(prefix, 0) == 0) ++actual;
                }
                if (actual != count) fail(path + "* are " + std::to_string(actual) + " files");
            } else if (word == "pin" || word == "radiosim") {
                // set-up, done above
            } else if (word == "ini") {
                std::string section, key;
                words >> section >> key >> op;
                std::getline(words, rest);
                const std::string actual = rvm46::storage::ProfileRead(
                    program / "Setting" / "Config_5100.ini", section, key, "absent", 4096);
                if (actual != (op == "absent" ? "absent" : Trim(rest))) {
                    fail("ini value is " + actual);
                }
            } else {
                std::size_t k = dumps.size();
                std::string pointer = word;
                if (word[0] == '@') {
                    k = std::stoul(word.substr(1));
                    words >> pointer;
                }
                words >> op;
                std::getline(words, rest);
                if (k == 0 || k > dumps.size()) throw std::out_of_range("no such dump");
                const json::json_pointer ptr(pointer);
                const json& dump = dumps[k - 1];
                const std::string actual = dump.contains(ptr) ? dump.at(ptr).dump() : "absent";
                bool wrong = dump.contains(ptr);  // right only for "absent"
                if (op == "=") {
                    wrong = !wrong || dump.at(ptr) != json::parse(Trim(rest));
                } else if (op != "absent") {
                    throw std::invalid_argument("bad operator");
                }
                if (wrong) fail(pointer + " is " + actual);
            }
        } catch (const std::exception& e) {
            fail(std::string("bad expectation line: ") + e.what());
        }
    }
    const int status = WEXITSTATUS(raw);
    if (status != expectedExit) {
        std::cerr << "exit status " << status << ", expected " << expectedExit << "\n";
        ++failures;
    }
    if (failures != 0) {
        std::cerr << "--- stderr of the driver:\n" << err << "--- " << dumps.size() << " dump(s)\n";
        return 1;
    }
    return 0;
}
