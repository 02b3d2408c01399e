// The clipboard soak: a long run of clipboard changes as fast as the clipboard takes them,
// with dials in between, while the program must keep answering, keep proposing the right
// number, and neither grow its memory nor its USER and GDI objects.
//
// The changes come from a fixed seed: blocks with numbers, plain numbers, texts too long to be
// a number, empty blocks, blocks of random bytes, and blocks whose memory is larger than their
// data (padded with zeros or followed by garbage). Each change waits until the program has
// read it, timing how long that takes.

#include "driver.h"

#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace vellix::e2e {

namespace {

constexpr DWORD ANSWER_MS = 1000;
constexpr DWORD HANDOFF_MS = 5000;
constexpr DWORD CLIPBOARD_MS = 5000;
// Counting the objects walks every handle index through the server: slow on a loaded machine,
// and a measurement, not a check of how fast the program answers.
constexpr DWORD MEASURE_MS = 60000;
constexpr int CHECK_EVERY = 10;
constexpr int DIAL_ONE_IN = 12;
// The history grows by a pair of about 650 bytes at each dial, and its list may double once
// between the warm-up and the end; a leak of 200 bytes a change exceeds this.
constexpr SIZE_T HEAP_TOLERANCE = 320 * 1024;
// The process's pages may move more: freed heap blocks and file buffers come and go.
constexpr SIZE_T PAGES_TOLERANCE = 1024 * 1024;
constexpr std::uint32_t SEED = 20240508;

const char* const FIELD_NAMES[] = {"Work phone", "Phone", "Cell phone",
                                   "Home phone", "Pager", "Fax"};

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A number the program can take, with the digit form it proposes and, for the shape the
// soak teaches, the dial string the user edits it to.
struct Number {
    std::string text;
    std::string digitForm;
    std::string learnedDial;
};

enum class Shape { LOCAL, OTHER_EXCHANGE, SHORT, INTERNATIONAL };

Number makeNumber(Shape shape, unsigned line) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04u", line % 10000);
    const std::string d = digits;
    switch (shape) {
    case Shape::LOCAL:
        return {"412-268-" + d, "412 268 " + d, "8 " + d};
    case Shape::OTHER_EXCHANGE:
        return {"(650) 555-" + d, "650 555 " + d, ""};
    case Shape::SHORT:
        return {"555-" + d, "555 " + d, ""};
    case Shape::INTERNATIONAL:
        break;
    }
    // Never dialed in the soak, so no learned rule ever applies to it; proposed with its '+'.
    return {"+44 20 7946 " + d, "+44 20 7946 " + d, ""};
}

// One clipboard change: the bytes, the size of the memory that holds them, and the number
// the program must propose afterwards (none when the change holds no number).
struct Change {
    const char* kind = "";
    UINT format = CF_TEXT;
    std::string bytes;
    SIZE_T allocated = 0;
    bool hasNumber = false;
    Number number;
};

class ChangeMaker {
public:
    explicit ChangeMaker(UINT blockFormat) : blockFormat_(blockFormat), random_(SEED) {}

    Change next(bool numberWanted, bool numberForbidden) {
        Change change;
        unsigned pick = below(100);
        if (numberWanted)
            pick = 0;
        else if (numberForbidden)
            pick = 40 + below(40);
        if (pick < 25)
            change = block(numberWanted);
        else if (pick < 40)
            change = plainNumber(numberWanted);
        else if (pick < 55)
            change = longText();
        else if (pick < 65)
            change = emptyBlock();
        else if (pick < 80)
            change = randomBytes();
        else
            change = oversized();
        if (change.allocated == 0)
            change.allocated = change.bytes.size();
        return change;
    }

private:
    unsigned below(unsigned n) { return static_cast<unsigned>(random_() % n); }

    Number anyNumber(bool last) {
        const Shape shape = last ? Shape::INTERNATIONAL : static_cast<Shape>(below(4));
        return makeNumber(shape, below(10000));
    }

