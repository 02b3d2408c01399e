#include "store/settings_file.h"

#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <string>

namespace vellix {
namespace {

using SettingsFile = ScratchDirectory;

TEST_F(SettingsFile, RemembersTheChoiceAcrossASaveAndALoad) {
    for (const bool find : {false, true}) {
        ASSERT_TRUE(saveSettings(Settings{find, {}}));
        EXPECT_EQ(readBytes(SETTINGS_FILE),
                  std::string("[Vellix]\r\nFindNumbersInText=") + (find ? "1" : "0") + "\r\n");
        Settings loaded{!find, {}};
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
          std::string("FindNumbersInText=")}) {
        writeBytes(SETTINGS_FILE, damaged);
        Settings loaded;
        EXPECT_TRUE(loadSettings(loaded));
        EXPECT_TRUE(loaded.findNumbersInText) << damaged;
    }
}

TEST_F(SettingsFile, ReadsEveryLineAsTheDataFilesAreRead) {
    struct Case {
        std::string file;
        bool find;
        const char* homeCountry;
        DialRoute dialWith;
    };
    const Case cases[] = {
        {"[Vellix]\rFindNumbersInText=0\rHomeCountry=44\rDialWith=link\r", false, "44",
         DialRoute::TEL_LINK},
        {std::string(300, 'x') + "\nFindNumbersInText=0\n HomeCountry=+49 \nDialWith= telephony\n",
         false, "49", DialRoute::TELEPHONY},
        {std::string(5000, 'x') + "\r\nHomeCountry=1\r\n", true, "1", DialRoute::AUTOMATIC},
        // No calling code has more than three digits or anything but digits; no other route.
        {"HomeCountry=1234\nHomeCountry=4x\nHomeCountry=\nDialWith=tapi\n", true, "",
         DialRoute::AUTOMATIC},
    };
    for (const Case& c : cases) {
        writeBytes(SETTINGS_FILE, c.file);
        Settings loaded;
        EXPECT_TRUE(loadSettings(loaded));
        EXPECT_EQ(loaded.findNumbersInText, c.find) << c.file.substr(0, 40);
        EXPECT_EQ(loaded.homeCountry, c.homeCountry) << c.file.substr(0, 40);
        EXPECT_EQ(loaded.dialWith, c.dialWith) << c.file.substr(0, 40);
    }
    Settings chosen;
    chosen.homeCountry = "44";
    chosen.dialWith = DialRoute::TEL_LINK;
    ASSERT_TRUE(saveSettings(chosen));
    EXPECT_EQ(readBytes(SETTINGS_FILE),
              "[Vellix]\r\nFindNumbersInText=1\r\nHomeCountry=44\r\nDialWith=link\r\n");
}

} // namespace
} // namespace vellix
