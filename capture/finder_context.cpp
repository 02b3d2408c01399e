#include "capture/finder_context.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace vellix::finder {

namespace {

// Words that call what follows on their line a telephone number: label words in several
// languages and the verbs of calling. Short ones must be the whole word; the others may
// begin a longer one ("Telefonnummer", "phones", "calling").
constexpr std::string_view PHONE_WORDS[] = {"cep",    "tel",        "tlf",  "ph",   "fax",
                                            "gsm",    "sms",        "kom",  "tfn",  "cel",
                                            "t\351l", "t\303\251l", "faks", "fixo", "mob"};

constexpr std::string_view PHONE_STEMS[] = {
    "sentralbord", "vaxel", "v\344xel", "centralino", "dianhua", "shouji", "chuanzhen", "lianxi",
    "phone", "teleph", "telef", "mobil", "cell", "handy", "natel", "portab", "movil", "celular",
    "hotline", "helpline", "whatsapp", "call", "ring", "dial", "reach", "rufnummer", "durchwahl",
    "zentrale", "switchboard", "denwa", "keitai", "jitaku", "freephone", "puhelin", "infolin",
    "contact", "tel\351f", "tel\303\251f", "m\363vil", "m\303\263vil",
    // The desks that answer calls: "Klantenservice: 0800-0224".
    "klantenservice", "kundenservice", "kundendienst", "servicedesk", "helpdesk"};

// Verbs of calling in other languages: "ll\341menos al", "chiamaci", "appelez", "ligue".
constexpr std::string_view CALLING_STEMS[] = {"llam",   "ll\341m", "ll\303\241m", "chiam",
                                              "appel",  "anruf",   "ligue",       "ligar",
                                              "bellen", "comunic", "comun\355c",  "comun\303\255c"};

bool beginsWithAny(const Text& text, int start, int end, const std::string_view* first,
                   const std::string_view* last) {
    return std::any_of(first, last, [&](std::string_view stem) {
        const int length = static_cast<int>(stem.size());
        return end - start >= length && wordIs(text, start, start + length, stem);
    });
}

// "text us", "text me": a number to send messages to is a telephone's.
bool isTextingPhrase(const Text& text, int start, int end) {
    if (!wordIs(text, start, end, "text"))
        return false;
    int next = end;
    while (isSpace(text.at(next)))
        ++next;
    int nextEnd = next;
    while (isLetter(text.at(nextEnd)))
        ++nextEnd;
    return nextEnd > next &&
           (wordIs(text, next, nextEnd, "us") || wordIs(text, next, nextEnd, "me"));
}

// "my number", "our new number": a person's own number is a telephone's.
bool isOwnNumber(const Text& text, int start, int end) {
    if (!(wordIs(text, start, end, "number") || wordIs(text, start, end, "numbers")))
        return false;
    constexpr std::string_view OWNERS[] = {"my", "our", "his", "her", "your", "their", "new"};
    int wordEnd = skipSpacesBack(text, start);
    for (int words = 0; words < 2 && wordEnd < start; ++words) {
        int wordStart = wordEnd;
        while (isLetter(text.at(wordStart - 1)))
            --wordStart;
        if (!wordIn(text, wordStart, wordEnd, OWNERS))
            return false;
        if (!wordIs(text, wordStart, wordEnd, "new"))
            return true;
        wordEnd = skipSpacesBack(text, wordStart);
    }
    return false;
}

// The words before a number that say it is something else.
constexpr std::string_view NOT_NUMBER_BEFORE[] = {
    // Orders, customers and references in other languages.
    "commande",
    "zeichen",
    "az",
    "v/ref",
    "n/ref",
    "kostenstelle",
    "konto",
    "cuenta",
    "conto",
    "compte",
    "rekening",
    "offset",
    "len",
    "contract",
    "contrat",
    "contrato",
    "vertrag",
    "registration",
    "registro",
    "matricola",
    "matricule",
    "voucher",
    "receipt",
    "recibo",
    "quittung",
    "beleg",
    "mandate",
    "mandat",
    "lieferschein",
    "auftragsbestaetigung",
    "bestaetigung",
    "dossier",
    "ice",
    "pedido",

    "ordine",
    "bestell",

    "ordem",
    "encomenda",
    "objednavka",
    "siparis",
    "referencia",
    "riferimento",
    "referentie",
    "referenz",
    "factuur",
    "zamowienia",
    "zamowienie",
    "bestellung",
    "auftrag",
    "rechnung",
    "factura",
    "fattura",
    "factuur",
    "date",
    "datum",
    "fecha",
    "zeit",
    "order",
    "invoice",
    "inv",
    "account",
    "acct",
    "acc",
    "iban",
    "bic",
    "swift",
    "routing",
    "aba",
    "sort",
    "card",
    "visa",
    "mastercard",
    "amex",
    "ref",
    "reference",
    "id",
    "ticket",
    "case",
    "po",
    "sku",
    "serial",
    "sn",
    "s/n",
    "tracking",
    "shipment",
    "parcel",
    "zip",
    "postal",
    "postcode",
    "amount",
    "total",
    "subtotal",
    "balance",
    "price",
    "cost",
    "due",
    "paid",
    "version",
    "ver",
    "v",
    "build",
    "release",
    "isbn",
    "issn",
    "pin",
    "passcode",
    "password",
    "code",
    "suite",
    "ste",
    "apt",
    "unit",
    "room",
    "floor",
    "box",
    "bldg",
    "building",
    "transaction",
    "txn",
    "confirmation",
    "booking",
    "reservation",
    "vat",
    "tax",
    "ssn",
    "ein",
    "member",
    "policy",
    "claim",
    "license",
    "licence",
    "item",
    "part",
    "model",
    "lot",
    "batch",
    "job",
    "request",
    "pid",
    "port",
    "uid",
    "user",
    "error",
    "errno",
    "commit",
    "issue",
    "bug",
    "customer",
    "client",
    "patient",
    "entreprise",
    "organisme",
    "mrn",
    "usd",
    "eur",
    "gbp",
    "chf",
    "cad",
    "aud",
    "jpy",
    "inr",
    "sek",
    "nok",
    "dkk",
    "pln",
    "rs",
    "page",
    "pages",
    "step",
    "count",
    "size",
    "seed",
    "timestamp",
    "epoch",
    "ts",
    "pnr",
    "record",
    "row",
    "ip",
    // Tax, company and personal numbers, bank and goods codes of many countries.
    "iva",
    "tva",
    "btw",
    "ust",
    "mva",
    "moms",
    "gst",
    "siren",
    "siret",
    "cpf",
    "cnpj",
    "rg",
    "nip",
    "pesel",
    "regon",
    "krs",
    "kvk",
    "inn",
    "kpp",
    "ogrn",
    "nhs",
    "sin",
    "ahv",
    "bsn",
    "abn",
    "acn",
    "nif",
    "nie",
    "cif",
    "rfc",
    "curp",
    "duns",
    "rma",
    "ean",
    "upc",
    "gtin",
    "ndc",
    "rx",
    "org",
    "orgnr",
    "cvr",
    "a/c",
    "aadhaar",
    "pan",
    "ifsc",
    "imei",
    "iccid",
    "winning",
    "draw",
    "yubin",
    "plz",
    "ustid",
    "rea",
    "fiscale",
    "codice",
    "webinar",
    "meeting",
    "conference",
    "access",
    "participant",
    "attendee",
    "bridge",
};

// Whether text[start, end) is one of NOT_NUMBER_BEFORE, looked up in a sorted copy: the
// finder asks for most numbers it sees.
bool isNotNumberWord(const Text& text, int start, int end) {
    static const std::vector<std::string_view> SORTED = [] {
        std::vector<std::string_view> words(std::begin(NOT_NUMBER_BEFORE),
                                            std::end(NOT_NUMBER_BEFORE));
        std::sort(words.begin(), words.end());
        return words;
    }();
    constexpr int LONGEST = 32;
    const int length = end - start;
    if (length <= 0 || length > LONGEST)
        return false;
    char lowered[LONGEST];
    for (int k = 0; k < length; ++k)
        lowered[k] = static_cast<char>(lower(text.at(start + k)));
    return std::binary_search(SORTED.begin(), SORTED.end(),
                              std::string_view(lowered, static_cast<std::size_t>(length)));
}

// The words after a number that say it is an amount or a quantity.
constexpr std::string_view NOT_NUMBER_AFTER[] = {
    "mm",      "cm",      "km",     "mol",      "hz",    "khz",       "mhz",       "ghz",
    "kw",      "mph",     "usd",    "eur",      "gbp",   "chf",       "cad",       "aud",
    "jpy",     "inr",     "sek",    "nok",      "dkk",   "pln",       "rub",       "kr",
    "dollars", "euros",   "bytes",  "kb",       "mb",    "gb",        "tb",        "kib",
    "mib",     "gib",     "ms",     "ns",       "sec",   "secs",      "seconds",   "km",
    "kg",      "mi",      "lbs",    "px",       "rows",  "records",   "items",     "users",
    "views",   "times",   "pts",    "points",   "votes", "followers", "downloads", "copies",
    "units",   "shares",  "people", "visitors", "words", "lines",     "requests",  "calls",
    "hits",    "entries",
};

// Reads the letters of the word ending at end (after skipping back over blanks and a few
// marks such as ':' and '#'); returns its start, or -1 when there is none.
int wordBefore(const Text& text, int from, int& wordEnd) {
    int e = from;
    for (int marks = 0; marks < 4; ++marks) {
        const Byte c = text.at(e - 1);
        if (!(isSpace(c) || c == ':' || c == '#' || c == '.' || c == '-' || c == '"' || c == '\'' ||
              c == '=' || c == '_'))
            break;
        --e;
    }
    e = skipSpacesBack(text, e);
    int start = e;
    while (start > e - 24 &&
           (isLetter(text.at(start - 1)) ||
            (text.at(start - 1) == '/' && isLetter(text.at(start - 2)) && start < e)))
        --start;
    wordEnd = e;
    // Keys in snake case are words too: "account_no".
    const Byte before = text.at(start - 1);
    return start < e && (!isWordChar(before) || before == '_') ? start : -1;
}

// Whether the token just before begin, a blank away, mixes letters and digits: a code
// ("AA1 01 2345", "HTTP/1.1\" 200 5123") that the digits go on.
bool followsCode(const Text& text, int begin) {
    // A token that ends in a colon names what follows: "(8am-6pm): "; one that ends in a tag
    // is markup: "<td>412-268-1000</td> ".
    if (!isBlank(text.at(begin - 1)) || text.at(begin - 2) == ':' || text.at(begin - 2) == '>')
        return false;
    bool letters = false;
    bool digits = false;
    for (int i = begin - 2; i >= begin - 32 && text.at(i) > ' '; --i) {
        letters = letters || isLetter(text.at(i));
        digits = digits || isDigitByte(text.at(i));
    }
    return letters && digits;
}

bool isUpperLetter(Byte c) {
    return c >= 'A' && c <= 'Z';
}

// A block of capitals and digits, at most four, as accounts and codes are written in.
bool isCodeBlock(const Text& text, int start, int end) {
    if (end - start > 4)
        return false;
    for (int i = start; i < end; ++i) {
        const Byte c = text.at(i);
        if (!((c >= 'A' && c <= 'Z') || isDigitByte(c)))
            return false;
    }
    return true;
}

// What follows the name of a numbered thing: "Order no.", "Winning numbers", "Yubin bango".
constexpr std::string_view NUMBER_WORDS_AFTER_NAME[] = {"no",      "nr",     "number", "num",
                                                        "numbers", "nummer", "numero", "bango"};

// Tables: a number in a row of cells takes its meaning from its column's heading, the
// nearest line above it, parted the same way, that holds no digit. Cells are parted by tabs, '|',
// ';' or ',' (quoted cells may hold these), or, where none of them is, by runs of two or more
// blanks.
constexpr int HEADING_REACH = 4096;

// The cell of a line that position lies in: by count of separators, or for blank-parted
// columns by where the cell's text begins.
int cellIndex(const Text& text, int start, int position, Byte separator) {
    int index = 0;
    bool quoted = false;
    for (int i = start; i < position; ++i) {
        const Byte c = text.at(i);
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == separator && separator != ' ')
            ++index;
    }
    return index;
}

} // namespace