    // Field names in any letter case; the program folds ASCII case.
    std::string fieldName(unsigned field) {
        std::string name = FIELD_NAMES[field];
        if (below(4) == 0) {
            for (char& c : name)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return name;
    }

    // A contact block: other fields, some phone fields with a number, some with a value the
    // program refuses (empty or too long). The proposal is the first field in the program's
    // order whose first occurrence holds a number.
    Change block(bool last) {
        Change change;
        change.kind = "block";
        change.format = blockFormat_;
        struct Field {
            unsigned field;
            bool valid;
            Number number;
        };
        std::vector<Field> fields;
        const unsigned count = 1 + below(4);
        for (unsigned i = 0; i < count; ++i) {
            const bool valid = last || below(5) != 0;
            fields.push_back({below(6), valid, anyNumber(last)});
        }
        if (below(2) == 0)
            change.bytes += std::string("Name") + '\0' + "Ann Lee" + '\0';
        for (const Field& f : fields) {
            const std::string value =
                f.valid ? f.number.text
                        : (below(2) == 0 ? std::string() : "412-268-1234 extension 5678 ask Ann");
            change.bytes += fieldName(f.field) + '\0' + value + '\0';
        }
        if (below(2) == 0)
            change.bytes += std::string("Title") + '\0' + "Engineer" + '\0';
        for (unsigned field = 0; field < 6 && !change.hasNumber; ++field) {
            for (const Field& f : fields) {
                if (f.field == field) {
                    change.hasNumber = f.valid;
                    change.number = f.number;
                    break;
                }
            }
        }
        return change;
    }

    Change plainNumber(bool last) {
        Change change;
        change.kind = "text";
        change.number = anyNumber(last);
        change.bytes = change.number.text + '\0';
        change.hasNumber = true;
        return change;
    }

    Change longText() {
        Change change;
        change.kind = "long text";
        const unsigned length = 24 + below(4000);
        for (unsigned i = 0; i < length; ++i)
            change.bytes += static_cast<char>('a' + below(26));
        change.bytes += '\0';
        return change;
    }

    // An empty block, an empty text, or an emptied clipboard holding no format at all.
    Change emptyBlock() {
        Change change;
        change.kind = "empty";
        switch (below(3)) {
        case 0:
            change.format = blockFormat_;
            break;
        case 1:
            change.bytes = std::string(1, '\0');
            break;
        default:
            change.format = 0;
            break;
        }
        return change;
    }

    std::string garbage(unsigned length) {
        std::string bytes;
        for (unsigned i = 0; i < length; ++i)
            bytes += static_cast<char>(below(256));
        return bytes;
    }

    Change randomBytes() {
        Change change;
        change.kind = "random";
        change.format = blockFormat_;
        change.bytes = garbage(1 + below(2048));
        return change;
    }

    // A block in memory larger than its data: the rest zeros or garbage, which must not
    // change what the block yields.
    Change oversized() {
        Change change = block(false);
        change.kind = "oversized";
        const unsigned extra = 1 + below(4096);
        if (below(2) == 0) {
            change.allocated = change.bytes.size() + extra;
        } else {
            change.bytes += garbage(extra);
            change.allocated = change.bytes.size();
        }
        return change;
    }

    UINT blockFormat_;
    std::mt19937 random_;
};

// How long the program took to read each change.
struct Handoff {
    int changes = 0;
    int failed = 0;
    double maxMs = 0;
    double totalMs = 0;
};
Handoff handoff;

// Puts the change on the clipboard and returns once the program has read it.
bool makeChange(HWND main, const Change& change) {
    const double deadline = nowMs() + CLIPBOARD_MS;
    while (!OpenClipboard(nullptr)) {
        if (nowMs() >= deadline)
            return false;
        Sleep(1);
    }
    EmptyClipboard();
    bool put = true;
    if (change.format != 0) {
        // Wine refuses a moveable block of no bytes (it is discarded); a fixed one it takes.
        const UINT flags = change.allocated == 0 ? GMEM_FIXED : GMEM_MOVEABLE | GMEM_ZEROINIT;
        HGLOBAL memory = GlobalAlloc(flags, change.allocated);
        put = memory != nullptr;
        if (put && !change.bytes.empty()) {
            std::memcpy(GlobalLock(memory), change.bytes.data(), change.bytes.size());
            GlobalUnlock(memory);
        }
        put = put && SetClipboardData(change.format, memory) != nullptr;
        if (!put && memory != nullptr)
            GlobalFree(memory);
    }
    CloseClipboard();
    if (!put)
        return false;
    const DWORD sequence = GetClipboardSequenceNumber();
    const double start = nowMs();
    bool read = true;
    while (read && static_cast<LONG>(clipboardTaken(main) - sequence) < 0) {
        read = nowMs() < start + HANDOFF_MS;
        Sleep(0);
    }
    const double took = nowMs() - start;
    ++handoff.changes;
    handoff.failed += read ? 0 : 1;
    handoff.maxMs = std::max(handoff.maxMs, took);
    handoff.totalMs += took;
    return true;
}

struct Answers {
    int checks = 0;
    int late = 0;
    double maxMs = 0;
};

// The program answers a message within a second.
bool answers(HWND main, Answers& answers) {
    const double start = nowMs();
    DWORD_PTR result = 0;
    const bool answered =
        SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ANSWER_MS, &result) != 0;
    const double took = nowMs() - start;
    ++answers.checks;
    answers.maxMs = std::max(answers.maxMs, took);
    const bool inTime = answered && took <= ANSWER_MS;
    answers.late += inTime ? 0 : 1;
    return inTime;
}

