#include "capture/copied_text.h"
#include "capture/digit_string.h"
#include "capture/number_finder.h"
#include "capture/number_reading.h"

#include "number_corpus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace vellix {
namespace {

// A heap copy of exactly the text's bytes, without a NUL, so that AddressSanitizer reports
// a read past the end.
CapturedNumberList findIn(const std::string& text) {
    const auto bytes = std::make_unique<char[]>(text.size());
    std::memcpy(bytes.get(), text.data(), text.size());
    CapturedNumberList found;
    const bool appended = findNumbers(bytes.get(), text.size(), found);
    EXPECT_EQ(appended, !found.empty());
    // What is dialed holds every digit written before the extension but the trunk 0 in "(0)":
    // "0113&nbsp;496..." was once dialed as 0113.
    const auto digits = [](const char* s) {
        const std::string text(s);
        const std::size_t trunk = text.find("(0)");
        return std::count_if(text.begin(), text.end(), isDigit) -
               (trunk != std::string::npos ? 1 : 0);
    };
    for (const CapturedNumber& n : found) {
        const NumberReading reading = readNumber(n.number().text());
        EXPECT_LE(digits(n.number().text()) - digits(reading.extension),
                  digits(n.number().digitForm()))
            << n.number().text() << " dialed as " << n.number().digitForm();
    }
    return found;
}

std::string describe(const CapturedNumberList& numbers) {
    std::ostringstream out;
    for (const CapturedNumber& n : numbers)
        out << "  " << n.label() << " | " << n.kind() << " | " << n.number().text() << "\n";
    return numbers.empty() ? "  none\n" : out.str();
}

std::string describe(const std::vector<corpus::Expected>& numbers) {
    std::ostringstream out;
    for (const corpus::Expected& n : numbers)
        out << "  " << n.label << " | " << n.kind << " | " << n.text << "\n";
    return numbers.empty() ? "  none\n" : out.str();
}

bool same(const CapturedNumberList& found, const std::vector<corpus::Expected>& expected) {
    if (found.size() != expected.size())
        return false;
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (found[i].label() != expected[i].label || found[i].kind() != expected[i].kind ||
            found[i].number().text() != corpus::folded(expected[i].text))
            return false;
    }
    return true;
}

TEST(FindNumbers, YieldsWhatEveryCorpusTextHolds) {
    const std::vector<corpus::Case> cases = corpus::load(VELLIX_NUMBER_CORPUS);
    std::size_t withoutNumbers = 0;
    for (const corpus::Case& c : cases) {
        withoutNumbers += c.numbers.empty() ? 1 : 0;
        const CapturedNumberList found = findIn(corpus::folded(c.text));
        EXPECT_TRUE(same(found, c.numbers)) << c.title << "\nexpected:\n"
                                            << describe(c.numbers) << "actual:\n"
                                            << describe(found);
    }
    EXPECT_GE(cases.size(), 150U);
    EXPECT_GE(withoutNumbers * 3, cases.size());
}

