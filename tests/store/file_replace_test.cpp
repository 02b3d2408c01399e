#include "store/file_replace.h"

#include "store/history_file.h"
#include "store/rules_file.h"

#include "failing_buffer.h"
#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

namespace vellix {
namespace {

using FileReplace = ScratchDirectory;

const FileWriter WRITE_NEW = [](std::ostream& stream) { return (stream << "new").good(); };

// Every cut through a real history save: the stream gives out after n bytes.
TEST_F(FileReplace, WriteFailingAfterAnyByteKeepsThePreviousFile) {
    PairList history(3);
    history[0].setNumbers("(412) 268-1234", "8-1234");
    history[1].setNumbers("650 555 0000", "9 1 650 555 0000");
    history[2].setNumbers("*67 555-1212#", "555 1212#");
    const std::string previous = "555 1212  ->  5 1212\r\n";
    ASSERT_TRUE(saveHistory(history));
    const std::string complete = readBytes(HISTORY_FILE);
    writeBytes(HISTORY_FILE, previous);

    for (std::streamsize limit = 0; limit < static_cast<std::streamsize>(complete.size());
         ++limit) {
        const bool saved = replaceFile(HISTORY_FILE, [&](std::ostream& file) {
            FailingBuffer failing(*file.rdbuf(), limit);
            std::ostream stream(&failing);
            return writeHistory(stream, history);
        });
        EXPECT_FALSE(saved) << "after " << limit << " bytes";
        EXPECT_EQ(readBytes(HISTORY_FILE), previous) << "after " << limit << " bytes";
        EXPECT_EQ(listing(), std::string(HISTORY_FILE) + ";");
    }
}

TEST_F(FileReplace, FolderUnderTheTargetNameFailsWithoutLeftovers) {
    std::filesystem::create_directory("data.dat");
    EXPECT_FALSE(replaceFile("data.dat", WRITE_NEW));
    EXPECT_TRUE(std::filesystem::is_directory("data.dat"));
    EXPECT_EQ(listing(), "data.dat;");
}

TEST_F(FileReplace, BothSavesKeepThePreviousFileWhenTheTemporaryCannotBeWritten) {
    for (const char* name : {HISTORY_FILE, RULES_FILE}) {
        writeBytes(name, "previous");
        std::filesystem::create_directories(std::string(name) + ".tmp/inside");
    }
    EXPECT_FALSE(saveHistory(PairList(1)));
    EXPECT_FALSE(saveRules(RuleSet(1)));
    for (const char* name : {HISTORY_FILE, RULES_FILE}) {
        EXPECT_EQ(readBytes(name), "previous");
        EXPECT_TRUE(std::filesystem::is_directory(std::string(name) + ".tmp/inside"));
    }
}

TEST_F(FileReplace, ReadOnlyFileIsLeftAsItIsUntilItMayBeWrittenAgain) {
    namespace fs = std::filesystem;
    writeBytes("data.dat", "previous");
    const fs::perms writable =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions("data.dat", writable, fs::perm_options::remove);
    EXPECT_FALSE(replaceFile("data.dat", WRITE_NEW));
    EXPECT_EQ(readBytes("data.dat"), "previous");
    EXPECT_EQ(listing(), "data.dat;");

    fs::permissions("data.dat", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(replaceFile("data.dat", WRITE_NEW));
    EXPECT_EQ(readBytes("data.dat"), "new");
}

// What a person wrote that the program cannot read survives the first save beside the file;
// a save that cannot keep it leaves the file alone.
TEST_F(FileReplace, SaveAfterReadingADamagedFileKeepsTheOriginalOnce) {
    const std::string history = "# office\r\n412-268-1234  ->  8 1234\r\n";
    const std::string historyCopy = std::string(HISTORY_FILE) + BACKUP_SUFFIX;
    writeBytes(HISTORY_FILE, history);
    PairList pairs;
    ASSERT_TRUE(loadHistory(pairs));
    std::filesystem::create_directory(historyCopy + ".tmp");
    EXPECT_FALSE(saveHistory(pairs));
    EXPECT_EQ(readBytes(HISTORY_FILE), history);
    std::filesystem::remove(historyCopy + ".tmp");
    ASSERT_TRUE(saveHistory(pairs));
    EXPECT_EQ(readBytes(HISTORY_FILE), "412 268 1234  ->  8 1234\r\n");
    EXPECT_EQ(readBytes(historyCopy.c_str()), history);
    writeBytes(HISTORY_FILE, "damaged later\r\n");
    ASSERT_TRUE(saveHistory(pairs));
    EXPECT_EQ(readBytes(historyCopy.c_str()), history);

    const std::string rules = "Dial 412 268 xxxx as 8 xxxx\r\nDial 555 xxxx as 5 xxxx (active)\r\n";
    writeBytes(RULES_FILE, rules);
    RuleSet stored;
    ASSERT_TRUE(loadRules(stored));
    ASSERT_TRUE(saveRules(stored));
    EXPECT_EQ(readBytes(RULES_FILE), "Dial 555 xxxx as 5 xxxx (active)\r\n");
    EXPECT_EQ(readBytes((std::string(RULES_FILE) + BACKUP_SUFFIX).c_str()), rules);
    ASSERT_TRUE(saveRules(stored));
    EXPECT_EQ(listing(), "DialingHistory.dat;DialingHistory.dat.bak;DialingRules.dat;"
                         "DialingRules.dat.bak;");
}

TEST_F(FileReplace, StaleTemporaryFileIsOverwritten) {
    writeBytes("data.dat.tmp", "left over from a crash, and longer than the new content");
    ASSERT_TRUE(replaceFile("data.dat", WRITE_NEW));
    EXPECT_EQ(readBytes("data.dat"), "new");
    EXPECT_EQ(listing(), "data.dat;");
}

TEST_F(FileReplace, MissingFolderFails) {
    EXPECT_FALSE(replaceFile("no such folder/data.dat", WRITE_NEW));
    EXPECT_EQ(listing(), "");
}

} // namespace
} // namespace vellix