struct Usage {
    SIZE_T heapInUse = 0;
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
    DWORD userObjects = 0;
    DWORD gdiObjects = 0;
};

// Measures the program from inside through a probe hooked into its thread: the bytes its
// heaps hold, and its USER and GDI objects where GetGuiResources cannot count them (Wine
// answers 0 and ERROR_CALL_NOT_IMPLEMENTED, while a live program always has USER objects).
class Probe {
public:
    explicit Probe(HWND main) : main_(main) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof path);
        char* name = std::strrchr(path, '\\');
        if (name == nullptr)
            return;
        std::strcpy(name + 1, "usage_probe.dll");
        HMODULE probe = LoadLibraryA(path);
        auto hook = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<void*>(GetProcAddress(probe, "usageProbeHook")));
        if (hook != nullptr)
            hook_ = SetWindowsHookExA(WH_CALLWNDPROC, hook, probe,
                                      GetWindowThreadProcessId(main_, nullptr));
    }
    ~Probe() {
        if (hook_ != nullptr)
            UnhookWindowsHookEx(hook_);
    }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    bool measure(HANDLE process, Usage& usage) {
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        if (hook_ == nullptr || !GetProcessMemoryInfo(process, &memory, sizeof memory))
            return false;
        usage.privateBytes = memory.PagefileUsage;
        usage.workingSet = memory.WorkingSetSize;
        DWORD_PTR heap = 0;
        if (!ask("VellixHeapInUse", heap) || heap == 0)
            return false;
        usage.heapInUse = heap;
        usage.userObjects = GetGuiResources(process, GR_USEROBJECTS);
        usage.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
        if (usage.userObjects != 0)
            return true;
        counted_ = true;
        DWORD_PTR counts = 0;
        if (!ask("VellixCountGuiObjects", counts))
            return false;
        usage.userObjects = static_cast<DWORD>(counts & 0xffffffffu);
        usage.gdiObjects = static_cast<DWORD>(static_cast<std::uint64_t>(counts) >> 32);
        return usage.userObjects != 0;
    }

    const char* objectsMethod() const {
        return counted_ ? "counted inside the program" : "from GetGuiResources";
    }

private:
    bool ask(const char* question, DWORD_PTR& answer) {
        return SendMessageTimeoutA(main_, RegisterWindowMessageA(question), 0, 0, SMTO_ABORTIFHUNG,
                                   MEASURE_MS, &answer) != 0;
    }

    HWND main_;
    HHOOK hook_ = nullptr;
    bool counted_ = false;
};

unsigned long kib(SIZE_T bytes) {
    return static_cast<unsigned long>(bytes / 1024);
}

void printUsage(const char* when, const Usage& usage) {
    std::printf("%s: heap in use %lu KiB, private %lu KiB, working set %lu KiB, USER %lu, "
                "GDI %lu\n",
                when, kib(usage.heapInUse), kib(usage.privateBytes), kib(usage.workingSet),
                usage.userObjects, usage.gdiObjects);
}

// The box lists the digit form of the proposed number first.
bool proposes(HWND box, const Number& number) {
    return boxItem(box, 0) == number.digitForm;
}

bool dial(HWND main, const Number& proposed, bool learn) {
    HWND box = numberBoxOf(main);
    HWND button = dialButtonOf(main);
    if (box == nullptr || button == nullptr)
        return false;
    if (learn && SendMessageA(box, WM_SETTEXT, 0,
                              reinterpret_cast<LPARAM>(proposed.learnedDial.c_str())) == FALSE)
        return false;
    return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, HANDOFF_MS, nullptr) != 0;
}

} // namespace