int meaningOfWords(const Text& text, int start, int end) {
    int meaning = 0;
    const bool phone = anyWord(text, start, end, [&](int wordStart, int wordEnd) {
        if (isNotNumberWord(text, wordStart, wordEnd) || endsInNumberWord(text, wordStart, wordEnd))
            meaning = -1;
        return isPhoneWord(text, wordStart, wordEnd);
    });
    return phone ? 1 : meaning;
}

bool isCallingWord(const Text& text, int start, int end) {
    return beginsWithAny(text, start, end, std::begin(CALLING_STEMS), std::end(CALLING_STEMS));
}

bool isPhoneWord(const Text& text, int start, int end) {
    if (std::any_of(std::begin(PHONE_WORDS), std::end(PHONE_WORDS),
                    [&](std::string_view word) { return wordIs(text, start, end, word); }))
        return true;
    if (beginsWithAny(text, start, end, std::begin(PHONE_STEMS), std::end(PHONE_STEMS)) ||
        isCallingWord(text, start, end))
        return true;
    // Compounds: "vagttelefonen", "handphone", "Firmentelefon".
    for (const std::string_view part : {"telefon", "phone"}) {
        const int length = static_cast<int>(part.size());
        for (int i = start + 1; i + length <= end; ++i) {
            if (wordIs(text, i, i + length, part))
                return true;
        }
    }
    return false;
}

