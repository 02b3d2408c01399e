#include "capture/finder_label.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vellix::finder {

namespace {

// The last bytes of a text before end, in lower case, read once to be matched against many
// words.
class LoweredTail {
public:
    LoweredTail(const Text& text, int end) : text_(text), end_(end) {
        length_ = std::min(end, LONGEST);
        for (int k = 0; k < length_; ++k)
            bytes_[k] = lower(text.at(end - length_ + k));
    }

    // Whether the text just before end reads word (lower case, may hold blanks and '-') as a
    // whole word; returns where it starts, or -1.
    int startOf(std::string_view word) const {
        const int length = static_cast<int>(word.size());
        // Most words differ in their last letter.
        if (length > length_ || bytes_[length_ - 1] != word.back())
            return -1;
        for (int k = 0; k < length - 1; ++k) {
            if (bytes_[length_ - length + k] != word[k])
                return -1;
        }
        const int start = end_ - length;
        return isLetter(text_.at(start - 1)) ? -1 : start;
    }

private:
    static constexpr int LONGEST = 16;
    const Text& text_;
    int end_;
    int length_ = 0;
    char bytes_[LONGEST] = {};
};

struct LabelWord {
    std::string_view word;
    std::int32_t kind;
};

// Longer phrases first, so that "work phone" wins over "phone".
constexpr LabelWord LABEL_WORDS[] = {
    {"hp", KIND_CELL},
    {"oficina", KIND_GENERAL},
    {"bureau", KIND_GENERAL},
    {"ufficio", KIND_GENERAL},
    {"kantoor", KIND_GENERAL},
    {"kontor", KIND_GENERAL},
    {"escritorio", KIND_GENERAL},
    {"shouji", KIND_CELL},
    {"dianhua", KIND_GENERAL},
    {"work phone", KIND_GENERAL},
    {"home phone", KIND_HOME},
    {"cell phone", KIND_CELL},
    {"mobile phone", KIND_CELL},
    {"office phone", KIND_GENERAL},
    {"business phone", KIND_GENERAL},
    {"direct line", KIND_GENERAL},
    {"direct dial", KIND_GENERAL},
    {"main line", KIND_GENERAL},
    {"toll free", KIND_GENERAL},
    {"toll-free", KIND_GENERAL},
    {"telephone", KIND_GENERAL},
    {"telefon", KIND_GENERAL},
    {"hotline", KIND_GENERAL},
    {"phone", KIND_GENERAL},
    {"tel", KIND_GENERAL},
    {"ph", KIND_GENERAL},
    {"work", KIND_GENERAL},
    {"office", KIND_GENERAL},
    {"direct", KIND_GENERAL},
    {"main", KIND_GENERAL},
    {"home", KIND_HOME},
    {"mobile", KIND_CELL},
    {"mobil", KIND_CELL},
    {"mob", KIND_CELL},
    {"cellphone", KIND_CELL},
    {"cell", KIND_CELL},
    {"pager", KIND_GENERAL},
    {"fax", KIND_GENERAL},
    {"t", KIND_GENERAL},
    {"p", KIND_GENERAL},
    {"o", KIND_GENERAL},
    {"w", KIND_GENERAL},
    {"f", KIND_GENERAL},
    {"h", KIND_HOME},
    {"m", KIND_CELL},
    {"c", KIND_CELL},
};

// Words after a label that still belong to it: "Phone number", "Mobile no.".
constexpr std::string_view NUMBER_WORDS[] = {"number", "no.", "no", "nr.", "nr", "#"};

// Words that make a line's kind: a cell phone's, a home's.
constexpr std::string_view CELL_WORDS[] = {
    "kinito", "hp",     "cep",    "shouji",   "handphone",    "mobil",        "cell",     "handy",
    "natel",  "gsm",    "portab", "telemov",  "movil",        "celular",      "cel",      "mobiel",
    "kom",    "keitai", "mob",    "m\363vil", "m\303\263vil", "telem\363vel", "kom\363rk"};

constexpr std::string_view HOME_WORDS[] = {"home", "privat", "domicile", "casa", "thuis",
                                           "hem",  "jitaku", "residen",  "dom",  "domow"};

// The phrase that ends at end, as people write a label: a few words on the number's line,
// back to a mark that parts it from what came before.
int phraseStart(const Text& text, int end) {
    constexpr int LONGEST = 32;
    constexpr int MOST_WORDS = 4;
    int start = end;
    int words = 0;
    int open = 0;
    while (start > end - LONGEST) {
        const Byte c = text.at(start - 1);
        const bool wordByte = isLetter(c) || isDigitByte(c);
        // An aside closed within the label belongs to it ("Emergency (24/7)"); a dash set off
        // by blanks parts it from what came before ("Facilities desk - Phones").
        open += c == ')' ? 1 : 0;
        if (c == '(' && open-- == 0)
            break;
        // So does a slash set off by blanks: "Tel : +212 5 22 55 12 34 / GSM : ".
        const bool spacedDash =
            (isDash(c) || c == '/') && text.at(start - 2) == ' ' && text.at(start) == ' ';
        const bool joining = c == '.' || c == '&' || ((c == '/' || isDash(c)) && !spacedDash) ||
                             c == '(' || c == ')' || c == '\'' || c == '_' ||
                             (c == ' ' && text.at(start - 2) != ' ');
        if (!wordByte && !joining)
            break;
        if (wordByte && !(isLetter(text.at(start)) || isDigitByte(text.at(start))) &&
            ++words > MOST_WORDS)
            break;
        --start;
    }
    while (start < end && !(isLetter(text.at(start)) || isDigitByte(text.at(start))))
        ++start;
    // Words of a sentence before the colon are no label; its last word may be one: "if the
    // line is busy try home:".
    if (words > 2 && text.at(start) >= 'a' && text.at(start) <= 'z') {
        start = end;
        while (start > 0 && isLetter(text.at(start - 1)))
            --start;
    }
    return start;
}

// The end of a label without an aside of hours that ends it: "Recepcion (24 h)",
// "Park office (8am-6pm)"; an aside of words stays ("US (New York)").
int withoutHoursAside(const Text& text, int start, int end) {
    if (text.at(end - 1) != ')')
        return end;
    int open = end - 1;
    bool digit = false;
    while (open > start && text.at(open) != '(') {
        digit = digit || isDigitByte(text.at(open));
        --open;
    }
    return text.at(open) == '(' && digit && open > start ? skipSpacesBack(text, open) : end;
}

// The end of a label without the dot that ends it: "Tel.", "Mobile no.".
int withoutEndingDot(const Text& text, int start, int end) {
    return end > start + 1 && text.at(end - 1) == '.' ? end - 1 : end;
}

// Phrases before a number that say how to reach it, not what it is.
bool isCallingPhrase(const Text& text, int start, int end) {
    constexpr std::string_view VERBS[] = {"call", "ring", "dial",   "reach", "text", "to",  "from",
                                          "id",   "uri",  "please", "sms",   "sent", "send"};
    int wordEnd = start;
    while (wordEnd < end && isLetter(text.at(wordEnd)))
        ++wordEnd;
    return wordIn(text, start, wordEnd, VERBS) || isCallingWord(text, start, wordEnd);
}

// In a sentence, the nearest word before the number, a few words back on its line, that
// names a line ("mi cel es 55 1234 5678", "GSM 0475 12 34 56"), with a kind word right after
// it ("Tel. privat"). Verbs of calling name nothing.
Label nameWordBefore(const Text& text, int begin) {
    constexpr int MOST_WORDS = 4;
    int i = begin;
    for (int words = 0; words < MOST_WORDS; ++words) {
        while (i > 0 && !isLetter(text.at(i - 1)) && text.at(i - 1) != '\n' &&
               text.at(i - 1) != '\r' && !isDigitByte(text.at(i - 1)))
            --i;
        const int wordEnd = i;
        while (isLetter(text.at(i - 1)))
            --i;
        if (i == wordEnd)
            return {};
        // A letter alone in a sentence is an abbreviation or a word of its language.
        const std::int32_t kind = wordEnd - i > 1 ? kindOfLabel(text, i, wordEnd) : KIND_GENERAL;
        const bool names = (isPhoneWord(text, i, wordEnd) || kind != KIND_GENERAL) &&
                           !isCallingPhrase(text, i, wordEnd);
        if (!names)
            continue;
        // A word of the kind or the line before it belongs to the label: "Cell phone".
        const int before = skipSpacesBack(text, i);
        int beforeStart = before;
        while (isLetter(text.at(beforeStart - 1)))
            --beforeStart;
        if (beforeStart < before && before < i &&
            (kindOfLabel(text, beforeStart, before) != KIND_GENERAL ||
             isPhoneWord(text, beforeStart, before)) &&
            !isCallingPhrase(text, beforeStart, before))
            i = beforeStart;
        int end = wordEnd;
        // A kind word that follows: "Tel. privat", "telefon domowy".
        int next = wordEnd;
        while (text.at(next) == '.' || text.at(next) == ' ')
            ++next;
        int nextEnd = next;
        while (isLetter(text.at(nextEnd)))
            ++nextEnd;
        if (nextEnd > next && nextEnd < begin && kindOfLabel(text, next, nextEnd) != KIND_GENERAL)
            end = nextEnd;
        end = withoutEndingDot(text, i, end);
        return {i, end, kindOfLabel(text, i, end)};
    }
    return {};
}

Label columnHeading(const Text& text, int begin, Headings& headings) {
    const Span cell = headingOver(text, begin, headings);
    if (cell.start >= cell.end)
        return {};
    const int end = withoutEndingDot(text, cell.start, cell.end);
    return {cell.start, end, kindOfLabel(text, cell.start, end)};
}

} // namespace