// One case for each way a reader tells a number from look-alike digits; a number nothing
// names has no label.
TEST(FindNumbers, ReadsTextAsACarefulPersonWould) {
    const struct {
        const char* why;
        const char* text;
        const char* found;
    } cases[] = {
        {"one blank between two numbers", "Phones: 412-268-1234 412-268-5678",
         "  Phones | 0 | 412-268-1234\n   | 0 | 412-268-5678\n"},
        {"an area code in parentheses starts the next number",
         "Lines: (412) 268-1100 (412) 268-1101",
         "  Lines | 0 | (412) 268-1100\n   | 0 | (412) 268-1101\n"},
        {"after a slash, the same exchange's other line", "Tel.: (011) 4555-2187 / 4555-2188",
         "  Tel | 0 | (011) 4555-2187\n   | 0 | 4555-2188\n"},
        {"unnamed identifiers not written as phone numbers are none",
         "VAT GB 123 4567 89, SIREN: 732 829 320, release 4.12.0031", "  none\n"},
        {"an account in blocks after its name", "IBAN NL91 ABNA 0417 1643 00", "  none\n"},
        {"a draw's numbers", "Winning numbers: 04 12 23 35 41", "  none\n"},
        {"a placeholder", "Format: (000) 000-0000", "  none\n"},
        {"a change in an amount", "Population grew by +1 250 000", "  none\n"},
        {"a verb between a name and its number", "Ticket # is 0617-448812", "  none\n"},
        {"one number in international and national form",
         "Call 0044 20 7946 0125, or 020 7946 0125 from the UK", "   | 0 | 0044 20 7946 0125\n"},
        {"marks that may touch a number",
         "sms to=+14129037715 <td>412-268-1000</td> (+44) 20 7946 0321",
         "   | 0 | +14129037715\n   | 0 | 412-268-1000\n   | 0 | (+44) 20 7946 0321\n"},
        {"a slash set off by blanks joins groups", "Telefon: 030 / 2345 6789",
         "  Telefon | 0 | 030 / 2345 6789\n"},
        {"a vanity number followed by words", "Call 1-800-FLOWERS or order online",
         "   | 0 | 1-800-FLOWERS\n"},
        {"a word of its kind in a sentence", "mi cel es 55 1234 5678",
         "  cel | 2 | 55 1234 5678\n"},
        {"four pairs named a line", "Mobil: 22 04 18 50", "  Mobil | 2 | 22 04 18 50\n"},
        {"the label as written, without an aside of hours",
         "Park office (8am-6pm): (02) 5550 9012  Telefon privat: 030 1234567",
         "  Park office | 0 | (02) 5550 9012\n  Telefon privat | 1 | 030 1234567\n"},
        {"a column's heading names a number", "name,phone,email\r\nAnn,0412 345 678,ann@example",
         "  phone | 0 | 0412 345 678\n"},
        {"a column's heading says it is none", "name,account,city\r\nAnn,0412 345 678,Oslo",
         "  none\n"},
        {"a slash set off by blanks parts two whole numbers", "Call 98450 12345 / 080-4112 7788.",
         "   | 0 | 98450 12345\n   | 0 | 080-4112 7788\n"},
        {"a verb of calling in another language", "Para cambios ll\341menos al 971 724 811.",
         "   | 0 | 971 724 811\n"},
        {"an extension marked by a word", "conserjeria 22 555 6140, anexo 12",
         "   | 0 | 22 555 6140, anexo 12\n"},
        {"a name in a list of phone lines", "Citas: 55 5555 2718\nCelular: 55 4120 8836",
         "  Citas | 0 | 55 5555 2718\n  Celular | 2 | 55 4120 8836\n"},
        {"the same name alone names no line", "Speed of light: 299 792 458", "  none\n"},
        {"a link and its text, named once",
         "Phone: <a href=\"tel:+18005550199\">1-800-555-0199</a>", "  Phone | 0 | +18005550199\n"},
        {"a page's no-break space, a switchboard's tail after a lone digit, a lone area digit",
         "Fax: 06221&nbsp;43891-29<br>Telefon: +49 (0) 6721 98 44 7-0\ntelefon: 06 1 447 1830",
         "  Fax | 0 | 06221 43891-29\n  Telefon | 0 | +49 (0) 6721 98 44 7-0\n"
         "  telefon | 0 | 06 1 447 1830\n"},
        {"a phone word calls numbers in its own sentence only",
         "chiama il cellulare 338 472 1906. Il codice del ritiro \350 4471-0918.",
         "  cellulare | 2 | 338 472 1906\n"},
        {"numbered things: a year inside, a reference compound, a snake-case key, a column",
         "contrato 08-2024-00317\nZahlungsreferenz: 0918 2044 7183\n"
         "WHERE account_no = '0030 1234 5678'\nPos.  Artikel-Nr.     Menge\n"
         "3     0815-2231-77    3\nKlantenservice: 0800-0224 (ma t/m vr 8.00 uur)",
         "  Klantenservice | 0 | 0800-0224\n"},
        {"a slash or a label word of the line parts whole numbers",
         "Tel: 915 27 44 08 / 654 31 22 97\nMob: +91 98260 47315, 93032 18846",
         "  Tel | 0 | 915 27 44 08\n   | 0 | 654 31 22 97\n  Mob | 2 | +91 98260 47315\n"
         "   | 0 | 93032 18846\n"},
        {"words of other languages call a number and name an extension",
         "Per la consegna chiamaci al 051 632 8810 interno 23.\n"
         "Appelez le 971 724 811, poste 12, sinon liga no fixo 21 2557-4410",
         "   | 0 | 051 632 8810 interno 23\n   | 0 | 971 724 811, poste 12\n"
         "  fixo | 0 | 21 2557-4410\n"},
        {"codes: one run named something else, a local form in a longer text, card blocks",
         "KID: 0011873204189\nOfsted URN 100234  DfE 202-2041\n"
         "carteirinha 882 4417 0031 6629 005\nC\351gjegyz\351ksz\341m: 01-09-318847",
         "  none\n"},
        {"coordinates, a next column's name, drawn pairs in order",
         "gps=+52.520008,+013.404954\nMRN: 004-882-7731   DOB: 1962-08-19\n"
         "Vinnertall: 04 11 23 38 45",
         "  none\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(findIn(c.text)), c.found) << c.why << ": " << c.text;
}

TEST(FindNumbers, SearchesOnlyInsideTheTextAndItsFirst64KiB) {
    const std::string number = "Call 412-268-1234";
    const std::string padding(SEARCHED_TEXT_LIMIT - number.size(), ' ');
    EXPECT_EQ(findIn(padding + number).size(), 1U);
    EXPECT_TRUE(findIn(padding + std::string(number.size(), ' ') + number).empty());
    // The first NUL ends the text; a size shorter than the text ends it too.
    EXPECT_TRUE(findIn(std::string("Call me\0 412-268-1234", 21)).empty());
    CapturedNumberList found;
    EXPECT_FALSE(findNumbers("Call 412-268-1234", 12, found));
    EXPECT_FALSE(findNumbers(nullptr, 100, found));
}

TEST(FindNumbers, KeepsTheFirst32DistinctNumbers) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "412-555-" + std::to_string(1000 + i) + "\n412-555-1000\n";
    const CapturedNumberList found = findIn(text);
    ASSERT_EQ(found.size(), MAX_FOUND_NUMBERS);
    EXPECT_STREQ(found[31].number().text(), "412-555-1031");
}

TEST(FindNumbers, SkipsANumberWhoseTextIsTooLongForOne) {
    EXPECT_TRUE(findIn("Phone: +420 (0)  12 34 56 78 901 today").empty());
}

// What a copy of text yields, each number as its reading shows it ("412 268 1234 x204").
std::vector<std::string> readCopy(const std::string& text, bool findInText) {
    // An exact-size copy without a terminator: the sanitizer reports any read past it.
    const auto bytes = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(bytes.get(), text.data(), text.size());
    CapturedNumberList found;
    const bool any = readCopiedText(bytes.get(), text.size(), findInText, found);
    EXPECT_EQ(any, !found.empty()) << text;
    std::vector<std::string> shown;
    for (const CapturedNumber& n : found)
        shown.push_back(shownNumber(readNumber(n.number().text())));
    return shown;
}

TEST(ReadCopiedText, TakesAShortTextOnlyWhenItReadsAsOneNumber) {
    const auto rows = corpus::loadRows(VELLIX_SHORT_TEXTS);
    EXPECT_GE(rows.size(), 60U);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 2U) << row.front();
        ASSERT_LE(row[0].size(), PhoneNumber::MAX_TEXT_LENGTH) << row[0];
        const std::vector<std::string> expected =
            row[1] == "none" ? std::vector<std::string>{} : std::vector<std::string>{row[1]};
        // With the search switched off the text is read whole; switched on, the search's
        // own filters turn away what the whole reading does.
        EXPECT_EQ(readCopy(row[0], false), expected) << row[0];
        if (expected.empty()) {
            EXPECT_EQ(readCopy(row[0], true), expected) << row[0] << " (searched)";
        }
    }
}