bool saysPhoneBefore(const Text& text, int begin) {
    constexpr int REACH = 64;
    int i = begin;
    // The first word after the position, once one is passed.
    int nextWord = -1;
    while (i > begin - REACH && i > 0 && text.at(i - 1) != '\n' && text.at(i - 1) != '\r') {
        const Byte c = text.at(i - 1);
        // The word calls numbers in its own sentence only: "... sul suo cellulare 338 472
        // 1906. Il codice del ritiro \350 4471-0918".
        if ((c == '.' || c == '!' || c == '?') && isSpace(text.at(i)) && nextWord >= 0 &&
            isUpperLetter(text.at(nextWord)))
            return false;
        if (isLetter(c) && !isLetter(text.at(i - 2))) {
            int end = i;
            while (isLetter(text.at(end)))
                ++end;
            if (isPhoneWord(text, i - 1, end) || isOwnNumber(text, i - 1, end) ||
                isTextingPhrase(text, i - 1, end))
                return true;
            nextWord = i - 1;
        }
        --i;
    }
    return false;
}

bool endsInNumberWord(const Text& text, int start, int end) {
    constexpr std::string_view SUFFIXES[] = {"nummer",   "number",      "numero",     "bango",
                                             "referenz", "reference",   "referencia", "referentie",
                                             "sz\341m",  "sz\303\241m", "szam"};
    if (std::any_of(std::begin(SUFFIXES), std::end(SUFFIXES), [&](std::string_view suffix) {
            const int length = static_cast<int>(suffix.size());
            return end - start > length && wordIs(text, end - length, end, suffix);
        }))
        return true;
    // Keys written in camel case: "orgNo", "customerId", "vatNr".
    const Byte capital = text.at(end - 2);
    const Byte beforeCapital = text.at(end - 3);
    return end - start > 2 && (capital == 'N' || capital == 'I') && beforeCapital >= 'a' &&
           beforeCapital <= 'z' &&
           (wordIs(text, end - 2, end, "no") || wordIs(text, end - 2, end, "nr") ||
            wordIs(text, end - 2, end, "id"));
}