Label findLabel(const Text& text, int begin) {
    int end = skipSpacesBack(text, begin);
    if (text.at(end - 1) == ':' || text.at(end - 1) == '.')
        end = skipSpacesBack(text, end - 1);
    // Every label ends in a letter or '#'; most numbers have neither before them.
    if (!isLetter(text.at(end - 1)) && text.at(end - 1) != '#')
        return {};
    int phraseEnd = end;
    const LoweredTail tail(text, end);
    for (const std::string_view word : NUMBER_WORDS) {
        const int start = tail.startOf(word);
        if (start >= 0) {
            phraseEnd = skipSpacesBack(text, start);
            if (text.at(phraseEnd - 1) == '.')
                phraseEnd = skipSpacesBack(text, phraseEnd - 1);
            break;
        }
    }
    const LoweredTail labelTail(text, phraseEnd);
    for (const LabelWord& label : LABEL_WORDS) {
        const int start = labelTail.startOf(label.word);
        // A letter alone is a label only as a word of its own: "T:", not "A/c".
        const Byte before = text.at(start - 1);
        // ... and not an abbreviation: "c. 3382117420" is a Czech "number".
        const bool abbreviation = text.at(start + 1) == '.';
        if (start >= 0 && label.word.size() == 1 && abbreviation)
            continue;
        if (start >= 0 && label.word.size() == 1 &&
            !(before == 0 || isSpace(before) || before == '\n' || before == '\r' || before == '|' ||
              before == ',' || before == ';' || before == '(' || before == '"'))
            continue;
        if (start >= 0)
            return {start, end, label.kind};
    }
    return {};
}

