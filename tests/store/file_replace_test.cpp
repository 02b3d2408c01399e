#include "store/file_replace.h"

#include "store/history_file.h"
#include "store/rules_file.h"

#include "failing_buffer.h"
#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <chrono>
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
    ASSERT_TRUE(saveHistory(historyOf(history)));
    const std::string complete = readBytes(HISTORY_FILE);
    writeBytes(HISTORY_FILE, previous);

    for (std::streamsize limit = 0; limit < static_cast<std::streamsize>(complete.size());
         ++limit) {
        const bool saved = replaceFile(HISTORY_FILE, [&](std::ostream& file) {
            FailingBuffer failing(*file.rdbuf(), limit);
            std::ostream stream(&failing);
            return writeHistory(stream, historyOf(history));
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
    EXPECT_FALSE(saveHistory(historyOf(PairList(1))));
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
    DialingHistory pairs;
    ASSERT_EQ(loadHistory(pairs), FileLoad::READ_TO_REWRITE);
    std::filesystem::create_directory(historyCopy + ".tmp");
    EXPECT_FALSE(saveHistory(pairs));
    EXPECT_EQ(readBytes(HISTORY_FILE), history);
    std::filesystem::remove(historyCopy + ".tmp");
    ASSERT_TRUE(saveHistory(pairs));
    EXPECT_EQ(readBytes(HISTORY_FILE), "412 268 1234  ->  8 1234\r\n");
    EXPECT_EQ(readBytes(historyCopy.c_str()), history);
    // A later round of hand edits gets a copy of its own; the first stays.
    writeBytes(HISTORY_FILE, "damaged later\r\n");
    ASSERT_TRUE(saveHistory(pairs));
    EXPECT_EQ(readBytes(historyCopy.c_str()), history);
    EXPECT_EQ(readBytes((historyCopy + "2").c_str()), "damaged later\r\n");

    const std::string rules = "Dial 412 268 xxxx as 8 xxxx\r\nDial 555 xxxx as 5 xxxx (active)\r\n";
    writeBytes(RULES_FILE, rules);
    RuleSet stored;
    ASSERT_EQ(loadRules(stored), FileLoad::READ);
    ASSERT_TRUE(saveRules(stored));
    EXPECT_EQ(readBytes(RULES_FILE), "Dial 555 xxxx as 5 xxxx (active)\r\n");
    EXPECT_EQ(readBytes((std::string(RULES_FILE) + BACKUP_SUFFIX).c_str()), rules);
    ASSERT_TRUE(saveRules(stored));
    EXPECT_EQ(listing(), "DialingHistory.dat;DialingHistory.dat.bak;DialingHistory.dat.bak2;"
                         "DialingRules.dat;DialingRules.dat.bak;");
}

TEST_F(FileReplace, EveryRoundOfUnreadLinesIsKeptUpToNineCopies) {
    const FileCheck NEVER_WHOLE = [](std::istream&) { return false; };
    for (int round = 1; round <= 12; ++round) {
        writeBytes("data.dat", "round " + std::to_string(round));
        ASSERT_TRUE(replaceEditedFile("data.dat", NEVER_WHOLE, WRITE_NEW));
        // The same bytes again are kept once.
        writeBytes("data.dat", "round " + std::to_string(round));
        ASSERT_TRUE(replaceEditedFile("data.dat", NEVER_WHOLE, WRITE_NEW));
        // Copies made within one tick of the clock look alike in age: the round's copy is
        // dated a second after the one before.
        for (const auto& entry : std::filesystem::directory_iterator(".")) {
            if (entry.path().filename().string().rfind("data.dat.bak", 0) == 0 &&
                readBytes(entry.path().string().c_str()) == "round " + std::to_string(round))
                std::filesystem::last_write_time(entry.path(),
                                                 std::filesystem::file_time_type::clock::now() +
                                                     std::chrono::seconds(round));
        }
    }
    std::string kept;
    for (const char* name : {"data.dat.bak", "data.dat.bak2", "data.dat.bak9"})
        kept += readBytes(name) + ";";
    // Rounds 10 to 12 took the places of the oldest: 1, 2 and 3.
    EXPECT_EQ(kept, "round 10;round 11;round 9;");
    EXPECT_EQ(listing(), "data.dat;data.dat.bak;data.dat.bak2;data.dat.bak3;data.dat.bak4;"
                         "data.dat.bak5;data.dat.bak6;data.dat.bak7;data.dat.bak8;data.dat.bak9;");
}

TEST_F(FileReplace, ALinkedFileStaysALinkAndItsTargetIsReplaced) {
    std::filesystem::create_directory("elsewhere");
    writeBytes("elsewhere/data.dat", "old");
    std::filesystem::create_symlink("elsewhere/data.dat", "data.dat");
    ASSERT_TRUE(replaceFile("data.dat", WRITE_NEW));
    EXPECT_TRUE(std::filesystem::is_symlink("data.dat"));
    EXPECT_EQ(readBytes("elsewhere/data.dat"), "new");
    EXPECT_EQ(listing(), "data.dat;elsewhere;");
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