bool saysNotNumberBefore(const Text& text, int begin) {
    if (isCurrencySignBefore(text, skipSpacesBack(text, begin)) || followsCode(text, begin))
        return true;
    int wordEnd = 0;
    int start = wordBefore(text, begin, wordEnd);
    if (start < 0)
        return false;
    // "Ticket # is 0617-448812": the verb stands between the name and the number.
    constexpr std::string_view VERBS[] = {"is",  "was", "are",  "es",      "est",
                                          "ist", "era", "\350", "\303\250"};
    if (wordIn(text, start, wordEnd, VERBS)) {
        start = wordBefore(text, start, wordEnd);
        if (start < 0)
            return false;
    }
    if (wordIn(text, start, wordEnd, NUMBER_WORDS_AFTER_NAME)) {
        start = wordBefore(text, start, wordEnd);
        if (start < 0)
            return false;
    }
    // Blocks of an account written in groups ("IBAN NL91 ABNA 0417 1643 00") stand between
    // its name and these digits.
    for (int hops = 0; !isNotNumberWord(text, start, wordEnd); ++hops) {
        // An account's country and check digits: "NL91".
        if (hops > 0 && wordEnd - start == 4 && isUpperLetter(text.at(start)) &&
            isUpperLetter(text.at(start + 1)) && isDigitByte(text.at(start + 2)) &&
            isDigitByte(text.at(start + 3)))
            return true;
        if (hops == 3 || !isCodeBlock(text, start, wordEnd))
            return !isPhoneWord(text, start, wordEnd) && endsInNumberWord(text, start, wordEnd);
        wordEnd = skipSpacesBack(text, start);
        if (wordEnd == start)
            return false;
        start = wordEnd;
        while (start > wordEnd - 8 &&
               (isLetter(text.at(start - 1)) || isDigitByte(text.at(start - 1))))
            --start;
    }
    return true;
}