std::int32_t kindOfLabel(const Text& text, int start, int end) {
    if (end - start == 1) {
        const char letter = lower(text.at(start));
        return letter == 'm' || letter == 'c' ? KIND_CELL
               : letter == 'h'                ? KIND_HOME
                                              : KIND_GENERAL;
    }
    std::int32_t kind = KIND_GENERAL;
    anyWord(text, start, end, [&](int wordStart, int wordEnd) {
        const auto begins = [&](std::string_view stem) {
            const int length = static_cast<int>(stem.size());
            return wordEnd - wordStart >= length &&
                   wordIs(text, wordStart, wordStart + length, stem);
        };
        if (std::any_of(std::begin(CELL_WORDS), std::end(CELL_WORDS), begins))
            kind = KIND_CELL;
        else if (std::any_of(std::begin(HOME_WORDS), std::end(HOME_WORDS), begins))
            kind = KIND_HOME;
        return kind != KIND_GENERAL;
    });
    return kind;
}

namespace {

// Where text ends before the tags (and blanks) that end at end, or end itself when no tag
// ends there. At most a few tags, each within reach.
int beforeTags(const Text& text, int end) {
    constexpr int TAG_REACH = 200;
    constexpr int MOST_TAGS = 3;
    int at = end;
    for (int tags = 0; tags < MOST_TAGS && text.at(at - 1) == '>'; ++tags) {
        int open = at - 1;
        while (open > at - TAG_REACH && open > 0 && text.at(open) != '<')
            --open;
        if (text.at(open) != '<')
            break;
        at = skipSpacesBack(text, open);
    }
    return at;
}

} // namespace

