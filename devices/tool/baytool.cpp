#include "tool/baytool.h"

#include "bay/bay.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>
#include <optional>

namespace velmora::bay {

namespace {

const char* const usageText =
    "usage: velmora-bay [--data DIR] COMMAND ...\n"
    "Edits the device bay DIR/bay.ini (DIR defaults to $XDG_DATA_HOME/Velmora).\n"
    "commands:\n"
    "  create [--force]                 write an empty bay\n"
    "  list                             show drives, discs and robots\n"
    "  add-drive LETTER [NAME]          add a virtual drive\n"
    "  add-disc ID FOLDER [--label L] [--medium N] [--size BYTES] [--query-fail]\n"
    "                                   add a disc whose files lie in FOLDER\n"
    "  insert LETTER DISC               put a disc into a drive and close its tray\n"
    "  remove LETTER                    take the disc out of a drive\n"
    "  open LETTER | close LETTER       open or close a drive's tray\n"
    "  add-robot ID --drives \"E F\" [--input \"d1 d2\"] [--delay MS]\n"
    "                                   add a robot serving these drives\n"
    "  script ROBOT|bay \"load:423 unload:5\"\n"
    "                                   set the result codes of the next calls\n"
    "  demo DIR                         lay out the demo bay in DIR\n";

struct UsageError {
    std::string message;
};

struct Failure {
    std::string message;
};

// Positional arguments and --options of one command.
struct Args {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
    std::vector<std::string> flags;

    bool flag(const std::string& name) const {
        return std::find(flags.begin(), flags.end(), name) != flags.end();
    }
    std::optional<std::string> option(const std::string& name) const {
        auto it = options.find(name);
        return it == options.end() ? std::nullopt : std::optional(it->second);
    }
};

Args split(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
           const std::vector<std::string>& flagOptions) {
    Args out;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.starts_with("--") && a.size() > 2) {
            if (std::find(valueOptions.begin(), valueOptions.end(), a) != valueOptions.end()) {
                if (i + 1 >= args.size())
                    throw UsageError{a + " needs a value"};
                out.options[a] = args[++i];
            } else if (std::find(flagOptions.begin(), flagOptions.end(), a) != flagOptions.end()) {
                out.flags.push_back(a);
            } else {
                throw UsageError{"unknown option " + a};
            }
        } else {
            out.positional.push_back(a);
        }
    }
    return out;
}

void expectPositional(const Args& a, size_t min, size_t max) {
    if (a.positional.size() < min)
        throw UsageError{"missing argument"};
    if (a.positional.size() > max)
        throw UsageError{"too many arguments"};
}

template <typename T> T number(const std::string& text, const char* what) {
    T value{};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        throw UsageError{std::string(what) + " must be a number: " + text};
    return value;
}

char letter(const std::string& text) {
    if (text.size() != 1 || !std::isalpha(static_cast<unsigned char>(text[0])))
        throw UsageError{"a drive is named by one letter: " + text};
    return char(std::toupper(static_cast<unsigned char>(text[0])));
}

void rejectControls(const std::string& text, const char* what) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7f)
            throw UsageError{std::string(what) + " must not hold control characters"};
}

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& i : items)
        out += (out.empty() ? "" : " ") + i;
    return out.empty() ? "-" : out;
}

// Loads the bay (an empty one when there is none yet), lets change() edit it and saves it.
void edit(const std::filesystem::path& file, const std::function<void(Bay&)>& change) {
    Lock lock(file);
    if (!lock.held())
        throw Failure{"cannot lock " + file.string() + ".lock"};
    Bay b;
    std::string error;
    if (load(file, b, &error) == LoadResult::Damaged)
        throw Failure{error};
    change(b);
    if (!save(file, b, &error))
        throw Failure{error};
}

Drive& needDrive(Bay& b, char l) {
    Drive* d = b.drive(l);
    if (!d)
        throw Failure{std::string("no drive ") + l + ": in the bay"};
    return *d;
}

// A disc lies in one place only: take it out of every drive and bin.
void takeOutEverywhere(Bay& b, const std::string& id) {
    for (Drive& d : b.drives)
        if (d.disc == id)
            d.disc.clear();
    for (Robot& r : b.robots)
        for (auto* list : {&r.input, &r.output, &r.reject})
            std::erase(*list, id);
}

