#include "store/settings_file.h"

#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <string>

namespace vellix {
namespace {

using SettingsFile = ScratchDirectory;

TEST_F(SettingsFile, RemembersTheChoiceAcrossASaveAndALoad) {
    for (const bool find : {false, true}) {
        ASSERT_TRUE(saveSettings(Settings{find}));
        EXPECT_EQ(readBytes(SETTINGS_FILE),
                  std::string("[Vellix]\r\nFindNumbersInText=") + (find ? "1" : "0") + "\r\n");
        Settings loaded{!find};
        EXPECT_TRUE(loadSettings(loaded));
        EXPECT_EQ(loaded.findNumbersInText, find);
    }
}

TEST_F(SettingsFile, AMissingOrDamagedFileMeansSearching) {
    Settings settings;
    EXPECT_FALSE(loadSettings(settings));
    EXPECT_TRUE(settings.findNumbersInText);
    for (const std::string& damaged :
         {std::string("FindNumbersInText=no\r\n"), std::string("\0\xff\x01garbage", 10),
          std::string(300, 'x') + "\nFindNumbersInText=0\n", std::string("FindNumbersInText=")}) {
        writeBytes(SETTINGS_FILE, damaged);
        Settings loaded;
        EXPECT_TRUE(loadSettings(loaded));
        EXPECT_TRUE(loaded.findNumbersInText) << damaged;
    }
}

} // namespace
} // namespace vellix