Label writtenLabel(const Text& text, int begin, Headings& headings) {
    int end = begin;
    if (text.at(end - 1) == '"' || text.at(end - 1) == '\'')
        --end;
    if (text.at(end - 1) == '>' && text.at(end - 2) != '/') {
        // "<cbc:Telephone>": the tag's name, without its namespace; the tags that lay out a
        // page name nothing.
        constexpr std::string_view LAYOUT_TAGS[] = {"td",  "th",   "p",      "a",    "li",
                                                    "div", "span", "b",      "i",    "em",
                                                    "dd",  "dt",   "strong", "small"};
        const int tagEnd = end - 1;
        int tagStart = tagEnd;
        while (isLetter(text.at(tagStart - 1)))
            --tagStart;
        if (tagStart < tagEnd && (text.at(tagStart - 1) == '<' || text.at(tagStart - 1) == ':') &&
            !wordIn(text, tagStart, tagEnd, LAYOUT_TAGS))
            return {tagStart, tagEnd, kindOfLabel(text, tagStart, tagEnd), true};
        // A layout tag stands between the number and what names it:
        // "Phone: <a href=\"tel:+353...\">01 555 0100</a>". Read on before the tags.
        // Once: what stands before the tags is read as it stands, never as more tags.
        const int before = beforeTags(text, end);
        return before < end && text.at(before - 1) != '>' ? writtenLabel(text, before, headings)
                                                          : Label{};
    }
    // "tel:+44..." in a link, "sip:" and "callto:" are the link's scheme, not a label;
    // "Tel:4125550193" is a label.
    if (text.at(end - 1) == ':' && isLetter(text.at(end - 2))) {
        int scheme = end - 1;
        while (isLetter(text.at(scheme - 1)))
            --scheme;
        constexpr std::string_view SCHEMES[] = {"tel", "sip", "sips", "callto"};
        const Byte before = text.at(scheme - 1);
        const bool link = before == '"' || before == '\'' || before == '=' || before == '<' ||
                          before == '(' || (text.at(scheme) >= 'a' && text.at(end) == '+');
        if (link && wordIn(text, scheme, end - 1, SCHEMES))
            return {};
    }
    end = skipSpacesBack(text, end);
    if (text.at(end - 1) == ':' || text.at(end - 1) == '=') {
        end = skipSpacesBack(text, end - 1);
        if (text.at(end - 1) == '"' || text.at(end - 1) == '\'')
            --end;
        const int start = phraseStart(text, end);
        end = withoutEndingDot(text, start, withoutHoursAside(text, start, end));
        if (start < end && isLetter(text.at(start)) && !isCallingPhrase(text, start, end))
            return {start, end, kindOfLabel(text, start, end), true};
        return {};
    }
    const Label known = findLabel(text, begin);
    if (known.begin >= 0)
        return known;
    const Label heading = columnHeading(text, begin, headings);
    if (heading.begin >= 0)
        return heading;
    return nameWordBefore(text, begin);
}

} // namespace vellix::finder