TEST(ReadCopiedText, SearchesLongerTextsOnlyWhenAskedTo) {
    const std::string text = "Call Dana at 412-268-1234, Lee at 412-555-0199";
    EXPECT_EQ(readCopy(text, true), (std::vector<std::string>{"412 268 1234", "412 555 0199"}));
    EXPECT_TRUE(readCopy(text, false).empty());
    EXPECT_TRUE(readCopy("A longer text without any number at all", true).empty());
    // A short text of two numbers is searched too.
    EXPECT_EQ(readCopy("555-1212 or 555-1313", true),
              (std::vector<std::string>{"555 1212", "555 1313"}));
    CapturedNumberList found;
    EXPECT_FALSE(readCopiedText(nullptr, 5, true, found));
}

TEST(ReadCopiedText, ReadsUnicodeTextFoldedToUtf8) {
    // Thin space, minus sign, figure dash, narrow no-break space, full-width digits; a
    // Japanese label with a full-width colon and a number in full-width parentheses.
    const std::u16string copied = u"Tel.\u2009412\u2212268\u20121234, or \uFF15\uFF15\uFF15"
                                  u"\u202F0100 \u00E0 \u00D7\r\n\u96FB\u8A71\uFF1A\uFF08"
                                  u"03\uFF09\uFF11234-5678";
    const std::string folded = foldCopiedText(copied);
    EXPECT_EQ(folded, "Tel. 412-268-1234, or 555 0100 \u00E0 \u00D7\r\n\u96FB\u8A71:(03)1234-5678");
    EXPECT_EQ(readCopy(folded, true),
              (std::vector<std::string>{"412 268 1234", "555 0100", "03 1234 5678"}));
    CapturedNumberList found;
    ASSERT_TRUE(findNumbers(folded.data(), folded.size(), found));
    EXPECT_STREQ(found.back().label(), "\u96FB\u8A71");
    // A sum in euros, pounds, yen or rupees is no number, the sign before or after it.
    EXPECT_EQ(readCopy("Sum: 412-268-1234", true), std::vector<std::string>{"412 268 1234"});
    for (const char* sum : {"Sum: \u20AC 412-268-1234", "Sum: 412-268-1234 \u00A3",
                            "Sum: \u00A5412-268-1234", "Sum: 412-268-1234\u20B9"})
        EXPECT_TRUE(readCopy(sum, true).empty()) << sum;
}

TEST(ReadCopiedText, KeepsTheLabelOfALabelledNumber) {
    CapturedNumberList found;
    ASSERT_TRUE(readCopiedText("Mobile: 412 555 0199", 20, false, found));
    ASSERT_EQ(found.size(), 1U);
    EXPECT_STREQ(found[0].label(), "Mobile");
    EXPECT_EQ(found[0].kind(), KIND_CELL);
}

} // namespace
} // namespace vellix
