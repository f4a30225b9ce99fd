// Data files on disk: reading any size, saving that keeps a longer file's tail, and saves that
// fail without touching the old file or leaving a temporary file behind.
#include "storage/image_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/temp_dir.h"

namespace rvm46::storage {
namespace {

namespace fs = std::filesystem;
using rvm46::testing::TempDir;
constexpr auto Bytes = rvm46::testing::FileBytes;

// Byte i is i mod 251, so every offset is told apart.
std::string Pattern(std::size_t size, int salt = 0) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i + salt) % 251);
    return bytes;
}

CodeplugImage SampleImage() {
    CodeplugImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(255 - i % 200);
    return image;
}

std::string ImageBytes(const CodeplugImage& image) {
    return {reinterpret_cast<const char*>(image.data()), image.size()};
}

std::ptrdiff_t FilesIn(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), {});
}

TEST(ImageFile, ReadTakesTheFirst1074BytesAndZeroFillsAShortFile) {
    TempDir dir;
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{1000}, std::size_t{1074}, std::size_t{2000}}) {
        SCOPED_TRACE(size);
        const std::string content = Pattern(size);
        const auto file = dir.Write("f.Dat", content);
        std::string reason;
        const auto image = ReadImageFile(file, &reason);
        ASSERT_TRUE(image) << reason;
        for (std::size_t i = 0; i < image->size(); ++i) {
            const auto expected = i < size ? static_cast<std::uint8_t>(content[i]) : 0;
            ASSERT_EQ((*image)[i], expected) << "byte " << i;
        }
    }
}

TEST(ImageFile, SaveKeepsALongerFilesTailWriteNewCutsIt) {
    TempDir dir;
    const CodeplugImage image = SampleImage();
    struct Case {
        const char* name;
        std::size_t oldSize;  // 0: no file yet
        std::size_t newSize;
        bool writeNew = false;
    };
    for (const Case c :
         {Case{"new", 0, 1074}, Case{"shorter", 1000, 1074}, Case{"same", 1074, 1074},
          Case{"longer", 2000, 2000}, Case{"written new", 3000, 1074, true}}) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir / (std::string(c.name) + ".Dat");
        const std::string old = Pattern(c.oldSize, 7);
        if (c.oldSize > 0) dir.Write(file.filename().string(), old);
        std::string reason;
        const auto save = c.writeNew ? WriteNewImageFile : SaveImageFile;
        ASSERT_TRUE(save(file, image, &reason, {})) << reason;
        const std::string now = Bytes(file);
        ASSERT_EQ(now.size(), c.newSize);
        EXPECT_EQ(now.substr(0, 1074), ImageBytes(image));
        if (c.newSize > 1074) {
            EXPECT_EQ(now.substr(1074), old.substr(1074));
        }
    }
    // Only the data files are left in the folder.
    EXPECT_EQ(FilesIn(dir.path()), 5);
}

TEST(ImageFile, AFailedSaveLeavesTheOldFileByteForByteAndNoTemporaryFile) {
    TempDir dir;
    const std::string old = Pattern(2000, 3);
    const auto file = dir.Write("keep.Dat", old);
    std::string reason;

    // Failure after the new content is complete on disk, just before it would replace the file.
    fs::path seen;
    const bool saved = ReplaceFile(file, SampleImage(), true, &reason, [&](const fs::path& temp) {
        seen = temp;
        EXPECT_EQ(temp.parent_path(), file.parent_path());  // same folder: rename, not copy
        EXPECT_EQ(Bytes(temp).size(), 2000u);               // the whole new content is there
        return false;
    });
    EXPECT_FALSE(saved);
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(seen.empty());
    EXPECT_EQ(Bytes(file), old);
    EXPECT_EQ(FilesIn(dir.path()), 1);

    // A folder where the file should be, and a folder that does not exist; neither reads.
    fs::create_directory(dir / "folder.Dat");
    EXPECT_FALSE(SaveImageFile(dir / "folder.Dat", SampleImage(), &reason));
    EXPECT_TRUE(fs::is_directory(dir / "folder.Dat"));
    EXPECT_FALSE(ReadImageFile(dir / "folder.Dat", &reason));
    EXPECT_FALSE(ReadImageFile(dir / "missing.Dat", &reason));
    EXPECT_NE(reason.find("missing.Dat"), std::string::npos) << reason;
    EXPECT_FALSE(SaveImageFile(dir / "no-such-folder" / "x.Dat", SampleImage(), &reason));
    EXPECT_NE(reason.find("no-such-folder"), std::string::npos) << reason;
    EXPECT_EQ(FilesIn(dir.path()), 2);  // nothing created
}

}  // namespace
}  // namespace rvm46::storage
