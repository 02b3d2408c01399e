#include "fake_desktop.h"
#include "shell/dialing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellix {
namespace {

using Calls = std::vector<std::string>;

TEST(DialRoute, FollowsTheChoiceOrWhatThePcIsSetUpFor) {
    const struct {
        const char* what;
        DialRoute chosen;
        CallHandlers handlers;
        std::vector<CallResult> results;
        Calls expected;
    } cases[] = {
        {"an office phone system takes telephony requests",
         DialRoute::AUTOMATIC,
         {true, "Teams", false},
         {},
         {"requestCall 8 1234", "showCallPlaced"}},
        {"only a tel: program",
         DialRoute::AUTOMATIC,
         {false, "Teams", false},
         {},
         {"openLink 8 1234", "showCallPlaced"}},
        {"Vellix takes tel: links itself",
         DialRoute::AUTOMATIC,
         {false, "Vellix", true},
         {CallResult::NO_TELEPHONY},
         {"requestCall 8 1234", "showCallFailure 1"}},
        {"telephony chosen, nothing takes it: the tel: program does",
         DialRoute::TELEPHONY,
         {false, "Teams", false},
         {CallResult::NO_TELEPHONY},
         {"requestCall 8 1234", "openLink 8 1234", "showCallPlaced"}},
        {"tel: program chosen, none there",
         DialRoute::TEL_LINK,
         {true, "", false},
         {CallResult::NO_LINK_PROGRAM},
         {"openLink 8 1234", "showCallFailure 2"}},
        {"the program did not start",
         DialRoute::TEL_LINK,
         {false, "Teams", false},
         {CallResult::FAILED},
         {"openLink 8 1234", "showCallFailure 3"}},
    };
    for (const auto& c : cases) {
        testing::FakeDesktop desktop;
        desktop.handlers = c.handlers;
        desktop.callResults = c.results;
        placeCall(desktop, "8 1234", c.chosen);
        EXPECT_EQ(desktop.calls, c.expected) << c.what;
    }
}

TEST(DialRoute, ReadsTheTelephonyPriorityList) {
    const struct {
        const char* list;
        bool recipient;
    } cases[] = {
        {"", false},
        {"\"dialer.exe\"", false},
        {"\"C:\\\\Windows\\\\DIALER.EXE\"", false},
        {"\"dialer.exe\"\"pbxclient.exe\"", true},
        {"pbxclient.exe", true},
        {"\"  \"\"dialer.exe", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(namesTelephonyRecipient(c.list), c.recipient) << c.list;
}

} // namespace
} // namespace vellix
