// The simulator as a program: its options, the device it prints, the link, --save, and a clean
// stop on SIGTERM.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "comm/transfer.h"
#include "serialport/qt_serial_line.h"
#include "storage/image_file.h"
#include "support/temp_dir.h"

namespace rvm46 {
namespace {

// The simulator started with arguments; its first line of output, and its exit status once
// stopped.
class Simulator {
  public:
    explicit Simulator(const std::vector<std::string>& args) {
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            dup2(out[1], STDERR_FILENO);
            close(out[0]);
            const std::string program = std::string(RVM46_PROGRAM_DIR) + "/rvm46-radiosim";
            std::vector<char*> argv = {const_cast<char*>(program.c_str())};
            for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        output_ = fdopen(out[0], "r");
    }
    ~Simulator() {
        Stop();
        if (output_) std::fclose(output_);
    }
    std::string Line() {
        char line[512] = {};
        if (!output_ || !std::fgets(line, sizeof line, output_)) return "";
        std::string text = line;
        if (!text.empty() && text.back() == '\n') text.pop_back();
        return text;
    }
    // Stops it (SIGTERM) and gives its exit status.
    int Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            pid_ = -1;
        }
        return status_;
    }
    // Waits for it to end by itself.
    int Wait() {
        if (pid_ > 0) {
            int status = 0;
            waitpid(pid_, &status, 0);
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            pid_ = -1;
        }
        return status_;
    }

  private:
    pid_t pid_ = -1;
    std::FILE* output_ = nullptr;
    int status_ = -1;
};

TEST(RadiosimProgramTest, ServesItsImageSavesWritesAndRemovesItsLink) {
    testing::TempDir dir;
    CodeplugImage start = BlankImage();
    for (std::size_t i = 0; i < start.size(); ++i) start[i] = static_cast<std::uint8_t>(i * 5);
    ASSERT_TRUE(storage::WriteNewImageFile(dir / "in.Dat", start, nullptr));
    const std::string link = (dir / "radio").string();
    Simulator sim({"--image", (dir / "in.Dat").string(), "--save", (dir / "out.Dat").string(),
                   "--link", link, "--latency", "1"});
    ASSERT_EQ(sim.Line(), link);

    serialport::QtSerialLine line;
    comm::ProtocolState state;
    CodeplugImage image = BlankImage();
    auto result = comm::RunOnDevice(
        line, link, [&](comm::SerialLine& l) { return comm::ReadRadio(l, state, image); });
    ASSERT_TRUE(result.ok()) << result.Message();
    EXPECT_TRUE(std::equal(image.begin() + 50, image.end(), start.begin() + 50));

    CodeplugImage sent = image;
    for (std::size_t i = 50; i < sent.size(); ++i) sent[i] = static_cast<std::uint8_t>(~i);
    result = comm::RunOnDevice(
        line, link, [&](comm::SerialLine& l) { return comm::WriteRadio(l, state, sent); });
    ASSERT_TRUE(result.ok()) << result.Message();

    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    const auto saved = storage::ReadImageFile(dir / "out.Dat", nullptr);
    ASSERT_TRUE(saved.has_value());
    EXPECT_TRUE(std::equal(saved->begin(), saved->begin() + 50, start.begin()));
    EXPECT_TRUE(std::equal(saved->begin() + 50, saved->begin() + 50 + 0x3D8, sent.begin() + 50));
    EXPECT_TRUE(std::equal(saved->begin() + 50 + 0x3D8, saved->end(), start.begin() + 50 + 0x3D8));
}

TEST(RadiosimProgramTest, RefusesAnUnknownFaultAndAMissingImage) {
    Simulator fault({"--fault", "silent:128"});
    EXPECT_NE(fault.Line().find("unknown fault \"silent:128\""), std::string::npos);
    EXPECT_EQ(fault.Wait(), 1);
    Simulator image({"--image", "/nonexistent/x.Dat"});
    EXPECT_NE(image.Line().find("cannot read \"/nonexistent/x.Dat\""), std::string::npos);
    EXPECT_EQ(image.Wait(), 1);
}

}  // namespace
}  // namespace rvm46