void list(const std::filesystem::path& file, std::ostream& out) {
    Bay b;
    std::string error;
    switch (load(file, b, &error)) {
    case LoadResult::Missing:
        throw Failure{"no bay at " + file.string() + " (use create or demo)"};
    case LoadResult::Damaged:
        throw Failure{error};
    case LoadResult::Ok:
        break;
    }
    out << "bay " << file.string() << " (real drives: " << (b.realDrives ? "yes" : "no") << ")\n";
    if (!b.script.empty()) {
        out << "script:";
        for (const auto& e : b.script)
            out << " " << e.kind << ":" << e.code;
        out << "\n";
    }
    out << "drives:\n";
    for (const Drive& d : b.drives) {
        out << "  " << d.letter << ": " << d.name << " | tray " << (d.trayOpen ? "open" : "closed") << " | ";
        if (d.disc.empty())
            out << "no disc\n";
        else
            out << "disc " << d.disc << (b.disc(d.disc) ? "" : " (unknown disc)") << "\n";
    }
    out << "discs:\n";
    for (const Disc& d : b.discs) {
        std::error_code ec;
        const auto folder = discFolder(file, d);
        out << "  " << d.id << " \"" << d.label << "\" medium " << d.medium << " size " << d.size
            << " folder " << folder.string()
            << (std::filesystem::is_directory(folder, ec) ? "" : " (missing)")
            << (d.queryFails ? " query fails" : "") << "\n";
    }
    out << "robots:\n";
    for (const Robot& r : b.robots) {
        std::string drives;
        for (char c : r.drives)
            drives += (drives.empty() ? "" : " ") + std::string(1, c);
        out << "  " << r.id << (r.usable ? "" : " (not usable)") << " drives "
            << (drives.empty() ? "-" : drives) << " delay " << r.delayMs << " ms\n";
        out << "    input: " << joined(r.input) << "\n    output: " << joined(r.output)
            << "\n    reject: " << joined(r.reject) << "\n";
        if (!r.script.empty()) {
            out << "    script:";
            for (const auto& e : r.script)
                out << " " << e.kind << ":" << e.code;
            out << "\n";
        }
    }
}