bool saysNotNumberAfter(const Text& text, int end) {
    int i = end;
    while (isSpace(text.at(i)))
        ++i;
    if (isCurrencySignAt(text, i) || text.at(i) == '%')
        return true;
    int wordEnd = i;
    while (wordEnd < i + 24 && isLetter(text.at(wordEnd)))
        ++wordEnd;
    return wordEnd > i && !isWordChar(text.at(wordEnd)) &&
           wordIn(text, i, wordEnd, NOT_NUMBER_AFTER);
}

namespace {

// The extension after a number: where its digits end (end itself for none), and whether a
// word marks it.
struct ExtensionAfter {
    int end;
    bool named;
};

ExtensionAfter extensionAfter(const Text& text, int end) {
    int i = end;
    while (isSpace(text.at(i)))
        ++i;
    if (text.at(i) == ',' || text.at(i) == ';')
        ++i;
    while (isSpace(text.at(i)))
        ++i;
    int marker = 0;
    for (const std::string_view word : EXTENSION_WORDS) {
        const int length = static_cast<int>(word.size());
        if (wordIs(text, i, i + length, word) && !isLetter(text.at(i + length))) {
            marker = length;
            break;
        }
    }
    if (marker == 0)
        return {end, false};
    i += marker;
    if (text.at(i) == '.')
        ++i;
    if (text.at(i) == ':' || text.at(i) == '=' || text.at(i) == '#')
        ++i;
    while (isSpace(text.at(i)))
        ++i;
    if (!isDigitByte(text.at(i)))
        return {end, false};
    while (isDigitByte(text.at(i)))
        ++i;
    return {i, marker > 1};
}

} // namespace

int extensionEnd(const Text& text, int end) {
    return extensionAfter(text, end).end;
}

bool hasNamedExtension(const Text& text, int end) {
    return extensionAfter(text, end).named;
}

