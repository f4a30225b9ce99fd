#pragma once
// The folder of one programming-station job: template.Dat (the exact image written to every
// radio), radio-NNN.Dat (what radio NNN held before it was written, a data file that can be
// written back), and log.csv, one row per radio, appended and flushed to disk as the radio ends,
// so a crash or a pulled plug loses no finished row. The log is UTF-8 with a byte order mark (so
// spreadsheet programs show Chinese reasons) with fields quoted as the channel list export does.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "model/codeplug_image.h"

namespace rvm46::storage {

using JobClock = std::chrono::system_clock;

inline constexpr const char* kJobLogHeader =
    "radio,started,finished,port,result,reason,model_before,backup";

struct JobLogRow {
    int radio = 0;  // 1-based number in the job
    JobClock::time_point started;
    JobClock::time_point finished;
    std::string port;
    std::string result;  // "pass", "fail", "other-model"
    std::string reason;
    std::string modelBefore;
    std::string backup;  // path of the backup; empty when none was stored
};

// "2026-12-07T04:31:02+01:00": local time with its offset.
std::string IsoLocalTime(JobClock::time_point when);
// A job folder name from the local time: "20261207_043102" (`window`) or
// "rvm46-job-20261207-043102".
std::string JobFolderName(JobClock::time_point when, bool window);

class JobFolder {
  public:
    // Creates the folder (with missing parents), template.Dat and log.csv with its header. A folder
    // that already holds a job's log is refused, so no earlier backup is ever overwritten.
    static std::optional<JobFolder> Create(const std::filesystem::path& folder,
                                           const CodeplugImage& image, std::string* error);

    const std::filesystem::path& folder() const { return folder_; }
    // radio-001.Dat for radio 1.
    std::filesystem::path BackupPath(int radio) const;
    // "" when stored, else why not.
    std::string SaveBackup(int radio, const CodeplugImage& image) const;
    // "" when the row is on disk, else why not.
    std::string AppendLog(const JobLogRow& row) const;

  private:
    explicit JobFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::filesystem::path folder_;
};

}  // namespace rvm46::storage
