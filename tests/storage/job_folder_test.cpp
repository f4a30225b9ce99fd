// The job folder: local times with their offset, and a folder that already holds a job refused.
#include "storage/job_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "support/temp_dir.h"

namespace rvm46::storage {
namespace {

TEST(JobFolderTest, TimesCarryTheLocalOffset) {
    const char* before = std::getenv("TZ");
    const std::string saved = before ? before : "";
    const auto when = JobClock::from_time_t(1796000000);  // 2026-11-30 (a Monday), 00:53:20 UTC
    for (const auto& [zone, text] : {std::pair{"CST-8", "2026-11-30T08:53:20+08:00"},
                                     {"NST+3:30", "2026-11-29T21:23:20-03:30"},
                                     {"UTC0", "2026-11-30T00:53:20+00:00"}}) {
        SCOPED_TRACE(zone);
        setenv("TZ", zone, 1);
        tzset();
        EXPECT_EQ(IsoLocalTime(when), text);
    }
    if (before) {
        setenv("TZ", saved.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

TEST(JobFolderTest, AFolderHoldingAJobIsRefused) {
    testing::TempDir dir;
    std::string error;
    ASSERT_TRUE(JobFolder::Create(dir / "job", BlankImage(), &error).has_value()) << error;
    EXPECT_FALSE(JobFolder::Create(dir / "job", BlankImage(), &error).has_value());
    EXPECT_NE(error.find("already holds a job"), std::string::npos) << error;
}

}  // namespace
}  // namespace rvm46::storage