int run(std::vector<std::string> args, std::ostream& out) {
    std::filesystem::path dataFolder = defaultDataFolder();
    if (args.size() >= 2 && args[0] == "--data") {
        dataFolder = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty())
        throw UsageError{"no command"};
    const std::string command = args[0];
    args.erase(args.begin());
    const std::filesystem::path file = bayFile(dataFolder);

    if (command == "create") {
        Args a = split(args, {}, {"--force"});
        expectPositional(a, 0, 0);
        Lock lock(file);
        std::error_code ec;
        if (std::filesystem::exists(file, ec) && !a.flag("--force"))
            throw Failure{"a bay already exists at " + file.string() + " (use --force to replace it)"};
        std::string error;
        if (!save(file, Bay{}, &error))
            throw Failure{error};
        out << "created " << file.string() << "\n";
    } else if (command == "list") {
        expectPositional(split(args, {}, {}), 0, 0);
        list(file, out);
    } else if (command == "add-drive") {
        Args a = split(args, {}, {});
        expectPositional(a, 1, 2);
        const char l = letter(a.positional[0]);
        const std::string name = a.positional.size() > 1 ? a.positional[1] : "Virtual DVD-ROM";
        rejectControls(name, "a drive name");
        edit(file, [&](Bay& b) {
            if (b.drive(l))
                throw Failure{std::string("drive ") + l + ": exists already"};
            Drive d;
            d.letter = l;
            d.name = name;
            b.drives.push_back(d);
            std::sort(b.drives.begin(), b.drives.end(),
                      [](const Drive& x, const Drive& y) { return x.letter < y.letter; });
        });
    } else if (command == "add-disc") {
        Args a = split(args, {"--label", "--medium", "--size"}, {"--query-fail"});
        expectPositional(a, 2, 2);
        Disc d{.id = a.positional[0],
               .label = a.option("--label").value_or(""),
               .medium = number<int32_t>(a.option("--medium").value_or("0"), "the medium"),
               .size = number<int64_t>(a.option("--size").value_or("0"), "the size"),
               // A relative folder given on the command line means one under the current folder.
               .folder = std::filesystem::absolute(a.positional[1]).lexically_normal().string(),
               .queryFails = a.flag("--query-fail")};
        if (d.id.empty() || d.id.find_first_of(" \t[]") != std::string::npos)
            throw UsageError{"a disc identifier is one word"};
        rejectControls(d.id, "a disc identifier");
        rejectControls(d.label, "a label");
        rejectControls(d.folder, "a folder");
        if (d.medium < 0 || d.medium > 8)
            throw UsageError{"the medium is a number from 0 to 8"};
        if (d.size < 0)
            throw UsageError{"the size cannot be negative"};
        edit(file, [&](Bay& b) {
            if (b.disc(d.id))
                throw Failure{"disc " + d.id + " exists already"};
            b.discs.push_back(d);
        });
    } else if (command == "insert") {
        Args a = split(args, {}, {});
        expectPositional(a, 2, 2);
        const char l = letter(a.positional[0]);
        const std::string id = a.positional[1];
        edit(file, [&](Bay& b) {
            needDrive(b, l);
            if (!b.disc(id))
                throw Failure{"no disc " + id + " in the bay"};
            takeOutEverywhere(b, id);
            Drive& d = needDrive(b, l);
            d.disc = id;
            d.trayOpen = false;
        });
    } else if (command == "remove" || command == "open" || command == "close") {
        Args a = split(args, {}, {});
        expectPositional(a, 1, 1);
        const char l = letter(a.positional[0]);
        edit(file, [&](Bay& b) {
            Drive& d = needDrive(b, l);
            if (command == "remove")
                d.disc.clear();
            else
                d.trayOpen = command == "open";
        });
    } else if (command == "add-robot") {
        Args a = split(args, {"--drives", "--input", "--delay"}, {});
        expectPositional(a, 1, 1);
        Robot r;
        r.id = number<int32_t>(a.positional[0], "the robot identifier");
        if (!a.option("--drives"))
            throw UsageError{"add-robot needs --drives"};
        for (const auto& w : words(*a.option("--drives")))
            r.drives.push_back(letter(w));
        r.input = words(a.option("--input").value_or(""));
        r.delayMs = number<int32_t>(a.option("--delay").value_or("0"), "the delay");
        if (r.delayMs < 0)
            throw UsageError{"the delay cannot be negative"};
        edit(file, [&](Bay& b) {
            if (b.robot(r.id))
                throw Failure{"robot " + std::to_string(r.id) + " exists already"};
            for (char l : r.drives)
                needDrive(b, l);
            for (const auto& id : r.input) {
                if (!b.disc(id))
                    throw Failure{"no disc " + id + " in the bay"};
                takeOutEverywhere(b, id);
            }
            b.robots.push_back(r);
        });
    } else if (command == "script") {
        Args a = split(args, {}, {});
        expectPositional(a, 2, 2);
        const std::optional<std::vector<ScriptEntry>> script = parseScript(a.positional[1]);
        if (!script)
            throw UsageError{"a script is a list of KIND:CODE words"};
        const bool bayLevel = a.positional[0] == "bay";
        const int32_t id = bayLevel ? 0 : number<int32_t>(a.positional[0], "the robot identifier");
        edit(file, [&](Bay& b) {
            if (bayLevel) {
                b.script = *script;
                return;
            }
            Robot* r = b.robot(id);
            if (!r)
                throw Failure{"no robot " + std::to_string(id) + " in the bay"};
            r->script = *script;
        });
    } else if (command == "demo") {
        Args a = split(args, {}, {});
        expectPositional(a, 1, 1);
        std::string error;
        if (!makeDemo(a.positional[0], &error))
            throw Failure{error};
        out << "demo bay written to " << bayFile(a.positional[0]).string() << "\n";
    } else {
        throw UsageError{"unknown command " + command};
    }
    return 0;
}

} // namespace

int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        return run(args, out);
    } catch (const UsageError& e) {
        err << "velmora-bay: " << e.message << "\n" << usageText;
        return 2;
    } catch (const Failure& e) {
        err << "velmora-bay: " << e.message << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "velmora-bay: " << e.what() << "\n";
        return 1;
    }
}

} // namespace velmora::bay