bool tiedBefore(const Text& text, int begin) {
    const Byte before = text.at(begin - 1);
    if (isWordChar(before) || isCurrencySignBefore(text, begin))
        return true;
    // A number in international form may follow a key or a mark: "to=+14129037715".
    if (text.at(begin) == '+' && before != '+' && before != '-')
        return false;
    switch (before) {
    case '>':
        // The end of a tag ("<td>412..."), not an arrow or a comparison.
        return text.at(begin - 2) == '-' || text.at(begin - 2) == '=' || text.at(begin - 2) == '>';
    case '#': {
        // "Ph#412.268.7740": a label word before it.
        int start = begin - 1;
        while (isLetter(text.at(start - 1)))
            --start;
        return !(start < begin - 1 && isPhoneWord(text, start, begin - 1));
    }
    case '@':
    case '=':
    case '\\':
    case '&':
    case '%':
    case '~':
    case '^':
    case '<':
        return true;
    case '+':
        // "+++090/9337/55493+++", a Belgian payment reference.
        return isWordChar(text.at(begin - 2)) || text.at(begin - 2) == '+';
    case '-':
    case '/':
        return isWordChar(text.at(begin - 2));
    case '.':
    case ':':
        return isDigitByte(text.at(begin - 2));
    case ',': {
        // Thousands and decimals after a comma; a list of numbers may use one too, and
        // its next number goes on past a short first group.
        int run = begin;
        while (isDigitByte(text.at(run)))
            ++run;
        const bool goesOn = isJoiningPunctuation(text.at(run)) && isDigitByte(text.at(run + 1));
        return isDigitByte(text.at(begin - 2)) && run - begin <= 3 && !goesOn;
    }
    default:
        return false;
    }
}

bool tiedAfter(const Text& text, int end) {
    const Byte after = text.at(end);
    if (isWordChar(after))
        return extensionEnd(text, end) == end;
    if (isCurrencySignAt(text, end))
        return true;
    switch (after) {
    case '@':
    case '#':
    case '%':
    case '_':
        return true;
    case ':':
        return isDigitByte(text.at(end + 1));
    case ',': {
        // Decimals: "12,50"; not the time in the next cell of a row ("...,00:00:38").
        int run = end + 1;
        while (isDigitByte(text.at(run)))
            ++run;
        return run > end + 1 && run - (end + 1) <= 2 && text.at(run) != ':';
    }
    default:
        return false;
    }
}

LineFacts lineFacts(const Text& text, int start) {
    LineFacts facts;
    int counts[5] = {}; // tabs, bars, semicolons, commas, runs of blanks
    bool quoted = false;
    int i = start;
    for (; i < text.length(); ++i) {
        const Byte c = text.at(i);
        if (c >= '0' && c <= '9') {
            facts.digits = true;
            continue;
        }
        if (c > '|' || (c > ';' && c < '|') || (c > '"' && c < ',') || (c > ',' && c < ';')) {
            facts.letters = facts.letters || isLetter(c);
            continue;
        }
        if (c == '\n' || c == '\r')
            break;
        if (c == '"')
            quoted = !quoted;
        if (quoted)
            continue;
        switch (c) {
        case '\t':
            ++counts[0];
            break;
        case '|':
            ++counts[1];
            break;
        case ';':
            ++counts[2];
            break;
        case ',':
            ++counts[3];
            break;
        case ' ':
            counts[4] += text.at(i + 1) == ' ' && text.at(i - 1) != ' ' ? 1 : 0;
            break;
        default:
            break;
        }
    }
    facts.end = i;
    // Columns aligned with blanks may hold a comma in a cell ("Becker, Jan     2.043").
    if (counts[4] >= 2 && counts[4] > counts[3])
        counts[3] = 0;
    constexpr Byte SEPARATORS[] = {'\t', '|', ';', ',', ' '};
    for (int k = 0; k < 5; ++k) {
        if (counts[k] > 0) {
            facts.separator = SEPARATORS[k];
            facts.cells = counts[k];
            break;
        }
    }
    return facts;
}

int Headings::slot(Byte separator) {
    switch (separator) {
    case '\t':
        return 0;
    case '|':
        return 1;
    case ';':
        return 2;
    case ',':
        return 3;
    default:
        return 4;
    }
}

void Headings::findRow(const Text& text, int position) {
    if (position >= rowStart_ && position < row_.end)
        return;
    rowStart_ = lineStartBefore(text, position);
    row_ = lineFacts(text, rowStart_);
}