int soak(const std::vector<std::string>& args) {
    const int changes = std::atoi(args[1].c_str());
    const int warmUp = std::atoi(args[2].c_str());
    HWND main = mainWindow();
    if (changes < 2 || warmUp < 1 || warmUp >= changes || main == nullptr)
        return report(false, "program running and CHANGES > WARM-UP > 0");
    HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processOf(main));
    if (process == nullptr)
        return report(false, "program's process opened");

    Probe probe(main);
    ChangeMaker maker(RegisterClipboardFormatA("NameValuePairList"));
    Answers answered;
    Usage start{};
    Usage warm{};
    Usage end{};
    bool held = probe.measure(process, start);
    int dials = 0;
    int learned = 0;
    int numbers = 0;
    std::string failure = held ? "" : "usage measured at the start";
    Number proposed;
    bool anyProposal = false;
    // The last number comes a few changes before the end; what follows holds none.
    const int lastNumberAt = changes - 10;
    double elapsedMs = 0;
    const double started = nowMs();

    for (int i = 0; i < changes && held; ++i) {
        const Change change = maker.next(i == lastNumberAt, i > lastNumberAt);
        if (!makeChange(main, change)) {
            failure = "change " + std::to_string(i) + " (" + change.kind + ") handed over";
            break;
        }
        if (change.hasNumber) {
            ++numbers;
            proposed = change.number;
            anyProposal = true;
            HWND box = numberBoxOf(main);
            if (box == nullptr || !proposes(box, proposed)) {
                failure = "change " + std::to_string(i) + " (" + change.kind + ") proposes " +
                          proposed.digitForm + ", box lists " +
                          (box != nullptr ? boxItem(box, 0) : "nothing");
                break;
            }
        }
        // Dial now and then, never the number that must stay without learned rules.
        const bool dialable = anyProposal && proposed.text.rfind("+44", 0) != 0;
        if (dialable && i < lastNumberAt && i % DIAL_ONE_IN == DIAL_ONE_IN - 1) {
            const bool learn = !proposed.learnedDial.empty() && (i / DIAL_ONE_IN) % 2 == 0;
            if (!dial(main, proposed, learn) || !answers(main, answered)) {
                failure = "dial after change " + std::to_string(i);
                break;
            }
            ++dials;
            learned += learn ? 1 : 0;
        }
        if (i % CHECK_EVERY == 0 && !answers(main, answered)) {
            failure = "answer after change " + std::to_string(i);
            break;
        }
        if (i + 1 == warmUp) {
            elapsedMs = nowMs() - started;
            if (!probe.measure(process, warm))
                failure = "usage measured after the warm-up";
        }
        held = failure.empty();
    }
    const double totalMs = nowMs() - started;
    held = failure.empty() && answers(main, answered) && probe.measure(process, end);
    CloseHandle(process);
    if (!held && failure.empty())
        failure = "answer and usage at the end";

    std::printf("%d changes in %.1f s (%.0f a second; warm-up %d in %.1f s), %d with a number, "
                "%d dials (%d learned)\n",
                handoff.changes, totalMs / 1000, 1000.0 * handoff.changes / totalMs, warmUp,
                elapsedMs / 1000, numbers, dials, learned);
    std::printf("reading a change: mean %.2f ms, max %.1f ms, %d not handled\n",
                handoff.changes > 0 ? handoff.totalMs / handoff.changes : 0.0, handoff.maxMs,
                handoff.failed);
    std::printf("answers: %d checks, max %.1f ms, %d late\n", answered.checks, answered.maxMs,
                answered.late);
    std::printf("USER and GDI objects %s\n", probe.objectsMethod());
    printUsage("start", start);
    printUsage("after warm-up", warm);
    printUsage("end", end);
    std::printf("dials %d\n", dials);
    if (!failure.empty())
        return report(false, failure);

    const bool heapHeld = end.heapInUse <= warm.heapInUse + HEAP_TOLERANCE;
    const bool pagesHeld = end.privateBytes <= warm.privateBytes + PAGES_TOLERANCE &&
                           end.workingSet <= warm.workingSet + PAGES_TOLERANCE;
    const bool objectsHeld =
        end.userObjects <= warm.userObjects && end.gdiObjects <= warm.gdiObjects;
    HWND box = numberBoxOf(main);
    const bool lastProposed = box != nullptr && SendMessageA(box, CB_GETCOUNT, 0, 0) == 1 &&
                              windowText(box) == proposed.digitForm && proposes(box, proposed);
    int failures = 0;
    failures +=
        report(handoff.failed == 0 && handoff.changes >= changes, "the program read every change");
    failures += report(answered.late == 0, "the program answered every check within 1 s");
    failures += report(heapHeld, "heap in use grew at most 320 KiB after the warm-up");
    failures += report(pagesHeld, "private bytes and working set grew at most 1 MiB after the "
                                  "warm-up");
    failures += report(objectsHeld, "USER and GDI objects did not grow after the warm-up");
    failures += report(lastProposed, "the box proposes the last number, " + proposed.digitForm);
    return failures == 0 ? 0 : 1;
}

} // namespace vellix::e2e
