#include "store/history_file.h"

#include "store/field_reader.h"
#include "store/file_replace.h"

#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>

namespace vellix {

namespace {

constexpr const char* ARROW = "  ->  ";
constexpr const char* LINE_END = "\r\n";

void put(std::ostream& stream, const char* text) {
    stream.write(text, static_cast<std::streamsize>(std::strlen(text)));
}

// The arrow's blanks end up in the fields around it: two after the copied number, one
// before the dialed number. They are not part of the numbers, and counting them would
// push a 22- or 23-character digit form past the longest accepted text.
void dropTrailingArrowBlanks(char* copied) {
    std::size_t length = std::strlen(copied);
    for (int blanks = 0; blanks < 2 && length > 0 && copied[length - 1] == ' '; ++blanks)
        copied[--length] = '\0';
}

const char* afterLeadingArrowBlank(const char* dialed) {
    return dialed[0] == ' ' ? dialed + 1 : dialed;
}

bool readFile(const char* name, PairList& history) {
    std::ifstream file(name, std::ios::binary);
    if (!file.is_open())
        return false;
    readHistory(file, history);
    return true;
}

} // namespace

bool writeHistory(std::ostream& stream, const PairList& history) {
    for (const NumberPair& pair : history) {
        put(stream, pair.copied.digitForm());
        put(stream, ARROW);
        put(stream, pair.dialed.digitForm());
        put(stream, LINE_END);
    }
    return stream.good();
}

bool readHistory(std::istream& stream, PairList& history) {
    FieldReader reader(stream);
    FieldReader::Field copied;
    FieldReader::Field dialed;
    while (!reader.done()) {
        // A line without '-' runs on into the next line's copied number.
        reader.read('-', copied);
        if (copied[0] == '\0')
            continue;
        reader.skip(' ');
        reader.read('\n', dialed);
        if (dialed[0] == '\0')
            continue;
        dropTrailingArrowBlanks(copied);
        PhoneNumber copiedNumber;
        PhoneNumber dialedNumber;
        if (!copiedNumber.setText(copied) || !dialedNumber.setText(afterLeadingArrowBlank(dialed)))
            continue;
        NumberPair pair;
        pair.setNumbers(copiedNumber.text(), dialedNumber.text());
        if (pair.copied.digitForm()[0] != '\0' && pair.dialed.digitForm()[0] != '\0')
            history.push_back(pair);
    }
    return true;
}

bool saveHistory(const PairList& history) {
    return replaceFile(HISTORY_FILE,
                       [&history](std::ostream& stream) { return writeHistory(stream, history); });
}

bool loadHistory(PairList& history) {
    // The older name only counts when the newer file cannot be opened at all; an empty
    // newer file is a history of its own.
    return readFile(HISTORY_FILE, history) || readFile(OLD_HISTORY_FILE, history);
}

} // namespace vellix