void Headings::readUpToRow(const Text& text) {
    while (next_ < rowStart_) {
        const LineFacts line = lineFacts(text, next_);
        if (!line.digits && line.letters && line.separator != 0) {
            latest_[slot(line.separator)] = next_;
            cells_[slot(line.separator)] = line.cells;
        }
        next_ = line.end;
        while (next_ < text.length() && (text.at(next_) == '\r' || text.at(next_) == '\n'))
            ++next_;
    }
}

Span headingOver(const Text& text, int begin, Headings& headings) {
    headings.findRow(text, begin);
    const int rowStart = headings.rowStart();
    const Byte separator = headings.rowSeparator();
    if (rowStart == 0 || separator == 0)
        return {};
    headings.readUpToRow(text);
    const int heading = headings.latest(separator);
    // A heading has as many cells as its rows; columns parted by blanks, at least three.
    const int cells = headings.latestCells(separator);
    // Sentences have commas too: a heading parted by them has three cells at least.
    if (heading < 0 || heading < begin - HEADING_REACH ||
        (separator == ' ' ? cells < 2 || headings.rowCells() < 2 : cells != headings.rowCells()) ||
        (separator == ',' && cells < 2))
        return {};
    const int headingEnd = lineEndAfter(text, heading);
    Span cell;
    if (separator == ' ') {
        // The heading word over the number's column, or the nearest one to its left.
        const int column = begin - rowStart;
        for (int i = heading; i < headingEnd && i - heading <= column; ++i) {
            if (text.at(i) != ' ' && (i == heading || text.at(i - 1) == ' '))
                cell.start = i;
        }
        if (cell.start < 0)
            return {};
        cell.end = cell.start;
        while (cell.end < headingEnd && !(text.at(cell.end) == ' ' && text.at(cell.end + 1) == ' '))
            ++cell.end;
        return cell;
    }
    const int index = cellIndex(text, rowStart, begin, separator);
    cell.start = heading;
    for (int k = 0; k < index && cell.start < headingEnd; ++cell.start) {
        if (text.at(cell.start) == separator)
            ++k;
    }
    cell.end = cell.start;
    while (cell.end < headingEnd && text.at(cell.end) != separator)
        ++cell.end;
    // Without the quotes and blanks around it.
    while (cell.start < cell.end && (isSpace(text.at(cell.start)) || text.at(cell.start) == '"'))
        ++cell.start;
    while (cell.end > cell.start &&
           (isSpace(text.at(cell.end - 1)) || text.at(cell.end - 1) == '"'))
        --cell.end;
    return cell;
}

int columnMeaning(const Text& text, int begin, Headings& headings) {
    const Span cell = headingOver(text, begin, headings);
    if (cell.start >= cell.end)
        return 0;
    const int meaning = meaningOfWords(text, cell.start, cell.end);
    if (meaning != 0)
        return meaning;
    // A column of numbered things: "Artikel-Nr.", "Item no"; but "Home no.", "Toll number".
    constexpr std::string_view LINES[] = {"home", "office", "work", "direct", "main", "private"};
    constexpr std::string_view SHORT_NUMBER_WORDS[] = {"no", "nr", "num"};
    int previous = -1;
    bool numbered = false;
    anyWord(text, cell.start, cell.end, [&](int wordStart, int wordEnd) {
        numbered = previous >= 0 && wordIn(text, wordStart, wordEnd, SHORT_NUMBER_WORDS);
        if (wordIn(text, wordStart, wordEnd, LINES))
            previous = -1;
        else if (previous < 0)
            previous = wordStart;
        return numbered;
    });
    return numbered ? -1 : 0;
}

bool isQuotedCell(const Text& text, const Candidate& c) {
    const Byte before = text.at(c.begin - 2);
    const Byte after = text.at(c.end + 1);
    return c.groupCount == 1 && text.at(c.begin - 1) == '"' && text.at(c.end) == '"' &&
           (before == ',' || before == ';' || before == '\t') &&
           (after == ',' || after == ';' || after == '\t' || after == '\r' || after == '\n' ||
            after == 0) &&
           isDialledAsOneRun(text, c.groups[0]);
}

} // namespace vellix::finder
